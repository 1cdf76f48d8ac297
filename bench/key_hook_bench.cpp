// One keystroke (press and release) through the key hooks to the MIDI port.
#include <benchmark/benchmark.h>

#include "bench/bench_program.h"
#include "input/background_key_hook.h"
#include "input/foreground_key_hook.h"

namespace oriwen {
namespace {

struct HookBench : bench::BenchProgram {
  explicit HookBench(bool background) {
    if (background) InstallBackgroundKeyHook(*program);
  }
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
