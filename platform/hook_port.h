#pragma once

namespace oriwen {

enum class HookKind {
  ThreadKeyboard,    // keys bound for the program's own windows
  ThreadMouse,       // mouse messages of the program's own windows
  LowLevelKeyboard,  // every key of the desktop (background mode)
  WizardLowLevelKeyboard,
  MainWindowFilter,  // the key-capture procedure wrapped around the main window
};

using HookHandle = int;  // 0 means none (or: installation failed)
inline constexpr HookHandle kNoHook = 0;

// Installing and removing hooks. While a hook is installed the shell hands
// each of its events to the core's procedure for that kind and applies the
// verdict (swallow or pass on).
class HookPort {
 public:
  virtual ~HookPort() = default;
  virtual HookHandle InstallHook(HookKind kind) = 0;
  virtual void RemoveHook(HookHandle hook) = 0;
};

}  // namespace oriwen
