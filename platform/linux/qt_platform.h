#pragma once
#include <QImage>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/ports.h"

class QTimer;

namespace oriwen::linux_shell {

// A canvas control: shows a 32-bit pixel buffer of the core, as it is.
class CanvasWidget : public QWidget {
 public:
  CanvasWidget(QWidget* parent, int width, int height);
  // Copies width x height pixels (0x00RRGGBB), rows `stride` pixels apart.
  void ShowPixels(const std::uint32_t* pixels, int width, int height, int stride);
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

// A top-level window of the program. Closing it asks the core, which
// destroys it.
class ShellWindow : public QWidget {
 public:
  explicit ShellWindow(QWidget* owner) : QWidget(owner, Qt::Window) {}
  std::function<void()> onClose;

 protected:
  void closeEvent(QCloseEvent* event) override;
};

class QtWindows : public WindowPort {
 public:
  QtWindows();
  ~QtWindows() override;
  QtWindows(const QtWindows&) = delete;
  QtWindows& operator=(const QtWindows&) = delete;

  WindowId CreateFromLayout(const WindowLayout& layout, WindowId owner) override;
  void Destroy(WindowId window) override;
  bool Exists(WindowId window) const override;
  void Show(WindowId window) override;
  Rect OuterRect(WindowId window) const override;
  Size ClientSize(WindowId window) const override;
  void SetOuterRect(WindowId window, Rect rect) override;
  Size ScreenSize() const override;
  void SetBackground(WindowId window, Colour colour) override;
  Colour Background(WindowId window) const override;
  void SetChecked(WindowId window, std::string_view control, bool checked) override;
  bool Checked(WindowId window, std::string_view control) const override;
  void SetTag(WindowId window, std::string_view control, std::string tag) override;
  std::string Tag(WindowId window, std::string_view control) const override;
  void SetControlBackground(WindowId window, std::string_view control, Colour colour) override;
  bool RegisterHotKey(WindowId window, int id, int modifiers, int virtualKey) override;
  WindowId ForegroundWindow() const override;

  ShellWindow* Widget(WindowId window) const;
  QWidget* Control(WindowId window, std::string_view control) const;
  // Called when the user closes a window (the title bar's close button).
  std::function<void(WindowId)> onCloseRequest;

 private:
  struct Record {
    ShellWindow* widget = nullptr;
    std::map<std::string, QWidget*, std::less<>> controls;
    std::map<std::string, std::string, std::less<>> tags;
    std::map<std::string, bool, std::less<>> checked;  // controls without a widget
    Colour background = 0;
  };
  Record* Find(WindowId window);
  const Record* Find(WindowId window) const;

  std::map<WindowId, Record> windows_;
  WindowId next_ = 1;
};

// Named timers on precise QTimers.
class QtTimers : public TimerPort {
 public:
  QtTimers();
  ~QtTimers() override;
  QtTimers(const QtTimers&) = delete;
  QtTimers& operator=(const QtTimers&) = delete;
  void SetTimerPeriod(WindowId window, std::string_view timer, int periodMs) override;
  int TimerPeriod(WindowId window, std::string_view timer) const override;
  // The core's timer handler.
  std::function<void(WindowId, const std::string&)> onTick;

 private:
  std::map<std::pair<WindowId, std::string>, std::unique_ptr<QTimer>> timers_;
};

class QtMessages : public MessageBoxPort {
 public:
  explicit QtMessages(QtWindows& windows) : windows_(windows) {}
  MessageAnswer ShowMessageBox(WindowId owner, std::string_view text, std::string_view title,
                               MessageButtons buttons, MessageIcon icon) override;

 private:
  QtWindows& windows_;
};

// Hooks are installed as the core asks; key and mouse capture below Qt
// hand their events to the core's procedures.
class LinuxHooks : public HookPort {
 public:
  HookHandle InstallHook(HookKind kind) override;
  void RemoveHook(HookHandle hook) override;
  bool Installed(HookKind kind) const;
  std::map<HookHandle, HookKind> installed;
  // Told when a hook of a kind comes or goes.
  std::function<void(HookKind, bool)> onChange;

 private:
  HookHandle next_ = 1;
};

// Linux has no glass: composition is always off.
class LinuxGlass : public GlassPort {
 public:
  bool CompositionEnabled() override { return false; }
  void MakeLayered(WindowId, bool) override {}
  void SetLayeredColourKey(WindowId, Colour) override {}
  void ExtendFrameIntoClientArea(WindowId, Margins) override {}
};

}  // namespace oriwen::linux_shell
