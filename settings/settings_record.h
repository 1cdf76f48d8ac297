#pragma once
#include <array>
#include <cstdint>

namespace oriwen {

// The user's settings, exactly as the program keeps them: 39 signed 32-bit
// fields, booleans 0 or 1, all 0 until they are loaded. Per-row arrays are
// indexed by row - 1.
struct Settings {
  std::array<std::int32_t, 5> rowEnabled{};
  std::array<std::int32_t, 5> rowMayRaise{};
  std::array<std::int32_t, 5> rowPosition{};
  std::array<std::int32_t, 5> rowRestOnRelease{};
  std::int32_t mouseRestOnRelease = 0;
  std::array<std::int32_t, 5> rowInstrument{};
  std::int32_t mouseInstrument = 0;
  std::int32_t keyboardOpen = 0;
  std::int32_t presetLayout = 0;
  std::int32_t lockKeyLights = 0;
  std::int32_t aeroGlass = 0;
  std::int32_t glideSensitivity = 0;
  std::int32_t glideFriction = 0;
  std::int32_t glideEnabled = 0;
  std::int32_t smoothSwitch = 0;
  std::int32_t blockSpace = 0;
  std::int32_t keyboardScroll = 0;
  std::int32_t assistAreaWidth = 0;
  std::int32_t tonic = 0;
};

static_assert(sizeof(Settings) == 39 * sizeof(std::int32_t));

}  // namespace oriwen
