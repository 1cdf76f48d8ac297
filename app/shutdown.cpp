#include "app/shutdown.h"

#include "app/program.h"
#include "input/background_key_hook.h"
#include "input/foreground_key_hook.h"
#include "keyboard_view/mouse_play.h"
#include "settings/settings_file.h"

namespace oriwen {
namespace {

void DestroyIfOpen(Program& p, WindowId& window) {
  if (window != kNoWindow && p.ports.windows.Exists(window)) p.ports.windows.Destroy(window);
  window = kNoWindow;
}

}  // namespace

void OnMainWindowDestroy(Program& p) {
  DestroyIfOpen(p, p.settingsWindow);
  DestroyIfOpen(p, p.layoutWizard);
  RemoveBackgroundKeyHook(p);
  RemoveForegroundKeyHook(p);
  RemoveMouseHook(p);
  SaveSettings(p);
}

void CloseMainWindow(Program& p) {
  if (p.mainWindow == kNoWindow) return;
  OnMainWindowDestroy(p);
  p.ports.windows.Destroy(p.mainWindow);
  p.mainWindow = kNoWindow;
}

}  // namespace oriwen
