#pragma once
#include <cstdint>

namespace oriwen {

struct Program;

// Computer keys to notes: the first enabled row that holds the key plays it
// on the row's channel. Both return 1 when an enabled row holds the key.
int NoteKeyDown(Program& program, std::int32_t keyCode, std::int32_t raise);
int NoteKeyUp(Program& program, std::int32_t keyCode);

// Instruments of the channels: 1..5 a key row's, 0 the on-screen keyboard's.
inline constexpr int kAllChannels = -1;
void ApplyInstruments(Program& program, int which);

// Note-offs for every note 0..127 on channels 1..6, note by note.
void AllNotesOff(Program& program);

}  // namespace oriwen
