#pragma once

namespace oriwen {
struct Program;
// Draws the ten-octave keyboard picture. Not built yet: does nothing.
void BuildKeyboardPicture(Program& program);
}  // namespace oriwen
