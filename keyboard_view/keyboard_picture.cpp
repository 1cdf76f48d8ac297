#include "keyboard_view/keyboard_picture.h"

namespace oriwen {

void BuildKeyboardPicture(Program& /*program*/) {}

}  // namespace oriwen
