// The Windows events the core acts on: the two keyboard hooks, the main
// window's key-capture procedure and the background toggle, handed to the
// core's procedures. All of it runs on the user-interface thread.
#include "app/program.h"
#include "input/background_key_hook.h"
#include "input/foreground_key_hook.h"
#include "input/main_window_filter.h"
#include "platform/win32/win32_platform.h"

namespace oriwen::win32 {
namespace {

// The thread hook's lParam: bit 24 the extended key, bit 31 set on release.
constexpr LPARAM kExtendedBit = 0x1000000;
constexpr LPARAM kTransitionBit = static_cast<LPARAM>(0x80000000u);

KeyEvent ThreadKeyEvent(WPARAM wParam, LPARAM lParam) {
  return {static_cast<int>(wParam), (lParam & kExtendedBit) != 0, (lParam & kTransitionBit) != 0};
}

KeyEvent LowLevelKeyEvent(LPARAM lParam) {
  const auto* record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  return {static_cast<int>(record->vkCode), (record->flags & LLKHF_EXTENDED) != 0,
          (record->flags & LLKHF_UP) != 0};
}

MainWindowMessage ToMainWindowMessage(UINT message, WPARAM wParam) {
  using Kind = MainWindowMessageKind;
  Kind kind = Kind::Other;
  switch (message) {
    case WM_KEYDOWN: kind = Kind::KeyDown; break;
    case WM_SYSKEYDOWN: kind = Kind::SysKeyDown; break;
    case WM_KEYUP: kind = Kind::KeyUp; break;
    case WM_SYSKEYUP: kind = Kind::SysKeyUp; break;
    case WM_NCLBUTTONDBLCLK: kind = Kind::NonClientDoubleClick; break;
    case WM_NCLBUTTONDOWN: kind = Kind::NonClientButtonDown; break;
    case WM_SYSCOMMAND: kind = Kind::SysCommand; break;
    default: break;
  }
  return {kind, static_cast<int>(wParam)};
}

}  // namespace

void Shell::Attach(Program& program) {
  program_ = &program;
  procedures.hookEvent = [this](HookKind kind, int, WPARAM wParam, LPARAM lParam) {
    if (!program_) return false;
    switch (kind) {
      case HookKind::ThreadKeyboard:
        return ForegroundKeyHook(*program_, ThreadKeyEvent(wParam, lParam)) == HookVerdict::Swallow;
      case HookKind::LowLevelKeyboard:
        return BackgroundKeyHook(*program_, LowLevelKeyEvent(lParam)) == HookVerdict::Swallow;
      case HookKind::ThreadMouse:
      case HookKind::WizardLowLevelKeyboard:
      case HookKind::MainWindowFilter: break;
    }
    return false;
  };
  procedures.mainWindowFilter = [this](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    MainWindowMessage m = ToMainWindowMessage(message, wParam);
    if (!program_ || m.kind == MainWindowMessageKind::Other) return false;
    FilterVerdict verdict = MainWindowFilter(*program_, m);
    if (verdict.consumed) result = verdict.result;
    return verdict.consumed;
  };
  procedures.click = [this](WindowId window, const std::string& control) {
    if (!program_ || window != program_->mainWindow) return;
    if (control == kBackgroundToggle) OnBackgroundToggleClick(*program_);
  };
}

}  // namespace oriwen::win32
