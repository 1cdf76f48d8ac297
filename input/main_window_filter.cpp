#include "input/main_window_filter.h"

#include "app/program.h"
#include "input/virtual_keys.h"
#include "note_engine/note_engine.h"

namespace oriwen {
namespace {

constexpr FilterVerdict kPassOn{};
constexpr FilterVerdict kConsumed{true, 1};

FilterVerdict OnNonClientButtonDown(Program& p, int hitTest) {
  switch (hitTest) {
    case kHitTop:
    case kHitBottom: return kConsumed;  // never sized vertically
    case kHitTopLeft:
    case kHitBottomLeft:
      // A corner sizes sideways only: start the drag at the side instead.
      if (KeyboardSteady(p)) p.ports.windows.SendNonClientButtonDown(p.mainWindow, kHitLeft);
      return kConsumed;
    case kHitTopRight:
    case kHitBottomRight:
      if (KeyboardSteady(p)) p.ports.windows.SendNonClientButtonDown(p.mainWindow, kHitRight);
      return kConsumed;
    case kHitLeft:
    case kHitRight: return KeyboardSteady(p) ? kPassOn : kConsumed;
    default: return kPassOn;
  }
}

}  // namespace

void InstallMainWindowFilter(Program& program) {
  program.mainWindowFilter = program.ports.hooks.InstallHook(HookKind::MainWindowFilter);
}

bool KeyboardSteady(const Program& p) {
  const WindowPort& w = p.ports.windows;
  const TimerPort& t = p.ports.timers;
  return w.Checked(p.mainWindow, "选择框_虚拟琴键") &&
         t.TimerPeriod(p.mainWindow, "时钟_琴键展开") == 0 &&
         t.TimerPeriod(p.mainWindow, "时钟_琴键收起") == 0;
}

FilterVerdict MainWindowFilter(Program& p, const MainWindowMessage& message) {
  using Kind = MainWindowMessageKind;
  switch (message.kind) {
    case Kind::KeyDown:
    case Kind::SysKeyDown:
      // The filter knows only Shift as a raise key, and codes as they come.
      if (message.wParam == vk::kShift) {
        p.filterShiftDown = true;
      } else {
        NoteKeyDown(p, message.wParam, p.filterShiftDown ? 1 : 0);
      }
      return kPassOn;
    case Kind::KeyUp:
    case Kind::SysKeyUp:
      if (message.wParam == vk::kShift) {
        p.filterShiftDown = false;
      } else {
        NoteKeyUp(p, message.wParam);
      }
      return kPassOn;
    case Kind::NonClientDoubleClick: return kConsumed;  // the caption never maximises or restores
    case Kind::NonClientButtonDown: return OnNonClientButtonDown(p, message.wParam);
    case Kind::SysCommand:
      // Only the menu's own Size command; a border drag sends SC_SIZE + edge.
      return message.wParam == kSysCommandSize ? kConsumed : kPassOn;
    case Kind::Other: break;
  }
  return kPassOn;
}

}  // namespace oriwen
