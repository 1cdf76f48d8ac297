// GBK conversion through iconv, for the POSIX shells.
#include <iconv.h>

#include <cerrno>

#include "platform/common/gbk_codec.h"

namespace oriwen {
namespace {

std::string Convert(std::string_view in, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.resize(in.size() * 2 + 8);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  std::size_t used = 0;
  while (srcLeft > 0) {
    char* dst = out.data() + used;
    std::size_t dstLeft = out.size() - used;
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    used = out.size() - dstLeft;
    if (r != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else {
      // An invalid or incomplete sequence: one "?" for it, then go on.
      if (out.size() - used < 1) out.resize(out.size() * 2);
      out[used++] = '?';
      ++src;
      --srcLeft;
    }
  }
  iconv_close(cd);
  out.resize(used);
  return out;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) { return Convert(utf8, "GBK", "UTF-8"); }
std::string GbkToUtf8(std::string_view gbk) { return Convert(gbk, "UTF-8", "GBK"); }

}  // namespace oriwen
