#pragma once
// The Windows shell: every port on the Win32 API. Texts cross into Windows
// through the ANSI functions in code page 936; the core stays UTF-8.
#include <windows.h>
// The settings store port has a method of this name; keep the ANSI macro off it.
#undef WriteProfileString

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/common/profile_file_store.h"
#include "platform/ports.h"

namespace oriwen {
struct Program;
}

namespace oriwen::win32 {

// The core procedures the shell hands OS events to. Each is empty until the
// part of the program that owns it is built; an empty one lets the event
// pass on unchanged.
struct CoreProcedures {
  // A hook event (the hook procedure's code, wParam and lParam); true
  // swallows it, false passes it on to the next hook.
  std::function<bool(HookKind kind, int code, WPARAM wParam, LPARAM lParam)> hookEvent;
  // The main window's key-capture procedure; true when it consumed the
  // message (then `result` is returned), false passes it on.
  std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> mainWindowFilter;
  // A tick of a named timer.
  std::function<void(WindowId window, const std::string& timer)> timer;
  // The notification of the hidden label 标签1 with a hot-key identifier.
  std::function<void(int hotKeyId)> hotKey;
  // A click on a control (buttons, check boxes).
  std::function<void(WindowId window, const std::string& control)> click;
};

// The layers that wrap a window's procedure, innermost first. Each layer
// sees a message after the layers installed after it.
enum class ProcedureLayer { Snapping, HotKey, KeyFilter, kCount };

// A window procedure layer: true when it consumed the message.
using LayerProcedure = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;

struct ControlRecord {
  ControlSpec laidOut;
  HWND hwnd = nullptr;  // none for timers, the tray icon and the MIDI component
  std::string tag;
  bool hasBackground = false;
  Colour background = 0;
  HBRUSH brush = nullptr;
  // Canvases: the backing bitmap shown in the control (32-bit top-down DIB).
  HBITMAP bitmap = nullptr;
  std::uint32_t* pixels = nullptr;
};

struct Layer {
  WNDPROC previous = nullptr;
  LayerProcedure procedure;
  bool installed = false;
};

struct WindowRecord {
  HWND hwnd = nullptr;
  std::string name;
  Colour background = 0;
  HBRUSH brush = nullptr;
  std::vector<ControlRecord> controls;
  Layer layers[static_cast<int>(ProcedureLayer::kCount)];
  ControlRecord* Find(std::string_view control);
  const ControlRecord* Find(std::string_view control) const;
};

class Shell;

class Win32Windows : public WindowPort {
 public:
  explicit Win32Windows(Shell& shell) : shell_(shell) {}
  ~Win32Windows() override;

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
  // The program's window in front, or none when another program's is.
  WindowId ForegroundWindow() const override;
  // Through the whole procedure chain, the key-capture procedure first.
  void SendNonClientButtonDown(WindowId window, int hitTest) override;

  // Wraps the window's procedure in a layer; removing a layer that others
  // wrap leaves it in place but passing everything on.
  void InstallLayer(WindowId window, ProcedureLayer layer, LayerProcedure procedure);
  void RemoveLayer(WindowId window, ProcedureLayer layer);

  WindowRecord* Get(WindowId window);
  const WindowRecord* Get(WindowId window) const;
  WindowId FromHandle(HWND hwnd) const;
  HWND Handle(WindowId window) const;

  // The window procedure of every program window (the innermost one).
  LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The procedure of a layer, called by the layer's thunk.
  LRESULT LayerMessage(ProcedureLayer layer, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void CreateControl(WindowRecord& record, const ControlSpec& laidOut);
  void Release(WindowRecord& record);

  Shell& shell_;
  std::map<WindowId, WindowRecord> windows_;
  WindowId next_ = 1;
  bool destroyingThroughPort_ = false;
};

class Win32Timers : public TimerPort {
 public:
  explicit Win32Timers(Shell& shell) : shell_(shell) {}
  void SetTimerPeriod(WindowId window, std::string_view timer, int periodMs) override;
  int TimerPeriod(WindowId window, std::string_view timer) const override;
  // WM_TIMER of a program window: the timer's name, or empty.
  std::string NameOf(WindowId window, UINT_PTR id) const;

 private:
  struct Timer {
    UINT_PTR id = 0;
    int period = 0;
  };
  Shell& shell_;
  std::map<std::pair<WindowId, std::string>, Timer> timers_;
  UINT_PTR next_ = 1;
};

// midiOut*, or, when ORIWEN_MIDI_SINK names a file, a sink in its place as
// device 0 that writes each short message as a line of hex bytes.
class Win32Midi : public MidiPort {
 public:
  Win32Midi();
  ~Win32Midi() override;
  int DeviceCount() override;
  bool Open(int deviceIndex) override;
  void SendShortMessage(std::uint32_t message) override;

 private:
  std::wstring sinkPath_;
  HANDLE sink_ = INVALID_HANDLE_VALUE;
  HMIDIOUT device_ = nullptr;
};

class Win32Process : public ProcessPort {
 public:
  TokenHandle OpenSingleInstanceToken(std::string_view name) override;
  TokenHandle CreateSingleInstanceToken(std::string_view name) override;
  void CloseToken(TokenHandle token) override;
  int OsMajorVersion() override;
  std::string ProgramDirectory() override;
  std::string ProgramFile() override;
  void EndProcess(int exitCode) override;

 private:
  TokenHandle Keep(HANDLE handle);
  std::map<TokenHandle, HANDLE> handles_;
  TokenHandle next_ = 1;
};

class Win32Messages : public MessageBoxPort {
 public:
  explicit Win32Messages(Shell& shell) : shell_(shell) {}
  MessageAnswer ShowMessageBox(WindowId owner, std::string_view text, std::string_view title,
                               MessageButtons buttons, MessageIcon icon) override;

 private:
  Shell& shell_;
};

class Win32Hooks : public HookPort {
 public:
  explicit Win32Hooks(Shell& shell) : shell_(shell) {}
  HookHandle InstallHook(HookKind kind) override;
  void RemoveHook(HookHandle hook) override;
  // The hook procedures' way back to the core.
  LRESULT Deliver(HookKind kind, int code, WPARAM wParam, LPARAM lParam);

 private:
  struct Installed {
    HookKind kind;
    HHOOK hook = nullptr;  // none for the main window's filter (a procedure layer)
  };
  HHOOK HandleOf(HookKind kind) const;
  Shell& shell_;
  std::map<HookHandle, Installed> installed_;
  HookHandle next_ = 1;
};

// Glass through dwmapi.dll, looked up at the time of each call so that the
// program starts where the library is missing.
class Win32Glass : public GlassPort {
 public:
  explicit Win32Glass(Shell& shell) : shell_(shell) {}
  bool CompositionEnabled() override;
  void MakeLayered(WindowId window, bool keepExtendedStyles) override;
  void SetLayeredColourKey(WindowId window, Colour key) override;
  void ExtendFrameIntoClientArea(WindowId window, Margins margins) override;

 private:
  Shell& shell_;
};

// The whole Windows side of one program.
class Shell {
 public:
  Shell();
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;
  ~Shell();

  Ports ports();
  // The program the OS callbacks lead to; set once, before it starts. Hands
  // the keyboard hooks, the main window's key-capture procedure and the
  // background toggle to the core.
  void Attach(Program& program);
  Program* program() { return program_; }
  // Runs the message loop until the main window is gone; the exit code.
  int RunMessageLoop();

  // The one pointer that callbacks without user data (hook procedures,
  // window procedures) need.
  static Shell* Current() { return current_; }

  CoreProcedures procedures;
  Win32Windows windows;
  Win32Timers timers;
  Win32Midi midi;
  ProfileFileStore store;
  Win32Process process;
  Win32Messages messages;
  Win32Hooks hooks;
  Win32Glass glass;

 private:
  static Shell* current_;
  Program* program_ = nullptr;
};

// The screen font of the program's controls.
HFONT ControlFont();

}  // namespace oriwen::win32
