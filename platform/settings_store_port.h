#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace oriwen {

// INI files with the semantics of the Windows private-profile functions.
// Names, values and paths are UTF-8 here; the store converts them to the
// file's code page. Paths use "\" as the directory separator, as the program
// builds them; a shell maps them to its file system.
class SettingsStorePort {
 public:
  virtual ~SettingsStorePort() = default;
  // The value of section/key, or defaultText when there is none; at most
  // bufferSize - 1 bytes (of the file's code page) are returned.
  virtual std::string ReadProfileString(std::string_view section, std::string_view key,
                                        std::string_view defaultText, std::string_view path,
                                        int bufferSize) = 0;
  // Writes one value; false when the file cannot be written.
  virtual bool WriteProfileString(std::string_view section, std::string_view key,
                                  std::string_view value, std::string_view path) = 0;
  // The bytes of a whole file, or nothing when it is missing or unreadable.
  virtual std::optional<std::string> ReadWholeFile(std::string_view path) = 0;
};

}  // namespace oriwen
