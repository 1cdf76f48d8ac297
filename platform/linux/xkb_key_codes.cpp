#include "platform/linux/xkb_key_codes.h"


namespace oriwen::linux_shell {
namespace {

struct KeyCode {
  std::string_view name;
  int code;
};

// XKB key names (the keycodes of the evdev rules, with the aliases the
// keymaps use) to virtual-key codes.
constexpr KeyCode kKeys[] = {
    // Main block, by row.
    {"TLDE", 0xC0}, {"AE01", '1'}, {"AE02", '2'}, {"AE03", '3'}, {"AE04", '4'},
    {"AE05", '5'}, {"AE06", '6'}, {"AE07", '7'}, {"AE08", '8'}, {"AE09", '9'},
    {"AE10", '0'}, {"AE11", 0xBD}, {"AE12", 0xBB}, {"BKSP", 0x08},
    {"TAB", 0x09}, {"AD01", 'Q'}, {"AD02", 'W'}, {"AD03", 'E'}, {"AD04", 'R'},
    {"AD05", 'T'}, {"AD06", 'Y'}, {"AD07", 'U'}, {"AD08", 'I'}, {"AD09", 'O'},
    {"AD10", 'P'}, {"AD11", 0xDB}, {"AD12", 0xDD}, {"BKSL", 0xDC}, {"AC12", 0xDC},
    {"CAPS", 0x14}, {"AC01", 'A'}, {"AC02", 'S'}, {"AC03", 'D'}, {"AC04", 'F'},
    {"AC05", 'G'}, {"AC06", 'H'}, {"AC07", 'J'}, {"AC08", 'K'}, {"AC09", 'L'},
    {"AC10", 0xBA}, {"AC11", 0xDE}, {"RTRN", 0x0D},
    {"LFSH", 0xA0}, {"LSGT", 0xE2}, {"AB01", 'Z'}, {"AB02", 'X'}, {"AB03", 'C'},
    {"AB04", 'V'}, {"AB05", 'B'}, {"AB06", 'N'}, {"AB07", 'M'}, {"AB08", 0xBC},
    {"AB09", 0xBE}, {"AB10", 0xBF}, {"RTSH", 0xA1},
    {"LCTL", 0xA2}, {"LWIN", 0x5B}, {"LMTA", 0x5B}, {"LALT", 0xA4}, {"SPCE", 0x20},
    {"RALT", 0xA5}, {"LVL3", 0xA5}, {"RWIN", 0x5C}, {"RMTA", 0x5C}, {"COMP", 0x5D},
    {"MENU", 0x5D}, {"RCTL", 0xA3},
    // Function row.
    {"ESC", 0x1B}, {"FK01", 0x70}, {"FK02", 0x71}, {"FK03", 0x72}, {"FK04", 0x73},
    {"FK05", 0x74}, {"FK06", 0x75}, {"FK07", 0x76}, {"FK08", 0x77}, {"FK09", 0x78},
    {"FK10", 0x79}, {"FK11", 0x7A}, {"FK12", 0x7B}, {"PRSC", 0x2C}, {"SCLK", 0x91},
    {"PAUS", 0x13},
    // Editing and cursor keys.
    {"INS", 0x2D}, {"HOME", 0x24}, {"PGUP", 0x21}, {"DELE", 0x2E}, {"END", 0x23},
    {"PGDN", 0x22}, {"UP", 0x26}, {"LEFT", 0x25}, {"DOWN", 0x28}, {"RGHT", 0x27},
    // Numeric pad (Num Lock on).
    {"NMLK", 0x90}, {"KPDV", 0x6F}, {"KPMU", 0x6A}, {"KPSU", 0x6D}, {"KP7", 0x67},
    {"KP8", 0x68}, {"KP9", 0x69}, {"KPAD", 0x6B}, {"KP4", 0x64}, {"KP5", 0x65},
    {"KP6", 0x66}, {"KP1", 0x61}, {"KP2", 0x62}, {"KP3", 0x63}, {"KPEN", -13},
    {"KP0", 0x60}, {"KPDL", 0x6E},
    // Further function keys.
    {"FK13", 0x7C}, {"FK14", 0x7D}, {"FK15", 0x7E}, {"FK16", 0x7F}, {"FK17", 0x80},
    {"FK18", 0x81}, {"FK19", 0x82}, {"FK20", 0x83}, {"FK21", 0x84}, {"FK22", 0x85},
    {"FK23", 0x86}, {"FK24", 0x87},
};

}  // namespace

int VirtualKeyForXkbName(std::string_view keyName) {
  for (const KeyCode& key : kKeys) {
    if (key.name == keyName) return key.code;
  }
  return 0;
}

int ThreadHookVirtualKey(int virtualKey) {
  switch (virtualKey) {
    case 0xA0:
    case 0xA1: return 0x10;
    case 0xA2:
    case 0xA3: return 0x11;
    case 0xA4:
    case 0xA5: return 0x12;
    default: return virtualKey;
  }
}

}  // namespace oriwen::linux_shell
