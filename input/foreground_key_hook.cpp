#include "input/foreground_key_hook.h"

#include "app/program.h"
#include "input/virtual_keys.h"
#include "note_engine/note_engine.h"

namespace oriwen {
namespace {

bool WizardInFront(const Program& p) {
  if (p.layoutWizard == kNoWindow || !p.ports.windows.Exists(p.layoutWizard)) return false;
  return p.ports.windows.ForegroundWindow() == p.layoutWizard;
}

}  // namespace

bool InstallForegroundKeyHook(Program& program) {
  program.foregroundKeyHook = program.ports.hooks.InstallHook(HookKind::ThreadKeyboard);
  return program.foregroundKeyHook != kNoHook;
}

void RemoveForegroundKeyHook(Program& program) {
  if (program.foregroundKeyHook == kNoHook) return;
  program.ports.hooks.RemoveHook(program.foregroundKeyHook);
  program.foregroundKeyHook = kNoHook;
}

HookVerdict ForegroundKeyHook(Program& p, const KeyEvent& event) {
  // 1. The wizard records keys by its own means; nothing changes here.
  if (WizardInFront(p)) return HookVerdict::Pass;
  // 2.-3.
  std::int32_t k = KeyCodeOf(event);
  int r = 0;
  // 4. Background mode plays every key itself.
  if (p.backgroundKeyHook != kNoHook) return HookVerdict::Pass;
  // 5. The modifiers never reach the note engine.
  bool down = !event.up;
  KeyModifierState& m = p.modifiers;
  if (k == vk::kShift) {
    m.shiftDown = down;
  } else if (k == vk::kSpace) {
    m.spaceDown = down;
  } else if (k == vk::kAlt) {
    m.altDown = down;
  } else if (k == vk::kCtrl) {
    AllNotesOff(p);  // press, every repeat and release alike
  } else if (m.altDown) {
    // Alt+key belongs to menus and the system, not to the instrument.
  } else if (!down) {
    r = NoteKeyUp(p, k);
  } else {
    r = NoteKeyDown(p, k, m.Raise());
  }
  // 6. A claimed key never reaches the focused window.
  return r != 0 ? HookVerdict::Swallow : HookVerdict::Pass;
}

}  // namespace oriwen
