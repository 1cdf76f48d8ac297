#include "keyboard_view/mouse_play.h"

#include "app/program.h"

namespace oriwen {

void InstallMouseHook(Program& /*program*/) {}

void RemoveMouseHook(Program& program) {
  if (program.mouseHook == kNoHook) return;
  program.ports.hooks.RemoveHook(program.mouseHook);
  program.mouseHook = kNoHook;
}

}  // namespace oriwen
