#pragma once
#include <filesystem>

#include "platform/settings_store_port.h"

namespace oriwen {

// The settings store on real files: the private-profile rules on the file's
// GBK bytes. A write replaces the file in one step (a temporary file, then a
// rename), so that a crash never leaves half a file; a file or directory
// that is read-only is not written and the write reports failure.
class ProfileFileStore : public SettingsStorePort {
 public:
  std::string ReadProfileString(std::string_view section, std::string_view key,
                                std::string_view defaultText, std::string_view path,
                                int bufferSize) override;
  bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                          std::string_view path) override;
  std::optional<std::string> ReadWholeFile(std::string_view path) override;

  // The file a program path ("\" separators, UTF-8) names on this system.
  static std::filesystem::path NativePath(std::string_view path);
};

// Whole-file helpers on native paths.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);
bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace oriwen
