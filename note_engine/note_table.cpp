#include "note_engine/note_table.h"

namespace oriwen {

void FillNoteTable(NoteTable& table) {
  constexpr std::int32_t kSteps[7] = {0, 2, 4, 5, 7, 9, 11};
  table.note[0] = 0;
  for (int k = 1; k <= kNoteTableSize; ++k) {
    table.note[static_cast<std::size_t>(k)] = 12 * ((k - 1) / 7) + kSteps[(k - 1) % 7];
  }
}

int ScaleDegree(int index) { return ((index - 1) % 7 + 7) % 7 + 1; }

bool DegreeHasSharp(int index) {
  int degree = ScaleDegree(index);
  return degree != 3 && degree != 7;
}

}  // namespace oriwen
