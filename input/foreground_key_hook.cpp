#include "input/foreground_key_hook.h"

#include "app/program.h"

namespace oriwen {

void InstallMainWindowFilter(Program& /*program*/) {}

bool InstallForegroundKeyHook(Program& program) {
  program.foregroundKeyHook = program.ports.hooks.InstallHook(HookKind::ThreadKeyboard);
  return program.foregroundKeyHook != kNoHook;
}

void RemoveForegroundKeyHook(Program& program) {
  if (program.foregroundKeyHook == kNoHook) return;
  program.ports.hooks.RemoveHook(program.foregroundKeyHook);
  program.foregroundKeyHook = kNoHook;
}

}  // namespace oriwen
