// Oriwen.exe: the program on the Win32 API.
#include "app/program.h"
#include "app/startup.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  oriwen::win32::Shell shell;
  oriwen::Program program(shell.ports());
  shell.Attach(program);
  // A refused start has already ended the process through EndProcess.
  if (!oriwen::StartProgram(program)) return 0;
  return shell.RunMessageLoop();
}
