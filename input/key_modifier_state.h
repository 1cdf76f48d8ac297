#pragma once

namespace oriwen {

// Modifier keys held, shared by the foreground and background key hooks.
// Whichever hook plays owns them: the foreground hook while no background
// hook is installed, the background hook while it is.
struct KeyModifierState {
  bool altDown = false;  // while set, no key reaches the note engine
  bool shiftDown = false;
  bool spaceDown = false;
  // The raise argument of a key-down: Shift or the space bar held.
  int Raise() const { return shiftDown || spaceDown ? 1 : 0; }
};

}  // namespace oriwen
