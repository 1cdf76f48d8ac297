#!/usr/bin/env bash
# The Linux program's tests: installs Qt 6, FluidSynth, the soundfont, the
# fonts and the X tools, builds the program and its tests (they must build
# now), runs the unit tests and the end-to-end tests under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build-essential cmake ninja-build pkg-config libgtest-dev \
  qt6-base-dev libfluidsynth-dev timgm6mb-soundfont fonts-noto-cjk xvfb xdotool x11-utils \
  libxkbcommon-dev xkb-data libx11-dev libxi-dev imagemagick

cmake --preset linux -DORIWEN_WERROR=ON >/dev/null
jobs=$(nproc 2>/dev/null || echo 2)
cmake --build --preset linux -j "$jobs" --target oriwen oriwen_linux_tests x11-close-window x11-key-recorder
ctest --preset linux -L linux -j "$jobs"
bash tests/linux/desktop_test.sh build/linux build/linux/tests/linux/artifacts
