#!/usr/bin/env bash
# Measures, under Xvfb with the real synthesizer playing into a WAV file, the
# time from a key event's arrival in the program to the return of the hook
# that played it (the synthesizer's note-on done), for the foreground path
# and for background mode. Prints the median and the 95th percentile; it
# asserts nothing.
#   tests/linux/key_latency.sh BUILD_DIR [KEYS]
set -euo pipefail
build=$(cd "$1" && pwd)
count=${2:-200}
work=$(mktemp -d /tmp/oriwen-latency-XXXXXX)
mkdir -p "$work/bin" "$work/run"; chmod 700 "$work/run"
cp "$build/platform/linux/oriwen" "$work/bin/"
export HOME=$work XDG_RUNTIME_DIR=$work/run LC_ALL=C.UTF-8
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$work"' EXIT
exec 3<> "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=("$!")
for _ in $(seq 100); do display=$(head -n1 "$work/displayfd" 2>/dev/null); [ -n "$display" ] && break; sleep 0.1; done
exec 3>&-
export DISPLAY=":$display"
ORIWEN_KEY_TIMING=1 "$work/bin/oriwen" --wav-file "$work/out.wav" 2>"$work/log" &
pids+=("$!")
for _ in $(seq 200); do
  main=$(xdotool search --onlyvisible --pid "${pids[1]}" 2>/dev/null | head -n1) && [ -n "$main" ] && break
  sleep 0.1
done
xdotool windowfocus --sync "$main"; sleep 0.5
type_keys() { for _ in $(seq "$count"); do xdotool key --delay 5 a; done; sleep 0.5; }
type_keys
xdotool mousemove --window "$main" 48 32 click 1; sleep 0.5   # 可后台 on
type_keys
report() {
  grep "key-latency $1 " "$work/log" | awk '{print $4}' | sort -n |
    awk -v path="$1" '{v[NR]=$1} END {if (NR) printf "%s: %d keys, median %.1f us, p95 %.1f us\n", path, NR, v[int((NR+1)/2)], v[int(NR*0.95)]}'
}
report foreground
report background
