#pragma once
#include "input/key_event.h"

namespace oriwen {
struct Program;

// The thread keyboard hook: false when it cannot be installed.
bool InstallForegroundKeyHook(Program& program);
void RemoveForegroundKeyHook(Program& program);

// The hook procedure, for every key bound for a window of the program.
// Swallows the keys the note engine claims; stands aside while the wizard
// is in front or a background hook is installed.
HookVerdict ForegroundKeyHook(Program& program, const KeyEvent& event);

}  // namespace oriwen
