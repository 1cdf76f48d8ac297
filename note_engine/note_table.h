#pragma once
#include <array>
#include <cstdint>

namespace oriwen {

// MIDI notes of the C-major scale from 0 to 120, entries 1..71 (entry 0 unused).
struct NoteTable {
  std::array<std::int32_t, 72> note{};
  std::int32_t operator[](int index) const { return note[static_cast<std::size_t>(index)]; }
};

inline constexpr int kNoteTableSize = 71;

void FillNoteTable(NoteTable& table);

// Scale degree 1..7 (Do..Xi) of table index k.
int ScaleDegree(int index);
// Degrees 3 (Mi) and 7 (Xi) have no raised note.
bool DegreeHasSharp(int index);

}  // namespace oriwen
