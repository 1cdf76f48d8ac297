#pragma once
#include <string_view>

namespace oriwen::linux_shell {

// The Windows virtual-key code of a physical key, named as XKB names it
// (AC01, KPEN, RTSH, ...). The code belongs to the key's place on a US
// keyboard, whatever the active layout prints on it, so that key rows and
// settings files mean the same keys on every layout and on both systems.
// Shift, Ctrl and Alt give their left/right codes (160..165), as the
// low-level hook reports them; the numeric pad gives its Num Lock codes;
// the numeric pad's Enter is -13, the main Enter 13. 0 for an unknown name.
int VirtualKeyForXkbName(std::string_view keyName);

// The code the thread keyboard hook reports for the same key: one code for
// both Shift keys (16), both Ctrl keys (17) and both Alt keys (18).
int ThreadHookVirtualKey(int virtualKey);

}  // namespace oriwen::linux_shell
