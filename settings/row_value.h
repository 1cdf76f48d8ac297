#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace oriwen {

inline constexpr int kMaxKeysPerRow = 35;

// A key row as the settings file stores it: codes joined by ",". At most 35
// pieces are kept; an empty last piece is dropped, other empty pieces (and
// pieces that are not numbers) read as code 0.
std::vector<std::int32_t> ParseRowValue(std::string_view text);

}  // namespace oriwen
