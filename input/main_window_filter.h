#pragma once

namespace oriwen {
struct Program;

// The messages of the main window that its key-capture procedure acts on;
// a shell maps the system's messages to these and passes the rest as Other.
enum class MainWindowMessageKind {
  KeyDown,               // WM_KEYDOWN
  SysKeyDown,            // WM_SYSKEYDOWN
  KeyUp,                 // WM_KEYUP
  SysKeyUp,              // WM_SYSKEYUP
  NonClientDoubleClick,  // WM_NCLBUTTONDBLCLK
  NonClientButtonDown,   // WM_NCLBUTTONDOWN, wParam the hit-test code
  SysCommand,            // WM_SYSCOMMAND, wParam the command
  Other,
};

struct MainWindowMessage {
  MainWindowMessageKind kind = MainWindowMessageKind::Other;
  int wParam = 0;  // key messages: the virtual-key code as the window gets it
};

// Consumed: the procedure returns `result` and the chain below never sees
// the message. Otherwise the shell passes it to the previous procedure and
// returns that procedure's result.
struct FilterVerdict {
  bool consumed = false;
  int result = 0;
};

// Hit-test codes of the window frame and the Size command of the system menu.
inline constexpr int kHitLeft = 10;
inline constexpr int kHitRight = 11;
inline constexpr int kHitTop = 12;
inline constexpr int kHitTopLeft = 13;
inline constexpr int kHitTopRight = 14;
inline constexpr int kHitBottom = 15;
inline constexpr int kHitBottomLeft = 16;
inline constexpr int kHitBottomRight = 17;
inline constexpr int kSysCommandSize = 0xF000;

// Wraps the main window's procedure chain with MainWindowFilter; it stays
// for the whole run.
void InstallMainWindowFilter(Program& program);

// The main window's key-capture procedure. Key messages that reach the main
// window itself go to the note engine (the fallback when the thread hook is
// missing) and are always passed on. Frame messages: the window is sized
// only sideways and only while the on-screen keyboard is open and still.
FilterVerdict MainWindowFilter(Program& program, const MainWindowMessage& message);

// The on-screen keyboard is open and neither opening nor closing.
bool KeyboardSteady(const Program& program);

}  // namespace oriwen
