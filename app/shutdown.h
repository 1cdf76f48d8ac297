#pragma once

namespace oriwen {

struct Program;

// The main window's destruction handler.
void OnMainWindowDestroy(Program& program);

// Closing the main window: the destruction handler runs, then the window
// goes; the shell ends the process after this.
void CloseMainWindow(Program& program);

}  // namespace oriwen
