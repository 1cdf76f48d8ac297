#include "keyboard_view/keyboard_toggle.h"

namespace oriwen {

void ToggleKeyboard(Program& /*program*/) {}

}  // namespace oriwen
