// profile-agreement.exe: shows, under Wine or on Windows, that the program's
// settings store and the Windows private-profile functions agree. Each case
// starts from the same file; one side writes a value and the other reads it
// back, in both directions, and both read every query of the table alike.
// Prints one line per disagreement and ends with code 1 if there was any.
#include <windows.h>
#undef WriteProfileString

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/common/gbk_codec.h"
#include "platform/common/profile_file_store.h"

namespace {

using oriwen::GbkToUtf8;
using oriwen::Utf8ToGbk;

constexpr int kBuffer = 10240;  // the program's buffer size
constexpr const char* kDefault = "(默认)";

// Comments, an empty value, a key that differs only in case, sections the
// program does not know.
const std::string kUserFile =
    "; 我的设置\r\n[其他]\r\n主音=3\r\nAero扩展=0\r\n空值=\r\n自定义=保留\r\n; 主音=9\r\n\r\n"
    "[按键]\r\n1=15\r\n[未知节]\r\nx=y\r\n";

struct Query {
  const char* section;
  const char* key;
};

const Query kQueries[] = {
    {"其他", "主音"},       {"其他", "aero扩展"},       {"其他", "空值"},   {"其他", "自定义"},
    {"其他", "不存在"},     {"缺少的节", "主音"},       {"按键", "1"},      {"按键", "2"},
    {"未知节", "x"},        {"鼠标辅助", "琴键打开了"}, {"键组", "第一排"}, {"其他", "名字"},
    {"其他", "屏蔽键盘灯"},
};

struct WriteCase {
  const char* name;
  bool fromUserFile;  // else from no file at all
  const char* section;
  const char* key;
  const char* value;
};

const WriteCase kWrites[] = {
    {"existing-key", true, "其他", "主音", "4"},
    {"new-key-in-a-section", true, "其他", "屏蔽键盘灯", "1"},
    {"new-section", true, "鼠标辅助", "琴键打开了", "0"},
    {"empty-value", true, "按键", "2", ""},
    {"gbk-value", true, "其他", "名字", "电子琴"},
    {"list-value-new-section", true, "键组", "第一排", "65,66,-13"},
    {"no-file-yet", false, "按键", "1", "15"},
};

std::string directory;  // UTF-8, "\" separators
int failures = 0;

void Fail(const std::string& what) {
  std::printf("DISAGREE %s\n", what.c_str());
  ++failures;
}

std::string PathOf(const std::string& name) { return directory + "\\" + name + ".ini"; }

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream(oriwen::ProfileFileStore::NativePath(path), std::ios::binary | std::ios::trunc)
      << bytes;
}

std::string ReadWithWindows(const std::string& path, const char* section, const char* key) {
  std::vector<char> buffer(kBuffer);
  GetPrivateProfileStringA(Utf8ToGbk(section).c_str(), Utf8ToGbk(key).c_str(),
                           Utf8ToGbk(kDefault).c_str(), buffer.data(), kBuffer,
                           Utf8ToGbk(path).c_str());
  return GbkToUtf8(buffer.data());
}

bool WriteWithWindows(const std::string& path, const char* section, const char* key,
                      const char* value) {
  std::string gbkPath = Utf8ToGbk(path);
  bool ok = WritePrivateProfileStringA(Utf8ToGbk(section).c_str(), Utf8ToGbk(key).c_str(),
                                       Utf8ToGbk(value).c_str(), gbkPath.c_str()) != FALSE;
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, gbkPath.c_str());  // flush
  return ok;
}

void CompareQueries(oriwen::ProfileFileStore& store, const std::string& path,
                    const std::string& label) {
  for (const Query& q : kQueries) {
    std::string ours = store.ReadProfileString(q.section, q.key, kDefault, path, kBuffer);
    std::string windows = ReadWithWindows(path, q.section, q.key);
    if (ours != windows) {
      Fail(label + " [" + q.section + "] " + q.key + ": store \"" + ours + "\" windows \"" +
           windows + "\"");
    }
  }
}

}  // namespace

int main() {
  wchar_t module[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring wide(module, length);
  wide = wide.substr(0, wide.find_last_of(L'\\')) + L"\\设置比较";
  CreateDirectoryW(wide.c_str(), nullptr);
  int size = static_cast<int>(wide.size());
  int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  directory.resize(static_cast<std::size_t>(bytes));
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, directory.data(), bytes, nullptr, nullptr);

  oriwen::ProfileFileStore store;
  const std::string gbkUserFile = Utf8ToGbk(kUserFile);

  // Reading the same file.
  std::string readPath = PathOf("read");
  WriteRaw(readPath, gbkUserFile);
  CompareQueries(store, readPath, "read");

  int cases = 0;
  for (const WriteCase& c : kWrites) {
    std::string byStore = PathOf(std::string(c.name) + "-store");
    std::string byWindows = PathOf(std::string(c.name) + "-windows");
    for (const std::string& path : {byStore, byWindows}) {
      DeleteFileW(oriwen::ProfileFileStore::NativePath(path).c_str());
      if (c.fromUserFile) WriteRaw(path, gbkUserFile);
    }
    // The store writes, Windows reads back; and the other way round.
    if (!store.WriteProfileString(c.section, c.key, c.value, byStore)) {
      Fail(std::string(c.name) + ": the store could not write");
    }
    if (!WriteWithWindows(byWindows, c.section, c.key, c.value)) {
      Fail(std::string(c.name) + ": Windows could not write");
    }
    std::string readBack = ReadWithWindows(byStore, c.section, c.key);
    if (readBack != c.value) Fail(std::string(c.name) + ": Windows reads \"" + readBack + "\"");
    std::string storeBack = store.ReadProfileString(c.section, c.key, kDefault, byWindows, kBuffer);
    if (storeBack != c.value) Fail(std::string(c.name) + ": the store reads \"" + storeBack + "\"");
    CompareQueries(store, byStore, std::string(c.name) + " written by the store");
    CompareQueries(store, byWindows, std::string(c.name) + " written by Windows");
    ++cases;
  }
  std::printf("%d write cases, %zu queries each: %s\n", cases, std::size(kQueries),
              failures == 0 ? "all agree" : "disagreements found");
  return failures == 0 ? 0 : 1;
}
