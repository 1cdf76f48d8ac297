#!/usr/bin/env bash
# Installs what the tests need, builds every configuration and runs every
# test: the unit and scenario tests (plain and with sanitizers) and the
# platform tests of the shells that are present.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build-essential cmake ninja-build pkg-config \
  libgtest-dev libgmock-dev libbenchmark-dev

jobs=$(nproc 2>/dev/null || echo 2)
werror="-DORIWEN_WERROR=ON"

for preset in linux linux-asan; do
  echo "== $preset =="
  cmake --preset "$preset" $werror >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

# Further suites of the shells (each script installs what it needs).
for suite in scripts/test-*.sh; do
  [ -e "$suite" ] || continue
  echo "== $suite =="
  bash "$suite"
done
echo "all tests passed"
