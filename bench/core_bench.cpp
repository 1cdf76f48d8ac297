// Costs of the paths that run per keystroke and at start and exit.
#include <benchmark/benchmark.h>

#include "bench/bench_program.h"
#include "note_engine/note_engine.h"
#include "settings/settings_file.h"

namespace oriwen {
namespace {

using bench::BenchProgram;

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
