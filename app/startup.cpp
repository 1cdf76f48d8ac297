#include "app/startup.h"

#include "app/glass.h"
#include "app/main_window_layout.h"
#include "app/program.h"
#include "app/single_instance.h"
#include "app/snapping.h"
#include "app/tool_tips.h"
#include "app/windows_version.h"
#include "input/foreground_key_hook.h"
#include "input/main_window_filter.h"
#include "keyboard_view/keyboard_picture.h"
#include "keyboard_view/keyboard_toggle.h"
#include "keyboard_view/mouse_play.h"
#include "note_engine/note_engine.h"
#include "settings/settings_file.h"

namespace oriwen {
namespace {

constexpr int kSnapDistance = 20;
constexpr int kHotKeyModifiers = 9;      // Alt + Win
constexpr int kHotKeyVirtualKey = 0x56;  // V

void ShowError(Program& p, std::string_view text, std::string_view title) {
  p.ports.messages.ShowMessageBox(p.mainWindow, text, title, MessageButtons::Ok,
                                  MessageIcon::Exclamation);
}

void SetClientSize(Program& p, int width, int height) {
  WindowPort& w = p.ports.windows;
  Rect outer = w.OuterRect(p.mainWindow);
  Size client = w.ClientSize(p.mainWindow);
  outer.bottom = outer.top + (outer.Height() - client.height + height);
  outer.right = outer.left + (outer.Width() - client.width + width);
  w.SetOuterRect(p.mainWindow, outer);
}

void CentreOnScreen(Program& p) {
  WindowPort& w = p.ports.windows;
  Size screen = w.ScreenSize();
  Rect outer = w.OuterRect(p.mainWindow);
  int width = outer.Width();
  int height = outer.Height();
  int left = (screen.width - width) / 2;
  int top = (screen.height - height) / 2;
  w.SetOuterRect(p.mainWindow, {left, top, left + width, top + height});
}

void ReopenKeyboard(Program& p) {
  WindowPort& w = p.ports.windows;
  w.SetChecked(p.mainWindow, "选择框_虚拟琴键", true);
  w.SetTag(p.mainWindow, "选择框_虚拟琴键", "1");  // open without animation
  ToggleKeyboard(p);
  w.SetTag(p.mainWindow, "选择框_虚拟琴键", "");
}

}  // namespace

bool StartProgram(Program& program) {
  program.mainWindow = program.ports.windows.CreateFromLayout(MainWindowLayout(), kNoWindow);
  if (!OnMainWindowCreate(program)) return false;
  program.ports.windows.Show(program.mainWindow);
  return true;
}

bool OnMainWindowCreate(Program& p) {
  ProcessPort& process = p.ports.process;
  // 1. One instance at a time.
  if (TokenHandle other = process.OpenSingleInstanceToken(kSingleInstanceName)) {
    process.CloseToken(other);
    ShowError(p, "请不要重复运行", "出错");
    process.EndProcess(0);
    return false;
  }
  p.singleInstanceEvent = process.CreateSingleInstanceToken(kSingleInstanceName);
  // 2. Client area of the closed keyboard.
  SetClientSize(p, 415, 68);
  // 3.
  InstallSnapping(p, p.mainWindow, kSnapDistance);
  // 4. Without a MIDI device there is nothing to play on.
  if (!p.midi.OpenDevice(0)) {
    ShowError(p, "设备初始化失败", "错误");
    process.EndProcess(0);
    return false;
  }
  // 5.-6.
  FillNoteTable(p.noteTable);
  LoadSettings(p);
  // 7.
  if (p.settings.keyboardOpen != 0) ReopenKeyboard(p);
  // 8.-9.
  DetectWindowsVersion(p);
  if (p.settings.aeroGlass != 0) ApplyMainWindowGlass(p);
  // 10. After the keyboard has opened, so that it is centred at its full size.
  CentreOnScreen(p);
  // 11.-12.
  ApplyInstruments(p, kAllChannels);
  p.ports.windows.RegisterHotKey(p.mainWindow, kHotKeyId, kHotKeyModifiers, kHotKeyVirtualKey);
  // 13.-15.
  InstallMainWindowFilter(p);
  BuildKeyboardPicture(p);
  AttachMainWindowToolTips(p);
  // 16. The program still plays through the main window's filter without it.
  if (!InstallForegroundKeyHook(p)) ShowError(p, "键盘功能失效", "错误");
  // 17.
  InstallMouseHook(p);
  return true;
}

}  // namespace oriwen
