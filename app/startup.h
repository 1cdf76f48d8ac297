#pragma once

namespace oriwen {

struct Program;

inline constexpr const char* kSingleInstanceName = "oriwenqin2.0";

// Process start: loads the main window and runs its creation handler. False
// when the program ended during start-up (a second instance, no MIDI
// device); the shell then leaves without a message loop.
bool StartProgram(Program& program);

// The main window's creation handler.
bool OnMainWindowCreate(Program& program);

}  // namespace oriwen
