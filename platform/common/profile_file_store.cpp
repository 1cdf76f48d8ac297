#include "platform/common/profile_file_store.h"

#include <fstream>
#include <iterator>
#include <random>

#include "platform/common/gbk_codec.h"
#include "settings/profile_document.h"

namespace oriwen {
namespace fs = std::filesystem;

namespace {

bool IsWritable(const fs::path& p) {
  std::error_code ec;
  fs::file_status st = fs::status(p, ec);
  if (ec) return false;
  return (st.permissions() & fs::perms::owner_write) != fs::perms::none;
}

std::string TemporaryName() {
  std::random_device rd;
  return ".tmp-" + std::to_string(rd()) + "-" + std::to_string(rd());
}

}  // namespace

fs::path ProfileFileStore::NativePath(std::string_view path) {
  std::string native(path);
#ifndef _WIN32
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
#endif
  return fs::path(std::u8string(native.begin(), native.end()));
}

std::optional<std::string> ReadFileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool ReplaceFileAtomically(const fs::path& file, std::string_view bytes) {
  std::error_code ec;
  fs::path dir = file.parent_path();
  if (dir.empty()) dir = ".";
  if (!fs::is_directory(dir, ec) || !IsWritable(dir)) return false;
  if (fs::exists(file, ec) && !IsWritable(file)) return false;
  fs::path temp = dir / (file.filename().native() + fs::path(TemporaryName()).native());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temp, ec);
      return false;
    }
  }
  fs::rename(temp, file, ec);
  if (ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

std::string ProfileFileStore::ReadProfileString(std::string_view section, std::string_view key,
                                                std::string_view defaultText, std::string_view path,
                                                int bufferSize) {
  std::size_t limit = bufferSize > 0 ? static_cast<std::size_t>(bufferSize - 1) : 0;
  std::optional<std::string> text = ReadFileBytes(NativePath(path));
  std::optional<std::string> value;
  if (text) value = profile::Find(*text, Utf8ToGbk(section), Utf8ToGbk(key));
  std::string gbk = value ? *value : Utf8ToGbk(defaultText);
  return GbkToUtf8(profile::TruncateGbk(std::move(gbk), limit));
}

bool ProfileFileStore::WriteProfileString(std::string_view section, std::string_view key,
                                          std::string_view value, std::string_view path) {
  std::string gbkSection = Utf8ToGbk(section);
  std::string gbkKey = Utf8ToGbk(key);
  std::string gbkValue = Utf8ToGbk(value);
  if (!profile::CanWrite(gbkSection, gbkKey, gbkValue)) return false;
  fs::path file = NativePath(path);
  std::string text = ReadFileBytes(file).value_or(std::string());
  return ReplaceFileAtomically(file, profile::Write(text, gbkSection, gbkKey, gbkValue));
}

std::optional<std::string> ProfileFileStore::ReadWholeFile(std::string_view path) {
  return ReadFileBytes(NativePath(path));
}

}  // namespace oriwen
