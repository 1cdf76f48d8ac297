#pragma once
#include <cstdint>

namespace oriwen {

// One keystroke as a keyboard hook receives it. The thread hook gets the
// generic codes of Shift, Ctrl and Alt (16, 17, 18); the low-level hook gets
// their left and right codes (160 to 165).
struct KeyEvent {
  int virtualKey = 0;
  bool extended = false;  // the extended-key flag
  bool up = false;        // the key was released (else pressed or repeated)
};

// What a keyboard hook tells the shell: hand the keystroke on to the next
// hook and the window, or discard it.
enum class HookVerdict { Pass, Swallow };

// The Enter key of the numeric pad: Enter with the extended flag.
inline constexpr std::int32_t kKeypadEnter = -13;

inline std::int32_t KeyCodeOf(const KeyEvent& event) {
  return event.extended && event.virtualKey == 13 ? kKeypadEnter : event.virtualKey;
}

}  // namespace oriwen
