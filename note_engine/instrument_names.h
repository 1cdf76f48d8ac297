#pragma once
#include <string_view>

namespace oriwen {

inline constexpr int kInstrumentCount = 127;

// Entry n (1..127) of the MIDI component's instrument names; empty outside.
std::string_view InstrumentName(int number);

}  // namespace oriwen
