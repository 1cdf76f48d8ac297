#pragma once
#include "platform/geometry.h"

namespace oriwen {
struct Program;
// Window edge snapping: the main window snaps to the work area's edges
// within `distance` pixels. Not built yet: does nothing.
void InstallSnapping(Program& program, WindowId window, int distance);
}  // namespace oriwen
