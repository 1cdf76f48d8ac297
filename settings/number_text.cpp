#include "settings/number_text.h"

#include <cmath>
#include <limits>

namespace oriwen {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  double value = 0;
  bool anyDigit = false;
  while (i < text.size() && IsDigit(text[i])) {
    value = value * 10 + (text[i] - '0');
    anyDigit = true;
    ++i;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < text.size() && IsDigit(text[i])) {
      value += (text[i] - '0') * scale;
      scale /= 10;
      anyDigit = true;
      ++i;
    }
  }
  if (!anyDigit) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      negativeExponent = text[j] == '-';
      ++j;
    }
    if (j < text.size() && IsDigit(text[j])) {
      int exponent = 0;
      while (j < text.size() && IsDigit(text[j])) {
        if (exponent < 10000) exponent = exponent * 10 + (text[j] - '0');
        ++j;
      }
      value *= std::pow(10.0, negativeExponent ? -exponent : exponent);
    }
  }
  return negative ? -value : value;
}

std::int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
  if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::trunc(value));
}

std::int32_t TextToInteger(std::string_view text) { return TruncateToInt32(LeadingNumber(text)); }

std::int32_t TextToBoolean(std::string_view text) {
  return std::fabs(LeadingNumber(text) - 1.0) <= 1e-7 ? 1 : 0;
}

}  // namespace oriwen
