// Any text as a key row: at most 35 codes, never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/row_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto codes = oriwen::ParseRowValue(text);
  if (codes.size() > oriwen::kMaxKeysPerRow) std::abort();
  return 0;
}
