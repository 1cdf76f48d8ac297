#!/usr/bin/env bash
# Start-up time to the first shown window and resident memory of the Linux
# program and of Debian's vmpk, side by side under one Xvfb, each with its
# FluidSynth synthesizer on the same soundfont (TimGM6mb) and the same audio
# settings (2 periods of 64 frames at 48 kHz), playing into a WAV file with
# FluidSynth's file driver so that no sound card is needed. Not part of CI:
#   bench/linux/startup_memory.sh [RUNS]      (default 5 runs of each)
# Memory is read 2 s after the window appeared: VmRSS and, from
# smaps_rollup, Pss (shared libraries divided among their users).
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-5}
scripts/install-deps.sh build-essential cmake ninja-build pkg-config libgtest-dev libbenchmark-dev \
  qt6-base-dev libfluidsynth-dev timgm6mb-soundfont fonts-noto-cjk xvfb xdotool x11-utils \
  libx11-dev vmpk
cmake --preset linux >/dev/null
cmake --build --preset linux -j 2 --target oriwen x11-close-window >/dev/null
close_window=$PWD/build/linux/tests/linux/x11-close-window
soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2

work=$(mktemp -d /tmp/oriwen-bench-XXXXXX)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/bin"
cp build/linux/platform/linux/oriwen "$work/bin/"

exec 3<>"$work/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do display=$(head -n1 "$work/displayfd" 2>/dev/null); [ -n "$display" ] && break; sleep 0.1; done
exec 3>&-
export DISPLAY=":$display"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# measure NAME COMMAND...: prints "ms rss_kb pss_kb" for one start.
measure() {
  local name=$1; shift
  local run=$work/run-$name
  rm -rf "$run"; mkdir -p "$run/home/.config/vmpk.sourceforge.net" "$run/xdg"
  chmod 700 "$run/xdg"
  cat >"$run/home/.config/vmpk.sourceforge.net/VMPK.conf" <<CONF
[Connections]
InEnabled=false
OutputDriver=FluidSynth
OutPort=FluidSynth

[FluidSynth]
AudioDriver=file
InstrumentsDefinition=$soundfont
PeriodSize=64
Periods=2
SampleRate=48000
CONF
  local start window=""
  start=$(now_ms)
  (cd "$run" && exec env HOME="$run/home" XDG_RUNTIME_DIR="$run/xdg" "$@" >"$run/log" 2>&1) &
  local pid=$!
  for _ in $(seq 4000); do
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.005
  done
  local shown
  shown=$(now_ms)
  sleep 2
  local rss pss
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
  pss=$(awk '/^Pss:/ {print $2}' "/proc/$pid/smaps_rollup")
  "$close_window" "$window"
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "$((shown - start)) $rss $pss"
}

oriwen_cmd=("$work/bin/oriwen" --wav-file out.wav --soundfont "$soundfont" --periods 2 --period-size 64 --sample-rate 48000)
vmpk_cmd=(vmpk)
: >"$work/oriwen.txt"; : >"$work/vmpk.txt"
for i in $(seq "$runs"); do
  # Alternate the order, so that neither always starts with warm caches.
  if [ $((i % 2)) -eq 1 ]; then
    measure oriwen "${oriwen_cmd[@]}" >>"$work/oriwen.txt"
    measure vmpk "${vmpk_cmd[@]}" >>"$work/vmpk.txt"
  else
    measure vmpk "${vmpk_cmd[@]}" >>"$work/vmpk.txt"
    measure oriwen "${oriwen_cmd[@]}" >>"$work/oriwen.txt"
  fi
done

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
echo "$runs runs each under Xvfb, FluidSynth file driver, $soundfont, 2 x 64 frames at 48 kHz"
printf '%-8s %22s %18s %18s\n' program "start-up to window ms" "VmRSS MiB" "Pss MiB"
for name in oriwen vmpk; do
  f=$work/$name.txt
  ms=$(cut -d' ' -f1 "$f" | median)
  rss=$(cut -d' ' -f2 "$f" | median)
  pss=$(cut -d' ' -f3 "$f" | median)
  printf '%-8s %22s %18.1f %18.1f   (runs: %s)\n' "$name" "$ms (median)" "$(awk "BEGIN {print $rss / 1024}")" \
    "$(awk "BEGIN {print $pss / 1024}")" "$(cut -d' ' -f1 "$f" | tr '\n' ' ')"
done
