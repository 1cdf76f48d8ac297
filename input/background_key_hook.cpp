#include "input/background_key_hook.h"

#include "app/program.h"

namespace oriwen {

void RemoveBackgroundKeyHook(Program& program) {
  if (program.backgroundKeyHook == kNoHook) return;
  program.ports.hooks.RemoveHook(program.backgroundKeyHook);
  program.backgroundKeyHook = kNoHook;
}

}  // namespace oriwen
