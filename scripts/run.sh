#!/usr/bin/env bash
# Installs what the program needs (Qt 6, FluidSynth, a General MIDI
# soundfont, a CJK font), builds it and starts it; arguments are passed on
# (see build/linux/platform/linux/oriwen --help), e.g.
#   scripts/run.sh --wav-file out.wav
# scripts/run.sh --demo instead runs the program without a display through
# the scripted driver: it plays a key and prints everything the program did.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

if [ "${1:-}" = "--demo" ]; then
  scripts/install-deps.sh build-essential cmake ninja-build pkg-config libgtest-dev libbenchmark-dev
  cmake --preset linux >/dev/null
  cmake --build --preset linux -j "$jobs" --target oriwen-driver
  exec build/linux/platform/headless/oriwen-driver docs/example.script
fi

scripts/install-deps.sh build-essential cmake ninja-build pkg-config libgtest-dev libbenchmark-dev \
  qt6-base-dev libfluidsynth-dev timgm6mb-soundfont fonts-noto-cjk
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs" --target oriwen

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'TEXT'
run.sh: the program is built, but there is no display to show it on
(DISPLAY and WAYLAND_DISPLAY are not set). Either run this on a desktop, or
start it on a virtual display, playing into a WAV file when there is no
sound card:
  scripts/install-deps.sh xvfb xauth
  xvfb-run -a -s '-screen 0 1280x1024x24' build/linux/platform/linux/oriwen --wav-file out.wav
or see what the program does without any display: scripts/run.sh --demo
TEXT
  exit 1
fi
exec build/linux/platform/linux/oriwen "$@"
