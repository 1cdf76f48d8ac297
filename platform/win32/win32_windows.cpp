// Windows and controls from layout tables, the window-procedure layers and
// the named timers.
#include <algorithm>

#include "app/program.h"
#include "app/shutdown.h"
#include "platform/common/gbk_codec.h"
#include "platform/win32/win32_platform.h"

namespace oriwen::win32 {
namespace {

constexpr const char* kWindowClass = "OriwenWindow";
constexpr const char* kCanvasClass = "OriwenCanvas";
constexpr int kFirstControlId = 100;
constexpr WORD kIconResource = 1;

COLORREF ToColorRef(Colour colour) { return colour; }

LRESULT CALLBACK ProgramWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Shell* shell = Shell::Current();
  if (!shell) return DefWindowProcA(hwnd, message, wParam, lParam);
  return shell->windows.WindowProcedure(hwnd, message, wParam, lParam);
}

// A canvas shows its backing bitmap; the bitmap's handle is in the window's
// user data.
LRESULT CALLBACK CanvasWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (bitmap) {
      HDC memory = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(memory, bitmap);
      BITMAP info;
      GetObjectA(bitmap, sizeof info, &info);
      BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteDC(memory);
    }
    EndPaint(hwnd, &paint);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

template <ProcedureLayer L>
LRESULT CALLBACK LayerThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Shell::Current()->windows.LayerMessage(L, hwnd, message, wParam, lParam);
}

WNDPROC ThunkOf(ProcedureLayer layer) {
  switch (layer) {
    case ProcedureLayer::Snapping: return &LayerThunk<ProcedureLayer::Snapping>;
    case ProcedureLayer::HotKey: return &LayerThunk<ProcedureLayer::HotKey>;
    case ProcedureLayer::KeyFilter: return &LayerThunk<ProcedureLayer::KeyFilter>;
    case ProcedureLayer::kCount: break;
  }
  return nullptr;
}

void RegisterClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA window{};
  window.cbSize = sizeof window;
  window.style = CS_DBLCLKS;
  window.lpfnWndProc = &ProgramWindowProc;
  window.hInstance = instance;
  window.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
  window.hIconSm = window.hIcon;
  window.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  window.lpszClassName = kWindowClass;
  RegisterClassExA(&window);

  WNDCLASSEXA canvas{};
  canvas.cbSize = sizeof canvas;
  canvas.lpfnWndProc = &CanvasWindowProc;
  canvas.hInstance = instance;
  canvas.hCursor = window.hCursor;
  canvas.lpszClassName = kCanvasClass;
  RegisterClassExA(&canvas);
}

std::size_t LayerIndex(ProcedureLayer layer) { return static_cast<std::size_t>(layer); }

}  // namespace

HFONT ControlFont() {
  // The Simplified Chinese system font at 9 points; where it is missing the
  // system picks a face of the same character set.
  static HFONT font = [] {
    std::string face = Utf8ToGbk("宋体");
    return CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  }();
  return font;
}

ControlRecord* WindowRecord::Find(std::string_view control) {
  for (auto& c : controls) {
    if (c.laidOut.name == control) return &c;
  }
  return nullptr;
}

const ControlRecord* WindowRecord::Find(std::string_view control) const {
  return const_cast<WindowRecord*>(this)->Find(control);
}

Win32Windows::~Win32Windows() {
  for (auto& [id, record] : windows_) Release(record);
}

WindowId Win32Windows::CreateFromLayout(const WindowLayout& layout, WindowId owner) {
  RegisterClasses();
  WindowId id = next_++;
  WindowRecord& record = windows_[id];
  record.name = std::string(layout.name);
  record.background = GetSysColor(COLOR_BTNFACE);
  record.brush = CreateSolidBrush(ToColorRef(record.background));
  std::string title = Utf8ToGbk(layout.title);
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  record.hwnd = CreateWindowExA(0, kWindowClass, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                layout.width, layout.height, Handle(owner), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  // The records stay where they are: controls are looked up by name.
  record.controls.reserve(layout.controls.size());
  for (const ControlSpec& laidOut : layout.controls) CreateControl(record, laidOut);
  return id;
}

void Win32Windows::CreateControl(WindowRecord& record, const ControlSpec& laidOut) {
  ControlRecord& control = record.controls.emplace_back();
  control.laidOut = laidOut;
  const char* windowClass = nullptr;
  DWORD style = WS_CHILD | WS_VISIBLE;
  switch (laidOut.kind) {
    case ControlKind::ToggleButton:
      windowClass = "BUTTON";
      style |= BS_AUTOCHECKBOX | BS_PUSHLIKE;
      break;
    case ControlKind::CheckBox:
      windowClass = "BUTTON";
      style |= BS_AUTOCHECKBOX;
      break;
    case ControlKind::RadioButton:
      windowClass = "BUTTON";
      style |= BS_AUTORADIOBUTTON;
      break;
    case ControlKind::PushButton:
      windowClass = "BUTTON";
      style |= BS_PUSHBUTTON;
      break;
    case ControlKind::Label:
      windowClass = "STATIC";
      style |= SS_LEFT | SS_NOTIFY;
      // The label that carries the hot-key notification is never shown.
      if (laidOut.x < 0 || laidOut.y < 0) style &= ~static_cast<DWORD>(WS_VISIBLE);
      break;
    case ControlKind::Edit:
      windowClass = "EDIT";
      style |= WS_BORDER | ES_AUTOHSCROLL;
      break;
    case ControlKind::ComboBox:
      windowClass = "COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL;
      break;
    case ControlKind::HScrollBar:
      windowClass = "SCROLLBAR";
      style |= SBS_HORZ;
      break;
    case ControlKind::Canvas: windowClass = kCanvasClass; break;
    case ControlKind::Timer:
    case ControlKind::TrayIcon:
    case ControlKind::MidiComponent: return;  // no window of their own
  }
  std::string text = Utf8ToGbk(laidOut.text);
  auto id = static_cast<std::intptr_t>(kFirstControlId + record.controls.size() - 1);
  control.hwnd =
      CreateWindowExA(0, windowClass, text.c_str(), style, laidOut.x, laidOut.y, laidOut.width, laidOut.height,
                      record.hwnd, reinterpret_cast<HMENU>(id), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), FALSE);
  if (laidOut.kind == ControlKind::Canvas && laidOut.width > 0 && laidOut.height > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = laidOut.width;
    info.bmiHeader.biHeight = -laidOut.height;  // top-down, as the core's buffers
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    control.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    control.pixels = static_cast<std::uint32_t*>(bits);
    if (control.pixels) {
      std::fill_n(control.pixels,
                  static_cast<std::size_t>(laidOut.width) * static_cast<std::size_t>(laidOut.height),
                  0x00FFFFFFu);
    }
    SetWindowLongPtrA(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control.bitmap));
  }
}

void Win32Windows::Release(WindowRecord& record) {
  for (ControlRecord& control : record.controls) {
    if (control.brush) DeleteObject(control.brush);
    if (control.bitmap) DeleteObject(control.bitmap);
    control.brush = nullptr;
    control.bitmap = nullptr;
    control.pixels = nullptr;
  }
  if (record.brush) DeleteObject(record.brush);
  record.brush = nullptr;
}

void Win32Windows::Destroy(WindowId window) {
  WindowRecord* record = Get(window);
  if (!record) return;
  HWND hwnd = record->hwnd;
  destroyingThroughPort_ = true;
  if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
  destroyingThroughPort_ = false;
  // WM_NCDESTROY has dropped the record; a window that never had a handle
  // goes here.
  if (WindowRecord* left = Get(window)) {
    Release(*left);
    windows_.erase(window);
  }
}

bool Win32Windows::Exists(WindowId window) const {
  const WindowRecord* record = Get(window);
  return record && record->hwnd && IsWindow(record->hwnd);
}

void Win32Windows::Show(WindowId window) {
  HWND hwnd = Handle(window);
  if (!hwnd) return;
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
}

Rect Win32Windows::OuterRect(WindowId window) const {
  RECT r{};
  if (HWND hwnd = Handle(window)) GetWindowRect(hwnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

Size Win32Windows::ClientSize(WindowId window) const {
  RECT r{};
  if (HWND hwnd = Handle(window)) GetClientRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void Win32Windows::SetOuterRect(WindowId window, Rect rect) {
  // SetWindowPos sends WM_WINDOWPOSCHANGED and WM_SIZE before it returns.
  if (HWND hwnd = Handle(window)) {
    SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

Size Win32Windows::ScreenSize() const {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void Win32Windows::SetBackground(WindowId window, Colour colour) {
  WindowRecord* record = Get(window);
  if (!record) return;
  record->background = colour;
  if (record->brush) DeleteObject(record->brush);
  record->brush = CreateSolidBrush(ToColorRef(colour));
  if (record->hwnd) InvalidateRect(record->hwnd, nullptr, TRUE);
}

Colour Win32Windows::Background(WindowId window) const {
  const WindowRecord* record = Get(window);
  return record ? record->background : 0;
}

void Win32Windows::SetChecked(WindowId window, std::string_view control, bool checked) {
  WindowRecord* record = Get(window);
  ControlRecord* c = record ? record->Find(control) : nullptr;
  if (c && c->hwnd) SendMessageA(c->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Windows::Checked(WindowId window, std::string_view control) const {
  const WindowRecord* record = Get(window);
  const ControlRecord* c = record ? record->Find(control) : nullptr;
  return c && c->hwnd && SendMessageA(c->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Windows::SetTag(WindowId window, std::string_view control, std::string tag) {
  WindowRecord* record = Get(window);
  if (ControlRecord* c = record ? record->Find(control) : nullptr) c->tag = std::move(tag);
}

std::string Win32Windows::Tag(WindowId window, std::string_view control) const {
  const WindowRecord* record = Get(window);
  const ControlRecord* c = record ? record->Find(control) : nullptr;
  return c ? c->tag : std::string();
}

void Win32Windows::SetControlBackground(WindowId window, std::string_view control, Colour colour) {
  WindowRecord* record = Get(window);
  ControlRecord* c = record ? record->Find(control) : nullptr;
  if (!c) return;
  c->hasBackground = true;
  c->background = colour;
  if (c->brush) DeleteObject(c->brush);
  c->brush = CreateSolidBrush(ToColorRef(colour));
  if (c->hwnd) InvalidateRect(c->hwnd, nullptr, TRUE);
}

bool Win32Windows::RegisterHotKey(WindowId window, int id, int modifiers, int virtualKey) {
  HWND hwnd = Handle(window);
  if (!hwnd) return false;
  // The press reaches the hidden label's handler through a layer of the
  // window's procedure, wrapped after the snapping and before the key filter.
  InstallLayer(window, ProcedureLayer::HotKey,
               [this](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
                 if (message != WM_HOTKEY) return false;
                 if (shell_.procedures.hotKey) shell_.procedures.hotKey(static_cast<int>(wParam));
                 result = 0;
                 return true;
               });
  return ::RegisterHotKey(hwnd, id, static_cast<UINT>(modifiers), static_cast<UINT>(virtualKey)) !=
         FALSE;
}

WindowId Win32Windows::ForegroundWindow() const { return FromHandle(GetForegroundWindow()); }

void Win32Windows::SendNonClientButtonDown(WindowId window, int hitTest) {
  if (HWND hwnd = Handle(window))
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hitTest), 0);
}

void Win32Windows::InstallLayer(WindowId window, ProcedureLayer layer, LayerProcedure procedure) {
  WindowRecord* record = Get(window);
  if (!record || !record->hwnd) return;
  Layer& l = record->layers[LayerIndex(layer)];
  l.procedure = std::move(procedure);
  if (l.installed) return;
  l.previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(record->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ThunkOf(layer))));
  l.installed = true;
}

void Win32Windows::RemoveLayer(WindowId window, ProcedureLayer layer) {
  WindowRecord* record = Get(window);
  if (!record || !record->hwnd) return;
  Layer& l = record->layers[LayerIndex(layer)];
  if (!l.installed) return;
  l.procedure = nullptr;
  auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(record->hwnd, GWLP_WNDPROC));
  if (current == ThunkOf(layer)) {
    SetWindowLongPtrA(record->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(l.previous));
    l.installed = false;
  }
}

LRESULT Win32Windows::LayerMessage(ProcedureLayer layer, HWND hwnd, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
  WindowRecord* record = Get(FromHandle(hwnd));
  if (!record) return DefWindowProcA(hwnd, message, wParam, lParam);
  Layer& l = record->layers[LayerIndex(layer)];
  // Copied first: the record may be gone when the inner procedures return.
  WNDPROC previous = l.previous;
  LayerProcedure procedure = l.procedure;
  LRESULT result = 0;
  if (procedure && procedure(hwnd, message, wParam, lParam, result)) return result;
  return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

LRESULT Win32Windows::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowId id = FromHandle(hwnd);
  WindowRecord* record = Get(id);
  Program* program = shell_.program();
  switch (message) {
    case WM_ERASEBKGND:
      if (record && record->brush) {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, record->brush);
        return 1;
      }
      break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      if (record) {
        for (const ControlRecord& c : record->controls) {
          if (c.hwnd == reinterpret_cast<HWND>(lParam) && c.hasBackground) {
            SetBkColor(reinterpret_cast<HDC>(wParam), ToColorRef(c.background));
            return reinterpret_cast<LRESULT>(c.brush);
          }
        }
      }
      break;
    case WM_COMMAND:
      if (record && lParam != 0 && HIWORD(wParam) == BN_CLICKED) {
        std::size_t index = LOWORD(wParam) - static_cast<std::size_t>(kFirstControlId);
        if (index < record->controls.size() && shell_.procedures.click) {
          std::string name(record->controls[index].laidOut.name);
          shell_.procedures.click(id, name);
        }
        return 0;
      }
      break;
    case WM_TIMER: {
      std::string name = shell_.timers.NameOf(id, wParam);
      if (!name.empty() && shell_.procedures.timer) shell_.procedures.timer(id, name);
      return 0;
    }
    case WM_CLOSE:
      if (program && id == program->mainWindow) {
        CloseMainWindow(*program);
        return 0;
      }
      Destroy(id);
      return 0;
    case WM_DESTROY:
      if (program && id != kNoWindow && id == program->mainWindow) {
        // Destroyed from outside the program: its handler has not run yet.
        if (!destroyingThroughPort_) {
          OnMainWindowDestroy(*program);
          program->mainWindow = kNoWindow;
        }
        PostQuitMessage(0);
      }
      break;
    case WM_NCDESTROY:
      if (record) {
        Release(*record);
        windows_.erase(id);
      }
      break;
    default: break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

WindowRecord* Win32Windows::Get(WindowId window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

const WindowRecord* Win32Windows::Get(WindowId window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

WindowId Win32Windows::FromHandle(HWND hwnd) const {
  for (const auto& [id, record] : windows_) {
    if (record.hwnd == hwnd) return id;
  }
  return kNoWindow;
}

HWND Win32Windows::Handle(WindowId window) const {
  const WindowRecord* record = Get(window);
  return record ? record->hwnd : nullptr;
}

// Timers

void Win32Timers::SetTimerPeriod(WindowId window, std::string_view timer, int periodMs) {
  Timer& t = timers_[{window, std::string(timer)}];
  if (t.id == 0) t.id = next_++;
  HWND hwnd = shell_.windows.Handle(window);
  if (periodMs > 0) {
    // Setting a running timer again starts its period anew.
    if (hwnd) ::SetTimer(hwnd, t.id, static_cast<UINT>(periodMs), nullptr);
  } else if (t.period > 0 && hwnd) {
    ::KillTimer(hwnd, t.id);
  }
  t.period = periodMs;
}

int Win32Timers::TimerPeriod(WindowId window, std::string_view timer) const {
  auto it = timers_.find({window, std::string(timer)});
  return it == timers_.end() ? 0 : it->second.period;
}

std::string Win32Timers::NameOf(WindowId window, UINT_PTR id) const {
  for (const auto& [key, t] : timers_) {
    if (key.first == window && t.id == id && t.period > 0) return key.second;
  }
  return {};
}

}  // namespace oriwen::win32
