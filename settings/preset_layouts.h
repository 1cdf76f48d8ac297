#pragma once
#include <array>
#include <cstdint>
#include <span>

namespace oriwen {

// The two built-in key layouts, five rows each, as virtual-key codes.
std::span<const std::int32_t> PresetRow(int keyboard, int row);

}  // namespace oriwen
