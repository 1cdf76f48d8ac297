// MIDI output, the process, message boxes, hooks and glass on Win32.
#include <cstdio>

#include "app/program.h"
#include "platform/common/gbk_codec.h"
#include "platform/win32/win32_platform.h"

namespace oriwen::win32 {
namespace {

std::string WideToUtf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  int size = static_cast<int>(wide.size());
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), length, nullptr, nullptr);
  return out;
}

// Functions looked up at run time come back as FARPROC; void(*)() converts
// to any function type without a cast-function-type warning.
template <typename F>
F FunctionFrom(HMODULE module, const char* name) {
  FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc));
}

struct DwmMargins {
  int cxLeftWidth;
  int cxRightWidth;
  int cyTopHeight;
  int cyBottomHeight;
};
using DwmIsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
using DwmExtendFrameIntoClientAreaFn = HRESULT(WINAPI*)(HWND, const DwmMargins*);

}  // namespace

// MIDI

Win32Midi::Win32Midi() {
  wchar_t buffer[MAX_PATH * 2];
  DWORD length = GetEnvironmentVariableW(L"ORIWEN_MIDI_SINK", buffer, MAX_PATH * 2);
  if (length > 0 && length < MAX_PATH * 2) sinkPath_.assign(buffer, length);
}

Win32Midi::~Win32Midi() {
  if (sink_ != INVALID_HANDLE_VALUE) CloseHandle(sink_);
  if (device_) midiOutClose(device_);
}

int Win32Midi::DeviceCount() {
  int devices = static_cast<int>(midiOutGetNumDevs());
  // The sink takes the place of device 0.
  if (!sinkPath_.empty() && devices < 1) return 1;
  return devices;
}

bool Win32Midi::Open(int deviceIndex) {
  if (deviceIndex < 0) return false;
  if (device_) midiOutClose(device_);
  device_ = nullptr;
  if (sink_ != INVALID_HANDLE_VALUE) CloseHandle(sink_);
  sink_ = INVALID_HANDLE_VALUE;
  if (deviceIndex == 0 && !sinkPath_.empty()) {
    // Appended to, so that a restarted program adds to what came before.
    sink_ = CreateFileW(sinkPath_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return sink_ != INVALID_HANDLE_VALUE;
  }
  HMIDIOUT device = nullptr;
  if (midiOutOpen(&device, static_cast<UINT>(deviceIndex), 0, 0, CALLBACK_NULL) !=
      MMSYSERR_NOERROR) {
    return false;
  }
  device_ = device;
  return true;
}

void Win32Midi::SendShortMessage(std::uint32_t message) {
  if (sink_ != INVALID_HANDLE_VALUE) {
    char line[16];
    int length = std::snprintf(line, sizeof line, "%02X %02X %02X\r\n", message & 0xFFu,
                               (message >> 8) & 0xFFu, (message >> 16) & 0xFFu);
    DWORD written = 0;
    // Unbuffered: each line is in the file when the call returns.
    WriteFile(sink_, line, static_cast<DWORD>(length), &written, nullptr);
    return;
  }
  if (device_) midiOutShortMsg(device_, message);
}

// Process

TokenHandle Win32Process::Keep(HANDLE handle) {
  if (!handle) return kNoToken;
  TokenHandle token = next_++;
  handles_[token] = handle;
  return token;
}

TokenHandle Win32Process::OpenSingleInstanceToken(std::string_view name) {
  std::string gbk = Utf8ToGbk(name);
  return Keep(OpenEventA(EVENT_ALL_ACCESS, FALSE, gbk.c_str()));
}

TokenHandle Win32Process::CreateSingleInstanceToken(std::string_view name) {
  std::string gbk = Utf8ToGbk(name);
  return Keep(CreateEventA(nullptr, FALSE, FALSE, gbk.c_str()));
}

void Win32Process::CloseToken(TokenHandle token) {
  auto it = handles_.find(token);
  if (it == handles_.end()) return;
  CloseHandle(it->second);
  handles_.erase(it);
}

int Win32Process::OsMajorVersion() {
  OSVERSIONINFOA info{};
  static_assert(sizeof info == 148);
  info.dwOSVersionInfoSize = sizeof info;
  GetVersionExA(&info);  // on failure the version stays 0
  return static_cast<int>(info.dwMajorVersion);
}

std::string Win32Process::ProgramFile() {
  // The wide name, so that a directory outside code page 936 still works.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return WideToUtf8(path);
    }
    path.resize(path.size() * 2);
  }
}

std::string Win32Process::ProgramDirectory() {
  std::string file = ProgramFile();
  std::size_t slash = file.find_last_of('\\');
  return slash == std::string::npos ? std::string() : file.substr(0, slash);
}

void Win32Process::EndProcess(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

// Message boxes

MessageAnswer Win32Messages::ShowMessageBox(WindowId owner, std::string_view text,
                                            std::string_view title, MessageButtons buttons,
                                            MessageIcon icon) {
  UINT flags = buttons == MessageButtons::Ok ? MB_OK : MB_ABORTRETRYIGNORE;
  if (icon == MessageIcon::Exclamation) flags |= MB_ICONEXCLAMATION;
  if (icon == MessageIcon::Information) flags |= MB_ICONINFORMATION;
  std::string gbkText = Utf8ToGbk(text);
  std::string gbkTitle = Utf8ToGbk(title);
  int answer = MessageBoxA(shell_.windows.Handle(owner), gbkText.c_str(), gbkTitle.c_str(), flags);
  switch (answer) {
    case IDOK: return MessageAnswer::Ok;
    case IDABORT: return MessageAnswer::Abort;
    case IDRETRY: return MessageAnswer::Retry;
    case IDIGNORE: return MessageAnswer::Ignore;
    default: return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Abort;
  }
}

// Hooks

namespace {

template <HookKind K>
LRESULT CALLBACK HookThunk(int code, WPARAM wParam, LPARAM lParam) {
  if (Shell* shell = Shell::Current()) return shell->hooks.Deliver(K, code, wParam, lParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

HookHandle Win32Hooks::InstallHook(HookKind kind) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  DWORD thread = GetCurrentThreadId();
  HHOOK hook = nullptr;
  switch (kind) {
    case HookKind::ThreadKeyboard:
      hook = SetWindowsHookExA(WH_KEYBOARD, &HookThunk<HookKind::ThreadKeyboard>, nullptr, thread);
      break;
    case HookKind::ThreadMouse:
      hook = SetWindowsHookExA(WH_MOUSE, &HookThunk<HookKind::ThreadMouse>, nullptr, thread);
      break;
    case HookKind::LowLevelKeyboard:
      hook = SetWindowsHookExA(WH_KEYBOARD_LL, &HookThunk<HookKind::LowLevelKeyboard>, instance, 0);
      break;
    case HookKind::WizardLowLevelKeyboard:
      hook = SetWindowsHookExA(WH_KEYBOARD_LL, &HookThunk<HookKind::WizardLowLevelKeyboard>,
                               instance, 0);
      break;
    case HookKind::MainWindowFilter: {
      Program* program = shell_.program();
      if (!program || !shell_.windows.Handle(program->mainWindow)) return kNoHook;
      shell_.windows.InstallLayer(
          program->mainWindow, ProcedureLayer::KeyFilter,
          [this](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            auto& filter = shell_.procedures.mainWindowFilter;
            return filter && filter(message, wParam, lParam, result);
          });
      HookHandle handle = next_++;
      installed_[handle] = {kind, nullptr};
      return handle;
    }
  }
  if (!hook) return kNoHook;
  HookHandle handle = next_++;
  installed_[handle] = {kind, hook};
  return handle;
}

void Win32Hooks::RemoveHook(HookHandle handle) {
  auto it = installed_.find(handle);
  if (it == installed_.end()) return;
  if (it->second.hook) {
    UnhookWindowsHookEx(it->second.hook);
  } else if (Program* program = shell_.program()) {
    shell_.windows.RemoveLayer(program->mainWindow, ProcedureLayer::KeyFilter);
  }
  installed_.erase(it);
}

HHOOK Win32Hooks::HandleOf(HookKind kind) const {
  for (const auto& [handle, entry] : installed_) {
    if (entry.kind == kind) return entry.hook;
  }
  return nullptr;
}

LRESULT Win32Hooks::Deliver(HookKind kind, int code, WPARAM wParam, LPARAM lParam) {
  auto& procedure = shell_.procedures.hookEvent;
  if (code >= 0 && procedure && procedure(kind, code, wParam, lParam)) return 1;
  return CallNextHookEx(HandleOf(kind), code, wParam, lParam);
}

// Glass

bool Win32Glass::CompositionEnabled() {
  HMODULE dwm = LoadLibraryA("dwmapi.dll");
  if (!dwm) return false;
  auto isEnabled = FunctionFrom<DwmIsCompositionEnabledFn>(dwm, "DwmIsCompositionEnabled");
  BOOL enabled = FALSE;
  bool on = isEnabled && SUCCEEDED(isEnabled(&enabled)) && enabled;
  FreeLibrary(dwm);
  return on;
}

void Win32Glass::MakeLayered(WindowId window, bool keepExtendedStyles) {
  HWND hwnd = shell_.windows.Handle(window);
  if (!hwnd) return;
  LONG_PTR style = WS_EX_LAYERED;
  if (keepExtendedStyles) style |= GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
  SetWindowLongPtrA(hwnd, GWL_EXSTYLE, style);
}

void Win32Glass::SetLayeredColourKey(WindowId window, Colour key) {
  if (HWND hwnd = shell_.windows.Handle(window)) {
    SetLayeredWindowAttributes(hwnd, key, 0, LWA_COLORKEY);
  }
}

void Win32Glass::ExtendFrameIntoClientArea(WindowId window, Margins margins) {
  HWND hwnd = shell_.windows.Handle(window);
  HMODULE dwm = hwnd ? LoadLibraryA("dwmapi.dll") : nullptr;
  if (!dwm) return;
  auto extend = FunctionFrom<DwmExtendFrameIntoClientAreaFn>(dwm, "DwmExtendFrameIntoClientArea");
  DwmMargins m{margins.left, margins.right, margins.top, margins.bottom};
  if (extend) extend(hwnd, &m);
  FreeLibrary(dwm);
}

// The shell

Shell* Shell::current_ = nullptr;

Shell::Shell() : windows(*this), timers(*this), messages(*this), hooks(*this), glass(*this) {
  current_ = this;
}

Shell::~Shell() {
  if (current_ == this) current_ = nullptr;
}

Ports Shell::ports() {
  return Ports{windows, timers, midi, store, process, messages, hooks, glass};
}

int Shell::RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace oriwen::win32
