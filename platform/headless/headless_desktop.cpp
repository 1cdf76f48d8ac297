#include <string>

#include "app/program.h"
#include "input/background_key_hook.h"
#include "input/foreground_key_hook.h"
#include "input/virtual_keys.h"
#include "platform/headless/headless_platform.h"

namespace oriwen::headless {
namespace {

// The low-level hook hears the left or right key; 16, 17 and 18 stand for
// the left ones.
int SpecificCode(int code) {
  switch (code) {
    case vk::kShift: return vk::kLeftShift;
    case vk::kCtrl: return vk::kLeftCtrl;
    case vk::kAlt: return vk::kLeftAlt;
    default: return code;
  }
}

// Windows get the generic codes of Shift, Ctrl and Alt.
int GenericCode(int code) {
  if (code == 160 || code == 161) return 16;
  if (code == 162 || code == 163) return 17;
  if (code == 164 || code == 165) return 18;
  return code;
}

const char* VerdictText(bool seen, bool swallowed) {
  return !seen ? "-" : swallowed ? "swallow" : "pass";
}

}  // namespace

std::string MessageName(MainWindowMessageKind kind) {
  switch (kind) {
    case MainWindowMessageKind::KeyDown: return "keydown";
    case MainWindowMessageKind::SysKeyDown: return "syskeydown";
    case MainWindowMessageKind::KeyUp: return "keyup";
    case MainWindowMessageKind::SysKeyUp: return "syskeyup";
    case MainWindowMessageKind::NonClientDoubleClick: return "nc-double-click";
    case MainWindowMessageKind::NonClientButtonDown: return "nc-button-down";
    case MainWindowMessageKind::SysCommand: return "syscommand";
    case MainWindowMessageKind::Other: return "other";
  }
  return "?";
}

std::string HeadlessDesktop::WindowName(WindowId window) const {
  if (window == kOtherProgramWindow) return "other";
  if (window == kNoWindow || !windows_.Exists(window)) return "none";
  if (program_) {
    if (window == program_->mainWindow) return "main";
    if (window == program_->settingsWindow) return "settings";
    if (window == program_->layoutWizard) return "wizard";
  }
  return windows_.Get(window)->name;
}

KeyDelivery HeadlessDesktop::Press(int virtualKey, bool extended) {
  return Deliver(virtualKey, extended, false);
}

KeyDelivery HeadlessDesktop::Release(int virtualKey, bool extended) {
  return Deliver(virtualKey, extended, true);
}

KeyDelivery HeadlessDesktop::Deliver(int virtualKey, bool extended, bool up) {
  KeyDelivery d;
  int specific = SpecificCode(virtualKey);
  int generic = GenericCode(specific);
  bool altHeld = held_.count(vk::kLeftAlt) || held_.count(vk::kRightAlt);
  d.repeat = !up && held_.count(specific);
  if (up) {
    held_.erase(specific);
  } else {
    held_.insert(specific);
  }
  // Alt and every key typed while it is held (and F10) come as system keys.
  bool sys = altHeld || generic == 18 || generic == vk::kF10;
  using Kind = MainWindowMessageKind;
  Kind kind = up ? (sys ? Kind::SysKeyUp : Kind::KeyUp) : (sys ? Kind::SysKeyDown : Kind::KeyDown);

  auto report = [&]() {
    std::string line =
        "keystroke " + std::to_string(virtualKey) + " " +
        (up         ? "release"
         : d.repeat ? "repeat"
                    : "press") +
        (extended ? " extended" : "") +
        " low-level=" + VerdictText(d.lowLevelSeen, d.lowLevelSwallowed) +
        " thread=" + VerdictText(d.threadSeen, d.threadSwallowed) +
        " reached=" + WindowName(d.reached) +
        (d.reached != kNoWindow && !windows_.focusedControl.empty() ? ":" + windows_.focusedControl
                                                                    : "");
    sink_(line);
    return d;
  };

  // The low-level hooks hear every key of the desktop first.
  if (program_ && hooks_.Installed(HookKind::LowLevelKeyboard)) {
    d.lowLevelSeen = true;
    d.lowLevelSwallowed =
        BackgroundKeyHook(*program_, {specific, extended, up}) == HookVerdict::Swallow;
    if (d.lowLevelSwallowed) return report();
  }
  WindowId front = windows_.foreground;
  if (front == kOtherProgramWindow) {
    // Another program's thread: the program's thread hook never hears it.
    received.push_back({front, "", kind, generic});
    d.reached = front;
    return report();
  }
  if (!windows_.Exists(front)) return report();
  if (program_ && hooks_.Installed(HookKind::ThreadKeyboard)) {
    d.threadSeen = true;
    d.threadSwallowed =
        ForegroundKeyHook(*program_, {generic, extended, up}) == HookVerdict::Swallow;
    if (d.threadSwallowed) return report();
  }
  const std::string& control = windows_.focusedControl;
  if (program_ && front == program_->mainWindow && control.empty() &&
      hooks_.Installed(HookKind::MainWindowFilter)) {
    MainWindowFilter(*program_, {kind, generic});  // never consumes a key
  }
  received.push_back({front, control, kind, generic});
  d.reached = front;
  return report();
}

FilterVerdict HeadlessDesktop::SendToMainWindow(const MainWindowMessage& message) {
  if (!program_) return {};
  if (hooks_.Installed(HookKind::MainWindowFilter)) {
    FilterVerdict v = MainWindowFilter(*program_, message);
    if (v.consumed) return v;
  }
  // The rest of the chain: the system's own handling (for a border, the
  // sizing drag starts).
  sink_("frame-default window=" + std::to_string(program_->mainWindow) + " " +
        MessageName(message.kind) + " wparam=" + std::to_string(message.wParam));
  return {};
}

void HeadlessDesktop::OnWindowDestroyed(WindowId window) {
  const WindowRecord* record = windows_.Get(window);
  if (record && record->name == "MainWindow") hooks_.Forget(HookKind::MainWindowFilter);
}

std::vector<ReceivedKey> HeadlessDesktop::ReceivedBy(WindowId window) const {
  std::vector<ReceivedKey> keys;
  for (const ReceivedKey& k : received) {
    if (k.window == window) keys.push_back(k);
  }
  return keys;
}

}  // namespace oriwen::headless
