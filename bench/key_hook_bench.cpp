// One keystroke (press and release) through the key hooks to the MIDI port.
#include <benchmark/benchmark.h>

#include "app/program.h"
#include "app/startup.h"
#include "input/background_key_hook.h"
#include "input/foreground_key_hook.h"
#include "platform/headless/headless_platform.h"

namespace oriwen {
namespace {

// A MIDI port that only counts, so that the figures are the core's own.
class CountingMidiPort : public MidiPort {
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

struct HookBench {
  explicit HookBench(bool background) {
    machine.programDirectory = directory.path();
    platform = std::make_unique<headless::Platform>(machine, [](const std::string&) {});
    Ports ports = platform->ports();
    program =
        std::make_unique<Program>(Ports{ports.windows, ports.timers, midi, ports.store,
                                        ports.process, ports.messages, ports.hooks, ports.glass});
    StartProgram(*program);
    program->settings.rowRestOnRelease = {1, 1, 1, 1, 1};
    if (background) InstallBackgroundKeyHook(*program);
  }
  headless::TemporaryDirectory directory;
  headless::Machine machine;
  CountingMidiPort midi;
  std::unique_ptr<headless::Platform> platform;
  std::unique_ptr<Program> program;
};

// `/`, the last key of row 5, is the longest search that plays; 96 (numeric
// pad 0) is in no row, the common case of a desktop keystroke.
template <HookVerdict (*Hook)(Program&, const KeyEvent&)>
void Keystroke(benchmark::State& state, bool background, int key) {
  HookBench b(background);
  KeyEvent down{key, false, false};
  KeyEvent up{key, false, true};
  b.midi.count = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Hook(*b.program, down));
    benchmark::DoNotOptimize(Hook(*b.program, up));
  }
  benchmark::DoNotOptimize(b.midi.last);
  state.counters["midi/keystroke"] =
      static_cast<double>(b.midi.count) / static_cast<double>(state.iterations());
}

void BM_ForegroundKeyHook_RowKey(benchmark::State& s) {
  Keystroke<ForegroundKeyHook>(s, false, 191);
}
void BM_ForegroundKeyHook_KeyInNoRow(benchmark::State& s) {
  Keystroke<ForegroundKeyHook>(s, false, 96);
}
void BM_BackgroundKeyHook_RowKey(benchmark::State& s) {
  Keystroke<BackgroundKeyHook>(s, true, 191);
}
void BM_BackgroundKeyHook_KeyInNoRow(benchmark::State& s) {
  Keystroke<BackgroundKeyHook>(s, true, 96);
}
BENCHMARK(BM_ForegroundKeyHook_RowKey);
BENCHMARK(BM_ForegroundKeyHook_KeyInNoRow);
BENCHMARK(BM_BackgroundKeyHook_RowKey);
BENCHMARK(BM_BackgroundKeyHook_KeyInNoRow);

}  // namespace
}  // namespace oriwen
