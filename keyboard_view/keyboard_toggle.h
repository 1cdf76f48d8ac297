#pragma once

namespace oriwen {
struct Program;
// Click handler of 选择框_虚拟琴键: opens or closes the on-screen keyboard.
// Not built yet: does nothing.
void ToggleKeyboard(Program& program);
}  // namespace oriwen
