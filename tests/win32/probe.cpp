// oriwen-probe.exe: looks at the program's windows from inside Wine, for the
// end-to-end tests.
//   window TITLE   prints "outer L T R B client W H screen W H" of the
//                  visible top-level window with that title (the program
//                  shows its main window when its start-up is complete)
//   msgbox TITLE   prints "text T icon shown|none" of the message box with
//                  that title, then presses its OK button
//   close TITLE    asks the window to close (WM_CLOSE)
//   click TITLE TEXT    clicks the button captioned TEXT in that window
//                  (BM_CLICK, as a mouse click would) and prints "clicked"
//   checked TITLE TEXT  prints 1 or 0: the state of that check box
//   front TITLE    makes that window the foreground window and prints
//                  "front" once it is (exit code 1 otherwise)
//   keylog TITLE   shows a window of its own with that title in front and
//                  prints a line "down|up VK" for every key message it
//                  receives, until it is closed
// The command line is read as UTF-16 and the output is UTF-8, so that the
// test scripts see the same text whatever the ANSI code page. Exit code 1
// when no such window exists.
// shellapi.h needs windows.h first.
// clang-format off
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

HWND FindButton(HWND parent, const std::wstring& text) {
  HWND child = nullptr;
  while ((child = FindWindowExW(parent, child, L"Button", nullptr)) != nullptr) {
    wchar_t caption[256] = {};
    GetWindowTextW(child, caption, 256);
    if (text == caption) return child;
  }
  return nullptr;
}

LRESULT CALLBACK KeyLogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
      std::printf("%s %u\n", up ? "up" : "down", static_cast<unsigned>(wParam));
      std::fflush(stdout);
      return 0;
    }
    case WM_ACTIVATE:
      // Activated from another process, the window takes the keyboard focus.
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(hwnd);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

int KeyLog(const std::wstring& title) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &KeyLogProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"OriwenProbeKeyLog";
  RegisterClassW(&windowClass);
  HWND hwnd = CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 40,
                              40, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, SW_SHOW);
  SetForegroundWindow(hwnd);
  SetFocus(hwnd);
  std::printf("ready\n");
  std::fflush(stdout);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

int Run(const std::wstring& command, const std::wstring& title, const std::wstring& text) {
  if (command == L"keylog") return KeyLog(title);
  if (command == L"click" || command == L"checked") {
    HWND hwnd = FindWindowW(nullptr, title.c_str());
    HWND button = hwnd ? FindButton(hwnd, text) : nullptr;
    if (!button) return 1;
    if (command == L"checked") {
      std::printf("%d\n", SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
      return 0;
    }
    PostMessageW(button, BM_CLICK, 0, 0);
    std::printf("clicked\n");
    return 0;
  }
  if (command == L"front") {
    HWND hwnd = FindWindowW(nullptr, title.c_str());
    if (!hwnd) return 1;
    if (GetForegroundWindow() != hwnd) SetForegroundWindow(hwnd);
    if (GetForegroundWindow() != hwnd) return 1;
    std::printf("front\n");
    return 0;
  }
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
    wchar_t boxText[512] = {};
    GetDlgItemTextW(box, kMessageBoxText, boxText, 512);
    // Icon handles are not shared between processes under Wine, so which
    // system icon it is cannot be told from here; only that one is shown.
    const char* iconName = "none";
    for (int id : kMessageBoxIcons) {
      HWND control = GetDlgItem(box, id);
      if (control && SendMessageW(control, STM_GETICON, 0, 0) != 0) iconName = "shown";
    }
    std::printf("text %s icon %s\n", Utf8(boxText).c_str(), iconName);
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
  if (!argv || argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: oriwen-probe COMMAND TITLE [TEXT]\n");
    return 2;
  }
  int result = Run(argv[1], argv[2], argc == 4 ? argv[3] : L"");
  LocalFree(argv);
  return result;
}
