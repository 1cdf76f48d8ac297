// The key table on real XKB keymaps, compiled here from the system's
// keyboard data (no X server): the code follows the key's place, not what
// the layout prints on it.
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <vector>

#include "platform/linux/xkb_key_codes.h"

namespace oriwen::linux_shell {
namespace {

struct Keymap {
  explicit Keymap(const char* layout) {
    context.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    xkb_rule_names names{"evdev", "pc105", layout, "", ""};
    keymap.reset(xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
  }
  // The codes of the table's keys that print `symbol` unshifted (media and
  // language keys that repeat a symbol, such as a second Print, have none).
  std::vector<int> CodesOf(xkb_keysym_t symbol) const {
    std::vector<int> codes;
    xkb_keycode_t min = xkb_keymap_min_keycode(keymap.get());
    xkb_keycode_t max = xkb_keymap_max_keycode(keymap.get());
    for (xkb_keycode_t key = min; key <= max; ++key) {
      const xkb_keysym_t* syms = nullptr;
      int n = xkb_keymap_key_get_syms_by_level(keymap.get(), key, 0, 0, &syms);
      const char* name = xkb_keymap_key_get_name(keymap.get(), key);
      if (n < 1 || syms[0] != symbol || !name) continue;
      if (int code = VirtualKeyForXkbName(name); code != 0) codes.push_back(code);
    }
    return codes;
  }
  struct ContextFree {
    void operator()(xkb_context* c) const { xkb_context_unref(c); }
  };
  struct KeymapFree {
    void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
  };
  std::unique_ptr<xkb_context, ContextFree> context;
  std::unique_ptr<xkb_keymap, KeymapFree> keymap;
};

void ExpectCode(const Keymap& map, xkb_keysym_t symbol, int code) {
  char name[64];
  xkb_keysym_get_name(symbol, name, sizeof name);
  std::vector<int> codes = map.CodesOf(symbol);
  EXPECT_EQ(codes, std::vector<int>{code}) << "keysym " << name;
}

TEST(XkbKeyCodes, EveryKeyOfAUsKeyboardHasItsWindowsCode) {
  Keymap us("us");
  ASSERT_TRUE(us.keymap);
  for (char c = 'a'; c <= 'z'; ++c) ExpectCode(us, static_cast<xkb_keysym_t>(c), c - 'a' + 'A');
  for (char c = '0'; c <= '9'; ++c) ExpectCode(us, static_cast<xkb_keysym_t>(c), c);
  const std::pair<xkb_keysym_t, int> keys[] = {
      {XKB_KEY_Escape, 0x1B},      {XKB_KEY_F1, 0x70},        {XKB_KEY_F12, 0x7B},
      {XKB_KEY_BackSpace, 0x08},   {XKB_KEY_Tab, 0x09},       {XKB_KEY_Return, 13},
      {XKB_KEY_KP_Enter, -13},     {XKB_KEY_Caps_Lock, 0x14}, {XKB_KEY_Shift_L, 0xA0},
      {XKB_KEY_Shift_R, 0xA1},     {XKB_KEY_Control_L, 0xA2}, {XKB_KEY_Control_R, 0xA3},
      {XKB_KEY_Alt_L, 0xA4},       {XKB_KEY_Alt_R, 0xA5},     {XKB_KEY_space, 0x20},
      {XKB_KEY_Super_L, 0x5B},     {XKB_KEY_Menu, 0x5D},      {XKB_KEY_Insert, 0x2D},
      {XKB_KEY_Delete, 0x2E},      {XKB_KEY_Home, 0x24},      {XKB_KEY_End, 0x23},
      {XKB_KEY_Prior, 0x21},       {XKB_KEY_Next, 0x22},      {XKB_KEY_Left, 0x25},
      {XKB_KEY_Up, 0x26},          {XKB_KEY_Right, 0x27},     {XKB_KEY_Down, 0x28},
      {XKB_KEY_Num_Lock, 0x90},    {XKB_KEY_KP_Divide, 0x6F}, {XKB_KEY_KP_Multiply, 0x6A},
      {XKB_KEY_KP_Subtract, 0x6D}, {XKB_KEY_KP_Add, 0x6B},    {XKB_KEY_KP_Home, 0x67},
      {XKB_KEY_KP_Insert, 0x60},   {XKB_KEY_KP_Delete, 0x6E}, {XKB_KEY_Print, 0x2C},
      {XKB_KEY_Scroll_Lock, 0x91}, {XKB_KEY_Pause, 0x13},     {XKB_KEY_grave, 0xC0},
      {XKB_KEY_minus, 0xBD},       {XKB_KEY_equal, 0xBB},     {XKB_KEY_bracketleft, 0xDB},
      {XKB_KEY_bracketright, 0xDD}, {XKB_KEY_backslash, 0xDC}, {XKB_KEY_semicolon, 0xBA},
      {XKB_KEY_apostrophe, 0xDE},  {XKB_KEY_comma, 0xBC},     {XKB_KEY_period, 0xBE},
      {XKB_KEY_slash, 0xBF},
  };
  for (auto [symbol, code] : keys) ExpectCode(us, symbol, code);
}

TEST(XkbKeyCodes, OnAGermanKeyboardYAndZSwapPlacesButNotCodes) {
  Keymap de("de");
  ASSERT_TRUE(de.keymap);
  for (char c = 'a'; c <= 'z'; ++c) {
    int code = c == 'y' ? 'Z' : c == 'z' ? 'Y' : c - 'a' + 'A';
    ExpectCode(de, static_cast<xkb_keysym_t>(c), code);
  }
  // The keys of the US punctuation places keep their US codes.
  ExpectCode(de, XKB_KEY_odiaeresis, 0xBA);
  ExpectCode(de, XKB_KEY_udiaeresis, 0xDB);
  ExpectCode(de, XKB_KEY_ssharp, 0xBD);
  ExpectCode(de, XKB_KEY_less, 0xE2);  // the extra key beside left Shift
  ExpectCode(de, XKB_KEY_KP_Enter, -13);
  ExpectCode(de, XKB_KEY_Return, 13);
}

TEST(XkbKeyCodes, UnknownNamesHaveNoCodeAndTheThreadHookSeesOneCodePerModifier) {
  EXPECT_EQ(VirtualKeyForXkbName("I999"), 0);
  EXPECT_EQ(VirtualKeyForXkbName(""), 0);
  const std::pair<int, int> folds[] = {{0xA0, 0x10}, {0xA1, 0x10}, {0xA2, 0x11},
                                       {0xA3, 0x11}, {0xA4, 0x12}, {0xA5, 0x12},
                                       {'A', 'A'},   {-13, -13}};
  for (auto [code, seen] : folds) EXPECT_EQ(ThreadHookVirtualKey(code), seen) << code;
}

}  // namespace
}  // namespace oriwen::linux_shell
