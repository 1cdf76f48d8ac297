#!/usr/bin/env bash
# Runs the program. Until the desktop program is built, this runs a short
# demonstration through the scripted driver instead: it starts the program
# without a display, plays a key and prints everything the program did.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build-essential cmake ninja-build pkg-config libgtest-dev libbenchmark-dev
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$(nproc 2>/dev/null || echo 2)" --target oriwen-driver
build/linux/platform/headless/oriwen-driver docs/example.script
