#pragma once
#include "input/key_event.h"

namespace oriwen {
struct Program;

inline constexpr const char* kBackgroundToggle = "选择框_可后台";
inline constexpr const char* kBackgroundHookFailedText =
    "安装键盘钩子时出错，请关闭相应的安全软件！";

// Click handler of 选择框_可后台 (the wizard calls it too, after releasing
// the toggle): pressed installs the low-level hook of background mode,
// released removes it. A refused install releases the toggle again and
// tells the user.
void OnBackgroundToggleClick(Program& program);

// Clears the modifier flags and installs the low-level keyboard hook; false
// when the system refuses it. Does nothing more while one is installed.
bool InstallBackgroundKeyHook(Program& program);
// Removes the low-level keyboard hook of background mode, if installed.
void RemoveBackgroundKeyHook(Program& program);

// The hook procedure, for every key of the desktop while background mode is
// on. Plays without swallowing; swallows only the lock keys and the space
// bar, as lockKeyLights and blockSpace say at that keystroke.
HookVerdict BackgroundKeyHook(Program& program, const KeyEvent& event);

}  // namespace oriwen
