#include "input/background_key_hook.h"

#include "app/program.h"
#include "input/virtual_keys.h"
#include "note_engine/note_engine.h"

namespace oriwen {

void OnBackgroundToggleClick(Program& p) {
  WindowPort& w = p.ports.windows;
  if (!w.Checked(p.mainWindow, kBackgroundToggle)) {
    RemoveBackgroundKeyHook(p);
    return;
  }
  if (InstallBackgroundKeyHook(p)) return;
  // Setting the box does not run this handler again.
  w.SetChecked(p.mainWindow, kBackgroundToggle, false);
  p.ports.messages.ShowMessageBox(p.mainWindow, kBackgroundHookFailedText, "出错",
                                  MessageButtons::Ok, MessageIcon::Exclamation);
}

bool InstallBackgroundKeyHook(Program& p) {
  // A second hook would play every key twice and could never be removed.
  if (p.backgroundKeyHook != kNoHook) return true;
  p.modifiers = KeyModifierState{};
  p.backgroundKeyHook = p.ports.hooks.InstallHook(HookKind::LowLevelKeyboard);
  return p.backgroundKeyHook != kNoHook;
}

void RemoveBackgroundKeyHook(Program& program) {
  if (program.backgroundKeyHook == kNoHook) return;
  program.ports.hooks.RemoveHook(program.backgroundKeyHook);
  program.backgroundKeyHook = kNoHook;
}

HookVerdict BackgroundKeyHook(Program& p, const KeyEvent& event) {
  // 1.-2.
  bool down = !event.up;
  std::int32_t k = KeyCodeOf(event);
  // 3.
  KeyModifierState& m = p.modifiers;
  if (k == vk::kLeftShift || k == vk::kRightShift) {
    m.shiftDown = down;
  } else if (k == vk::kSpace) {
    m.spaceDown = down;
  } else if (k == vk::kLeftAlt || k == vk::kRightAlt) {
    m.altDown = down;
  } else if (k == vk::kLeftCtrl || k == vk::kRightCtrl) {
    AllNotesOff(p);
  } else if (m.altDown) {
    // Alt+key goes to whatever program is in front, unplayed.
  } else if (!down) {
    NoteKeyUp(p, k);
  } else {
    NoteKeyDown(p, k, m.Raise());
  }
  // 4.-5. Read at every keystroke, so that option changes apply at once.
  bool lockKey = k == vk::kCapsLock || k == vk::kNumLock || k == vk::kScrollLock;
  bool swallow =
      (p.settings.lockKeyLights != 0 && lockKey) || (p.settings.blockSpace != 0 && k == vk::kSpace);
  return swallow ? HookVerdict::Swallow : HookVerdict::Pass;
}

}  // namespace oriwen
