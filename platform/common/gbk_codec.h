#pragma once
#include <string>
#include <string_view>

namespace oriwen {

// Text between the core's UTF-8 and code page 936 (GBK). Characters without
// a counterpart become "?".
std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);

}  // namespace oriwen
