#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "input/key_event.h"
#include "input/main_window_filter.h"
#include "platform/common/profile_file_store.h"
#include "platform/ports.h"

namespace oriwen {
struct Program;
}

namespace oriwen::headless {

// What the machine around the program looks like; shared by every program
// started on it, so that a second instance sees the first.
struct Machine {
  Size screen{1920, 1080};
  int midiDevices = 1;
  int osMajorVersion = 10;
  bool composition = true;
  std::set<HookKind> failingHooks;
  int largestOuterWidth = 0;          // 0: no limit
  Rect frame{8, 31, 8, 8};            // left, top, right, bottom frame thickness
  std::set<std::string> namedTokens;  // held single-instance tokens
  std::string programDirectory;       // native path, UTF-8
  std::string programFile = "Oriwen.exe";
};

// Every observable effect, one line each (see docs/driver-protocol.md).
using EffectSink = std::function<void(const std::string&)>;

struct ControlRecord {
  ControlSpec layout;  // the control as laid out
  std::string text;
  bool checked = false;
  std::string tag;
  Colour background = 0;
  bool hasBackground = false;
};

struct WindowRecord {
  std::string name;
  std::string title;
  WindowId owner = kNoWindow;
  Rect outer;
  bool visible = false;
  Colour background = Rgb(240, 240, 240);
  bool layered = false;
  bool keepsExtendedStyles = false;
  std::vector<ControlRecord> controls;
  ControlRecord* Find(std::string_view control);
  const ControlRecord* Find(std::string_view control) const;
};

class HeadlessWindows : public WindowPort {
 public:
  HeadlessWindows(Machine& machine, EffectSink& sink) : machine_(machine), sink_(sink) {}

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
  void SendNonClientButtonDown(WindowId window, int hitTest) override;

  // The window in front: one of the program's, kOtherProgramWindow or
  // kNoWindow. Showing a window brings it to the front; destroying the one
  // in front hands the front to its owner.
  WindowId foreground = kNoWindow;
  // The control of the window in front that has the keyboard focus; empty
  // when the window itself has it (as after it is shown).
  std::string focusedControl;
  // Where a frame message sent to a window goes (the desktop's delivery).
  std::function<void(WindowId, int)> onNonClientButtonDown;
  // Told of every window just before it goes.
  std::function<void(WindowId)> onDestroy;

  WindowRecord* Get(WindowId window);
  const WindowRecord* Get(WindowId window) const;
  WindowId FindByName(std::string_view name) const;

 private:
  Machine& machine_;
  EffectSink& sink_;
  std::map<WindowId, WindowRecord> windows_;
  WindowId next_ = 1;
};

// Timers on a virtual clock: advancing it runs the due ticks in time order.
class HeadlessTimers : public TimerPort {
 public:
  using TickHandler = std::function<void(WindowId, const std::string&)>;
  void SetTimerPeriod(WindowId window, std::string_view timer, int periodMs) override;
  int TimerPeriod(WindowId window, std::string_view timer) const override;
  void Advance(std::int64_t ms, const TickHandler& onTick);
  std::int64_t Now() const { return now_; }

 private:
  struct Timer {
    int period = 0;
    std::int64_t due = 0;
  };
  std::map<std::pair<WindowId, std::string>, Timer> timers_;
  std::int64_t now_ = 0;
};

class HeadlessMidi : public MidiPort {
 public:
  HeadlessMidi(Machine& machine, EffectSink& sink) : machine_(machine), sink_(sink) {}
  int DeviceCount() override { return machine_.midiDevices; }
  bool Open(int deviceIndex) override;
  void SendShortMessage(std::uint32_t message) override;
  std::vector<std::uint32_t> sent;

 private:
  Machine& machine_;
  EffectSink& sink_;
};

// The real file store, on the program's temporary directory, with each write
// reported.
class HeadlessStore : public ProfileFileStore {
 public:
  explicit HeadlessStore(EffectSink& sink) : sink_(sink) {}
  bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                          std::string_view path) override;
  int writes = 0;

 private:
  EffectSink& sink_;
};

class HeadlessProcess : public ProcessPort {
 public:
  HeadlessProcess(Machine& machine, EffectSink& sink) : machine_(machine), sink_(sink) {}
  TokenHandle OpenSingleInstanceToken(std::string_view name) override;
  TokenHandle CreateSingleInstanceToken(std::string_view name) override;
  void CloseToken(TokenHandle token) override;
  int OsMajorVersion() override { return machine_.osMajorVersion; }
  std::string ProgramDirectory() override { return machine_.programDirectory; }
  std::string ProgramFile() override;
  void EndProcess(int exitCode) override;

  bool ended = false;
  int exitCode = 0;

 private:
  Machine& machine_;
  EffectSink& sink_;
  std::map<TokenHandle, std::string> tokens_;  // handle -> name; opened handles too
  std::set<TokenHandle> created_;
  TokenHandle next_ = 1;
};

class HeadlessMessages : public MessageBoxPort {
 public:
  explicit HeadlessMessages(EffectSink& sink) : sink_(sink) {}
  MessageAnswer ShowMessageBox(WindowId owner, std::string_view text, std::string_view title,
                               MessageButtons buttons, MessageIcon icon) override;
  std::deque<MessageAnswer> scriptedAnswers;
  struct Shown {
    std::string text, title;
    MessageButtons buttons;
    MessageIcon icon;
  };
  std::vector<Shown> shown;

 private:
  EffectSink& sink_;
};

class HeadlessHooks : public HookPort {
 public:
  HeadlessHooks(Machine& machine, EffectSink& sink) : machine_(machine), sink_(sink) {}
  HookHandle InstallHook(HookKind kind) override;
  void RemoveHook(HookHandle hook) override;
  bool Installed(HookKind kind) const;
  // A window procedure goes with its window: no removal to report.
  void Forget(HookKind kind);
  std::map<HookHandle, HookKind> installed;

 private:
  Machine& machine_;
  EffectSink& sink_;
  HookHandle next_ = 1;
};

// The window of another program on the same desktop; it records the keys it
// receives.
inline constexpr WindowId kOtherProgramWindow = -1;

// A key message a window received: which window, the message, the code.
struct ReceivedKey {
  WindowId window = kNoWindow;
  std::string control;  // empty: the window itself had the focus
  MainWindowMessageKind message = MainWindowMessageKind::KeyDown;
  int virtualKey = 0;
  friend bool operator==(const ReceivedKey&, const ReceivedKey&) = default;
};

// How one keystroke went through the window system.
struct KeyDelivery {
  bool repeat = false;        // a press of a key already held
  bool lowLevelSeen = false;  // the background hook was called
  bool lowLevelSwallowed = false;
  bool threadSeen = false;  // the thread keyboard hook was called
  bool threadSwallowed = false;
  WindowId reached = kNoWindow;  // the window that received the message, if any
};

// The desktop's keyboard and window messages, delivered as the window system
// does: the low-level hooks hear every keystroke of the desktop first; a key
// bound for a window of the program then goes through the thread keyboard
// hook; a key that neither swallowed reaches the window in front, or the
// control of it that has the focus (the main window itself through its
// key-capture procedure). A swallowed key reaches no
// window. Keys are given by their left/right codes (160..165 for Shift, Ctrl
// and Alt; 16, 17 and 18 count as the left keys); windows get the generic
// codes.
class HeadlessDesktop {
 public:
  HeadlessDesktop(HeadlessWindows& windows, HeadlessHooks& hooks, EffectSink& sink)
      : windows_(windows), hooks_(hooks), sink_(sink) {}
  // The program whose hook procedures the desktop calls (the shell's one
  // pointer); none until attached.
  void Attach(Program& program) { program_ = &program; }

  // A key pressed (or auto-repeated, when it is held already) or released
  // with the window in front receiving it.
  KeyDelivery Press(int virtualKey, bool extended = false);
  KeyDelivery Release(int virtualKey, bool extended = false);
  // A frame message to the main window, through its procedure chain.
  FilterVerdict SendToMainWindow(const MainWindowMessage& message);
  // The main window's procedures (its key-capture filter) go with it.
  void OnWindowDestroyed(WindowId window);

  std::vector<ReceivedKey> received;  // every key message any window received
  std::vector<ReceivedKey> ReceivedBy(WindowId window) const;
  // "main", "settings", "wizard", "other", "none" or the window's name.
  std::string WindowName(WindowId window) const;

 private:
  KeyDelivery Deliver(int virtualKey, bool extended, bool up);

  HeadlessWindows& windows_;
  HeadlessHooks& hooks_;
  EffectSink& sink_;
  Program* program_ = nullptr;
  std::set<int> held_;  // left/right codes of the keys held down
};

class HeadlessGlass : public GlassPort {
 public:
  HeadlessGlass(Machine& machine, HeadlessWindows& windows, EffectSink& sink)
      : machine_(machine), windows_(windows), sink_(sink) {}
  bool CompositionEnabled() override { return machine_.composition; }
  void MakeLayered(WindowId window, bool keepExtendedStyles) override;
  void SetLayeredColourKey(WindowId window, Colour key) override;
  void ExtendFrameIntoClientArea(WindowId window, Margins margins) override;

 private:
  Machine& machine_;
  HeadlessWindows& windows_;
  EffectSink& sink_;
};

// One program's machine-side: every port, in memory (the settings store on
// real files in the program directory).
class Platform {
 public:
  Platform(Machine& machine, EffectSink sink);
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;
  Ports ports();

  Machine& machine;
  EffectSink sink;
  HeadlessWindows windows;
  HeadlessTimers timers;
  HeadlessMidi midi;
  HeadlessStore store;
  HeadlessProcess process;
  HeadlessMessages messages;
  HeadlessHooks hooks;
  HeadlessGlass glass;
  HeadlessDesktop desktop;
};

// A fresh temporary directory that is removed with the object.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string HexBytes(std::string_view bytes);
std::string DescribeMidi(std::uint32_t message);
// "keydown", "keyup", "syskeydown", "syskeyup" (and the frame messages).
std::string MessageName(MainWindowMessageKind kind);

}  // namespace oriwen::headless
