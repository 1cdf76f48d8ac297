#pragma once

namespace oriwen {
struct Program;
// Removes the low-level keyboard hook of background mode, if installed.
void RemoveBackgroundKeyHook(Program& program);
}  // namespace oriwen
