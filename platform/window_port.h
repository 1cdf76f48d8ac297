#pragma once
#include <span>
#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace oriwen {

enum class ControlKind {
  ToggleButton,  // check box drawn as a push button
  CheckBox,
  RadioButton,
  Label,
  Edit,
  ComboBox,
  HScrollBar,
  PushButton,
  Canvas,
  Timer,
  TrayIcon,
  MidiComponent,
};

// One control of a window exactly as laid out, in client coordinates.
struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::string_view text;
};

// A window as laid out: its outer size, title and controls.
struct WindowLayout {
  std::string_view name;
  std::string_view title;
  int width = 0;
  int height = 0;
  std::span<const ControlSpec> controls;
};

// Windows and their controls. Calls are synchronous: a size change has
// taken effect (and its handlers have run) when the call returns.
class WindowPort {
 public:
  virtual ~WindowPort() = default;

  virtual WindowId CreateFromLayout(const WindowLayout& layout, WindowId owner) = 0;
  virtual void Destroy(WindowId window) = 0;
  virtual bool Exists(WindowId window) const = 0;
  virtual void Show(WindowId window) = 0;

  virtual Rect OuterRect(WindowId window) const = 0;
  virtual Size ClientSize(WindowId window) const = 0;
  virtual void SetOuterRect(WindowId window, Rect rect) = 0;
  // Size of the primary display (not the work area).
  virtual Size ScreenSize() const = 0;

  virtual void SetBackground(WindowId window, Colour colour) = 0;
  virtual Colour Background(WindowId window) const = 0;

  virtual void SetChecked(WindowId window, std::string_view control, bool checked) = 0;
  virtual bool Checked(WindowId window, std::string_view control) const = 0;
  virtual void SetTag(WindowId window, std::string_view control, std::string tag) = 0;
  virtual std::string Tag(WindowId window, std::string_view control) const = 0;
  virtual void SetControlBackground(WindowId window, std::string_view control, Colour colour) = 0;

  // The global hot key; the shell reports a press to the core's hot-key handler.
  virtual bool RegisterHotKey(WindowId window, int id, int modifiers, int virtualKey) = 0;

  // The window in front of the desktop when it is one of the program's own,
  // else kNoWindow (another program in front, or none).
  virtual WindowId ForegroundWindow() const { return kNoWindow; }
  // Sends the window a mouse press on its frame (a non-client button-down
  // with this hit-test code), synchronously and through the window's whole
  // procedure chain, so that the key-capture procedure sees it first.
  virtual void SendNonClientButtonDown(WindowId /*window*/, int /*hitTest*/) {}
};

}  // namespace oriwen
