#!/usr/bin/env bash
# The Windows program: cross-builds Oriwen.exe with mingw-w64 (preset win32)
# and runs its end-to-end tests under Wine and Xvfb (CTest label "wine").
# Installs what it needs; the Wine prefix, locale and display live in
# build/win32/wine and are made anew on every run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix \
  wine wine64 xvfb xdotool xautomation x11-utils imagemagick \
  fonts-noto-cjk locales

echo "== win32: build =="
cmake --preset win32 -DORIWEN_WERROR=ON >/dev/null
cmake --build --preset win32 -j 2

echo "== win32: Wine tests =="
start=$(date +%s)
export ORIWEN_WINE_ROOT="$PWD/build/win32/wine"
rm -rf build/win32/artifacts build/win32/wine-cases
source tests/win32/wine-env.sh
trap oriwen_wine_stop EXIT
oriwen_wine_start
echo "Wine prefix ready in $(($(date +%s) - start)) s"
ctest --test-dir build/win32/platform/win32 -L wine --output-on-failure
echo "Wine part took $(($(date +%s) - start)) s; screenshot: build/win32/artifacts/main-window.png"
