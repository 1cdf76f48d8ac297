#include "app/glass.h"

#include "app/main_window_layout.h"
#include "app/program.h"

namespace oriwen {

void ApplyMainWindowGlass(Program& p) {
  if (!p.isWindows6OrLater) return;
  // A negative margin turns the whole client area into glass.
  Margins margins{0, 0, 0, -1};
  if (!p.ports.glass.CompositionEnabled()) return;
  WindowPort& w = p.ports.windows;
  w.SetBackground(p.mainWindow, kGlassBackground);
  p.ports.glass.MakeLayered(p.mainWindow, /*keepExtendedStyles=*/false);
  p.ports.glass.SetLayeredColourKey(p.mainWindow, w.Background(p.mainWindow));
  p.ports.glass.ExtendFrameIntoClientArea(p.mainWindow, margins);
  for (std::string_view button : MainWindowToggleButtons()) {
    w.SetControlBackground(p.mainWindow, button, w.Background(p.mainWindow));
  }
}

}  // namespace oriwen
