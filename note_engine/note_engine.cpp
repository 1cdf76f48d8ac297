#include "note_engine/note_engine.h"

#include "app/program.h"

namespace oriwen {
namespace {

struct KeyMatch {
  int row = 0;  // 1..5, 0 when no enabled row holds the key
  int key = 0;  // 1-based index in the row
};

KeyMatch FindKey(const Program& program, std::int32_t keyCode) {
  for (int n = 1; n <= 5; ++n) {
    auto r = static_cast<std::size_t>(n - 1);
    if (program.settings.rowEnabled[r] == 0) continue;
    const auto& keys = program.rows.keys[r];
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (keys[i] == keyCode) return {n, static_cast<int>(i) + 1};
    }
  }
  return {};
}

// Table index of a key. The positions are kept within range when they are
// loaded and set; a value beyond it plays nothing rather than read outside
// the table.
int TableIndex(const Program& program, const KeyMatch& match) {
  return program.settings.rowPosition[static_cast<std::size_t>(match.row - 1)] + match.key - 1;
}

bool InTable(int index) { return index >= 1 && index <= kNoteTableSize; }

}  // namespace

int NoteKeyDown(Program& program, std::int32_t keyCode, std::int32_t raise) {
  KeyMatch match = FindKey(program, keyCode);
  if (match.row == 0) return 0;
  auto r = static_cast<std::size_t>(match.row - 1);
  auto& flag = program.rows.downFlags[r][static_cast<std::size_t>(match.key - 1)];
  if (flag == 1) return 1;
  int k = TableIndex(program, match);
  if (InTable(k)) {
    bool raised = raise == 1 && DegreeHasSharp(k) && program.settings.rowMayRaise[r] != 0;
    int note = program.settings.tonic + program.noteTable[k] + (raised ? 1 : 0);
    program.midi.NoteOn(note, match.row);
  }
  flag = 1;
  return 1;
}

int NoteKeyUp(Program& program, std::int32_t keyCode) {
  KeyMatch match = FindKey(program, keyCode);
  if (match.row == 0) return 0;
  auto r = static_cast<std::size_t>(match.row - 1);
  program.rows.downFlags[r][static_cast<std::size_t>(match.key - 1)] = 0;
  if (program.settings.rowRestOnRelease[r] != 0) {
    int k = TableIndex(program, match);
    if (InTable(k)) {
      int base = program.settings.tonic + program.noteTable[k];
      program.midi.NoteOff(base, match.row);
      if (DegreeHasSharp(k)) program.midi.NoteOff(base + 1, match.row);
    }
  }
  return 1;
}

void ApplyInstruments(Program& program, int which) {
  for (int n = 1; n <= 5; ++n) {
    if (which == n || which == kAllChannels) {
      program.midi.SetInstrument(
          program.settings.rowInstrument[static_cast<std::size_t>(n - 1)] + 2, n);
    }
  }
  if (which == 0 || which == kAllChannels) {
    program.midi.SetInstrument(program.settings.mouseInstrument + 2, 6);
  }
}

void AllNotesOff(Program& program) {
  for (int note = 0; note <= 127; ++note) {
    for (int channel = 1; channel <= 6; ++channel) program.midi.NoteOff(note, channel);
  }
}

}  // namespace oriwen
