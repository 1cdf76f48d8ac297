#pragma once
#include "platform/glass_port.h"
#include "platform/hook_port.h"
#include "platform/message_box_port.h"
#include "platform/midi_port.h"
#include "platform/process_port.h"
#include "platform/settings_store_port.h"
#include "platform/timer_port.h"
#include "platform/window_port.h"

namespace oriwen {

// Everything the core needs of a machine; a shell builds one and hands it
// to the program.
struct Ports {
  WindowPort& windows;
  TimerPort& timers;
  MidiPort& midi;
  SettingsStorePort& store;
  ProcessPort& process;
  MessageBoxPort& messages;
  HookPort& hooks;
  GlassPort& glass;
};

}  // namespace oriwen
