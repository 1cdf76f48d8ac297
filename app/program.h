#pragma once
#include "input/key_modifier_state.h"
#include "note_engine/key_rows.h"
#include "note_engine/midi_play.h"
#include "note_engine/note_table.h"
#include "platform/ports.h"
#include "settings/settings_record.h"

namespace oriwen {

// Everything the program keeps for its whole run. A shell builds one, with
// its ports, and hands it to the handlers by reference.
struct Program {
  explicit Program(const Ports& machine) : ports(machine), midi(machine.midi) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Ports ports;

  Settings settings;
  KeyRows rows;
  NoteTable noteTable;
  KeyModifierState modifiers;
  bool isWindows6OrLater = false;

  TokenHandle singleInstanceEvent = kNoToken;
  HookHandle backgroundKeyHook = kNoHook;
  HookHandle foregroundKeyHook = kNoHook;
  HookHandle mouseHook = kNoHook;
  HookHandle mainWindowFilter = kNoHook;
  bool filterShiftDown = false;  // the main window filter's own Shift flag

  MIDIPlay midi;  // MIDI演奏1

  WindowId mainWindow = kNoWindow;
  WindowId settingsWindow = kNoWindow;
  WindowId layoutWizard = kNoWindow;
};

}  // namespace oriwen
