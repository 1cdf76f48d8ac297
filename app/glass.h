#pragma once
#include "platform/geometry.h"

namespace oriwen {
struct Program;

inline constexpr Colour kGlassBackground = Rgb(227, 237, 246);

// The glass look of the main window: only on systems from version 6 on with
// desktop composition switched on.
void ApplyMainWindowGlass(Program& program);
}  // namespace oriwen
