// Costs of the paths that run per keystroke and at start and exit.
#include <benchmark/benchmark.h>

#include "app/program.h"
#include "app/startup.h"
#include "note_engine/note_engine.h"
#include "platform/headless/headless_platform.h"
#include "settings/settings_file.h"

namespace oriwen {
namespace {

// A MIDI port that only counts, so that the figures are the core's own.
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
    program = std::make_unique<Program>(Ports{ports.windows, ports.timers, midi, ports.store,
                                              ports.process, ports.messages, ports.hooks,
                                              ports.glass});
    StartProgram(*program);
    program->settings.rowRestOnRelease = {1, 1, 1, 1, 1};
  }
  headless::TemporaryDirectory directory;
  headless::Machine machine;
  CountingMidi midi;
  std::unique_ptr<headless::Platform> platform;
  std::unique_ptr<Program> program;
};

void BM_KeystrokeDownAndUp(benchmark::State& state) {
  BenchProgram b;
  // The last key of row 5 is the worst case of the row search.
  for (auto _ : state) {
    benchmark::DoNotOptimize(NoteKeyDown(*b.program, 191, 0));
    benchmark::DoNotOptimize(NoteKeyUp(*b.program, 191));
  }
  benchmark::DoNotOptimize(b.midi.last);
}
BENCHMARK(BM_KeystrokeDownAndUp);

void BM_AllNotesOff(benchmark::State& state) {
  BenchProgram b;
  for (auto _ : state) AllNotesOff(*b.program);
  benchmark::DoNotOptimize(b.midi.last);
}
BENCHMARK(BM_AllNotesOff);

void BM_LoadSettings(benchmark::State& state) {
  BenchProgram b;
  SaveSettings(*b.program);  // a full file of 37 keys
  for (auto _ : state) {
    state.PauseTiming();
    b.program->rows = KeyRows{};
    state.ResumeTiming();
    LoadSettings(*b.program);
  }
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMicrosecond);

void BM_SaveSettings(benchmark::State& state) {
  BenchProgram b;
  for (auto _ : state) SaveSettings(*b.program);
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace oriwen

BENCHMARK_MAIN();
