#include "settings/row_value.h"

#include "settings/number_text.h"

namespace oriwen {

std::vector<std::int32_t> ParseRowValue(std::string_view text) {
  std::vector<std::int32_t> codes;
  if (text.empty()) return codes;
  std::size_t start = 0;
  while (codes.size() < kMaxKeysPerRow) {
    std::size_t comma = text.find(',', start);
    std::string_view piece = text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    bool last = comma == std::string_view::npos;
    if (last && piece.empty()) break;
    codes.push_back(TextToInteger(piece));
    if (last) break;
    start = comma + 1;
  }
  return codes;
}

}  // namespace oriwen
