// oriwen-probe.exe: looks at the program's windows from inside Wine, for the
// end-to-end tests.
//   window TITLE   prints "outer L T R B client W H screen W H" of the
//                  visible top-level window with that title (the program
//                  shows its main window when its start-up is complete)
//   msgbox TITLE   prints "text T icon shown|none" of the message box with
//                  that title, then presses its OK button
//   close TITLE    asks the window to close (WM_CLOSE)
// The command line is read as UTF-16 and the output is UTF-8, so that the
// test scripts see the same text whatever the ANSI code page. Exit code 1
// when no such window exists.
// clang-format off: shellapi.h needs windows.h first
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <cstdio>
#include <string>

namespace {

constexpr int kMessageBoxText = 0xFFFF;  // the text's static control in a message box
// The icon's static control: its identifier on Windows, and on Wine.
constexpr int kMessageBoxIcons[] = {0x0014, 0x0440};

std::string Utf8(const std::wstring& wide) {
  int size = static_cast<int>(wide.size());
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), length, nullptr, nullptr);
  return out;
}

int Run(const std::wstring& command, const std::wstring& title) {
  if (command == L"window") {
    HWND hwnd = FindWindowW(nullptr, title.c_str());
    if (!hwnd || !IsWindowVisible(hwnd)) return 1;
    RECT outer, client;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    std::printf("outer %ld %ld %ld %ld client %ld %ld screen %d %d\n", outer.left, outer.top,
                outer.right, outer.bottom, client.right - client.left, client.bottom - client.top,
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return 0;
  }
  if (command == L"msgbox") {
    HWND box = FindWindowW(L"#32770", title.c_str());
    if (!box) return 1;
    wchar_t text[512] = {};
    GetDlgItemTextW(box, kMessageBoxText, text, 512);
    // Icon handles are not shared between processes under Wine, so which
    // system icon it is cannot be told from here; only that one is shown.
    const char* iconName = "none";
    for (int id : kMessageBoxIcons) {
      HWND control = GetDlgItem(box, id);
      if (control && SendMessageW(control, STM_GETICON, 0, 0) != 0) iconName = "shown";
    }
    std::printf("text %s icon %s\n", Utf8(text).c_str(), iconName);
    std::fflush(stdout);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
  }
  if (command == L"close") {
    HWND hwnd = FindWindowW(nullptr, title.c_str());
    if (!hwnd) return 1;
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    return 0;
  }
  std::fprintf(stderr, "unknown command\n");
  return 2;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc != 3) {
    std::fprintf(stderr, "usage: oriwen-probe window|msgbox|close TITLE\n");
    return 2;
  }
  int result = Run(argv[1], argv[2]);
  LocalFree(argv);
  return result;
}
