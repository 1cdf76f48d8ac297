#!/usr/bin/env bash
# Runs each libFuzzer target for a while (default 60 seconds each):
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-deps.sh clang libclang-rt-14-dev cmake ninja-build
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2
for target in fuzz_profile_store fuzz_row_value; do
  corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus"
  echo "== $target for ${seconds}s =="
  build/fuzz/fuzz/$target "$corpus" -max_total_time="$seconds" -max_len=4096 -timeout=5 2>&1 | tail -3
done
