#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace oriwen::profile {

// The text of an INI file in its own code page (bytes), read and changed
// the way the Windows private-profile functions do it:
// - section and key names match without regard to ASCII case (the second
//   byte of a double-byte GBK character is never case-folded);
// - the first section of the name that holds the key, and the first such
//   key in it, wins;
// - blanks around names and values are ignored, and one pair of matching
//   quotes around a value is removed; lines starting with ";" are comments.

// The value of section/key, or nothing when the file has none.
std::optional<std::string> Find(std::string_view text, std::string_view section,
                                std::string_view key);

// Whether a name or value can be written and read back unchanged: no line
// breaks, no "]" in a section name, no "=" in a key name, names not empty.
bool CanWrite(std::string_view section, std::string_view key, std::string_view value);

// The text with section/key set to value. An existing key changes in place;
// a new key goes after the last line of its section, a new section at the
// end of the file. Every other line stays as it was. New lines end in CR LF.
std::string Write(std::string_view text, std::string_view section, std::string_view key,
                  std::string_view value);

// Cuts a value to at most maxBytes bytes without splitting a GBK character.
std::string TruncateGbk(std::string value, std::size_t maxBytes);

}  // namespace oriwen::profile
