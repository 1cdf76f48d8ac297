#pragma once

namespace oriwen {
struct Program;

// The main window's key-capture procedure. Not built yet: does nothing.
void InstallMainWindowFilter(Program& program);

// The thread keyboard hook: false when it cannot be installed.
bool InstallForegroundKeyHook(Program& program);
void RemoveForegroundKeyHook(Program& program);
}  // namespace oriwen
