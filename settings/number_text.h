#pragma once
#include <cstdint>
#include <string_view>

namespace oriwen {

// The leading decimal number of a text (leading blanks, a sign, digits, a
// fraction and an exponent are read); 0 when the text starts with none.
double LeadingNumber(std::string_view text);

// A number truncated toward zero into a signed 32-bit integer; values beyond
// the range stop at its ends, and a value that is not a number gives 0.
std::int32_t TruncateToInt32(double value);

// Integer field: the leading number, truncated.
std::int32_t TextToInteger(std::string_view text);
// Boolean field: 1 when the leading number is 1 (within 1e-7), else 0.
std::int32_t TextToBoolean(std::string_view text);

}  // namespace oriwen
