#include "settings/preset_layouts.h"

namespace oriwen {
namespace {

// Esc, F1..F12, Print Screen, Scroll Lock, Pause
constexpr std::int32_t kFunctionRow[] = {27,  112, 113, 114, 115, 116, 117, 118,
                                         119, 120, 121, 122, 123, 44,  145, 19};
// ` 1..9 0 - = \ Backspace Insert Home PageUp
constexpr std::int32_t kDigitRow1[] = {192, 49, 50,  51,  52,  53, 54, 55, 56,
                                       57,  48, 189, 187, 220, 8,  45, 36, 33};
// the same without the backslash
constexpr std::int32_t kDigitRow2[] = {192, 49, 50,  51,  52, 53, 54, 55, 56,
                                       57,  48, 189, 187, 8,  45, 36, 33};
// Q..P [ ]
constexpr std::int32_t kUpperRow1[] = {81, 87, 69, 82, 84, 89, 85, 73, 79, 80, 219, 221};
// Q..P [ ] \ Delete End PageDown
constexpr std::int32_t kUpperRow2[] = {81, 87, 69,  82,  84,  89, 85, 73,
                                       79, 80, 219, 221, 220, 46, 35, 34};
// A..L ; '
constexpr std::int32_t kHomeRow1[] = {65, 83, 68, 70, 71, 72, 74, 75, 76, 186, 222};
// the same, then Enter
constexpr std::int32_t kHomeRow2[] = {65, 83, 68, 70, 71, 72, 74, 75, 76, 186, 222, 13};
// Z..M , . /
constexpr std::int32_t kLowerRow[] = {90, 88, 67, 86, 66, 78, 77, 188, 190, 191};

constexpr std::array<std::span<const std::int32_t>, 5> kKeyboard1 = {
    kFunctionRow, kDigitRow1, kUpperRow1, kHomeRow1, kLowerRow};
constexpr std::array<std::span<const std::int32_t>, 5> kKeyboard2 = {
    kFunctionRow, kDigitRow2, kUpperRow2, kHomeRow2, kLowerRow};

}  // namespace

std::span<const std::int32_t> PresetRow(int keyboard, int row) {
  const auto& rows = keyboard == 2 ? kKeyboard2 : kKeyboard1;
  return rows.at(static_cast<std::size_t>(row - 1));
}

}  // namespace oriwen
