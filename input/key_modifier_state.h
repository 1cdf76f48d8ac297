#pragma once

namespace oriwen {

// Modifier keys held, shared by the foreground and background key hooks.
struct KeyModifierState {
  bool altDown = false;
  bool shiftDown = false;
  bool spaceDown = false;
};

}  // namespace oriwen
