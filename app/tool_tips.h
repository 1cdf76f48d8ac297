#pragma once

namespace oriwen {
struct Program;
// Balloon tips of the main window's buttons. Not built yet: does nothing.
void AttachMainWindowToolTips(Program& program);
}  // namespace oriwen
