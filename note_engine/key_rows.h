#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace oriwen {

// The five key rows (virtual-key codes in playing order; numeric-pad Enter
// is -13) and one held flag per key. Indexed by row - 1.
struct KeyRows {
  std::array<std::vector<std::int32_t>, 5> keys;
  std::array<std::vector<std::int32_t>, 5> downFlags;
};

}  // namespace oriwen
