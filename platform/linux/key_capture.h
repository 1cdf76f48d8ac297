#pragma once
#include <QAbstractNativeEventFilter>
#include <QObject>
#include <array>
#include <chrono>
#include <memory>

#include "platform/linux/qt_platform.h"

class QSocketNotifier;
struct _XDisplay;

namespace oriwen {
struct Program;
}

namespace oriwen::linux_shell {

// Keyboard capture on X11. The foreground path is an application-wide event
// filter: it sees every key event bound for a window of the program before
// its widgets, hands it to the thread keyboard hook procedure and, for the
// main window, to the main window's filter. Background mode listens to
// XInput2 raw key events on the root window over a connection of its own,
// and grabs the space bar and the lock keys while the options say so.
class KeyCapture : public QObject, public QAbstractNativeEventFilter {
 public:
  KeyCapture(LinuxHooks& hooks, QtWindows& windows);
  ~KeyCapture() override;
  KeyCapture(const KeyCapture&) = delete;
  KeyCapture& operator=(const KeyCapture&) = delete;

  void Attach(Program& program);
  // The virtual-key code of an X keycode (left/right modifier codes), 0 if unknown.
  int VirtualKeyOf(int keycode) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // With ORIWEN_KEY_TIMING set: notes when a key event arrives from the X server.
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  void OnHookChanged(HookKind kind, bool installed);
  void ReadRawEvents();
  void UpdateGrabs();
  void ReleaseGrabs();
  void Grab(int virtualKey, bool on);

  LinuxHooks& hooks_;
  QtWindows& windows_;
  Program* program_ = nullptr;
  _XDisplay* display_ = nullptr;
  int xiOpcode_ = 0;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::array<int, 256> codes_{};  // X keycode -> virtual-key code
  // Grabbed keys, by virtual-key code: space, Caps, Num and Scroll Lock.
  bool grabbed_[4] = {};
  std::array<bool, 256> pressSwallowed_{};  // by keycode, for auto-repeat releases
  const void* lastEvent_ = nullptr;
  unsigned long lastTime_ = 0;
  // Diagnostic: the time from a key event's arrival to the return of the
  // hook that played it (the synthesizer's note-on has happened), printed.
  bool timing_ = false;
  std::chrono::steady_clock::time_point arrived_{};
  void ReportLatency(const char* path, std::chrono::steady_clock::time_point from) const;
};

}  // namespace oriwen::linux_shell
