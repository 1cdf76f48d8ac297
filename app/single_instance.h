#pragma once

namespace oriwen {
struct Program;
// Lets a new instance start: the wizard calls this just before it restarts
// the program.
void ReleaseSingleInstance(Program& program);
}  // namespace oriwen
