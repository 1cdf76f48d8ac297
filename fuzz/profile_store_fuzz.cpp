// Any bytes as a settings file: reading never crashes or hangs, and a value
// that can be written reads back, with every other key unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/profile_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  // The first bytes choose the section, key and value; the rest is the file.
  auto take = [&](std::size_t n) {
    std::string part = input.substr(0, std::min(n, input.size()));
    input.erase(0, part.size());
    return part;
  };
  std::size_t lengths = input.empty() ? 0 : static_cast<unsigned char>(take(1)[0]);
  std::string section = take(1 + (lengths & 3));
  std::string key = take(1 + ((lengths >> 2) & 3));
  std::string value = take((lengths >> 4) & 7);
  const std::string& text = input;

  (void)oriwen::profile::Find(text, section, key);
  (void)oriwen::profile::Find(text, "其他", "主音");
  if (!oriwen::profile::CanWrite(section, key, value)) return 0;
  // Blanks and quotes around a value are not part of it when it is read.
  if (!value.empty() && (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' ||
                         value.back() == '\t' || value.front() == '"' || value.front() == '\'')) {
    return 0;
  }
  std::string written = oriwen::profile::Write(text, section, key, value);
  auto back = oriwen::profile::Find(written, section, key);
  if (!back || *back != value) std::abort();
  // Writing the same value again changes nothing.
  if (oriwen::profile::Write(written, section, key, value) != written) std::abort();
  return 0;
}
