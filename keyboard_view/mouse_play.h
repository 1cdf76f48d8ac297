#pragma once

namespace oriwen {
struct Program;
// The thread mouse hook of mouse play. Not built yet: does nothing.
void InstallMouseHook(Program& program);
void RemoveMouseHook(Program& program);
}  // namespace oriwen
