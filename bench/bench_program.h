#pragma once
// A started program on the headless platform whose MIDI port only counts, so
// that the figures are the core's own.
#include <memory>
#include <string>

#include "app/program.h"
#include "app/startup.h"
#include "platform/headless/headless_platform.h"

namespace oriwen::bench {

class CountingMidi : public MidiPort {
 public:
  int DeviceCount() override { return 1; }
  bool Open(int) override { return true; }
  void SendShortMessage(std::uint32_t message) override {
    ++count;
    last = message;
  }
  std::uint64_t count = 0;
  std::uint32_t last = 0;
};

struct BenchProgram {
  BenchProgram() {
    machine.programDirectory = directory.path();
    platform = std::make_unique<headless::Platform>(machine, [](const std::string&) {});
    Ports ports = platform->ports();
    program =
        std::make_unique<Program>(Ports{ports.windows, ports.timers, midi, ports.store,
                                        ports.process, ports.messages, ports.hooks, ports.glass});
    StartProgram(*program);
    program->settings.rowRestOnRelease = {1, 1, 1, 1, 1};
  }
  headless::TemporaryDirectory directory;
  headless::Machine machine;
  CountingMidi midi;
  std::unique_ptr<headless::Platform> platform;
  std::unique_ptr<Program> program;
};

}  // namespace oriwen::bench
