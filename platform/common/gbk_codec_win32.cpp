// GBK conversion through the Windows code page functions, for the Windows
// program. Both directions go through UTF-16.
#include <windows.h>

#include "platform/common/gbk_codec.h"

namespace oriwen {
namespace {

constexpr UINT kGbk = 936;

std::wstring ToWide(std::string_view in, UINT codePage) {
  if (in.empty()) return {};
  int size = static_cast<int>(in.size());
  int length = MultiByteToWideChar(codePage, 0, in.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, in.data(), size, wide.data(), length);
  return wide;
}

std::string FromWide(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return {};
  int size = static_cast<int>(wide.size());
  // UTF-8 takes no default character; GBK puts "?" for what it lacks.
  const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
  int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, fallback, nullptr);
  if (length <= 0) return {};
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), size, out.data(), length, fallback, nullptr);
  return out;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) { return FromWide(ToWide(utf8, CP_UTF8), kGbk); }
std::string GbkToUtf8(std::string_view gbk) { return FromWide(ToWide(gbk, kGbk), CP_UTF8); }

}  // namespace oriwen
