#pragma once

namespace oriwen {
struct Program;
// Sets isWindows6OrLater from the major version the system reports.
void DetectWindowsVersion(Program& program);
}  // namespace oriwen
