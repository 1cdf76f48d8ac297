#!/usr/bin/env bash
# End-to-end tests of the Linux program under Xvfb, without a window
# manager (outer size = client size):
#   tests/linux/desktop_test.sh BUILD_DIR [ARTIFACT_DIR]
# Needs Xvfb, xdotool, xwininfo (x11-utils), import (imagemagick), iconv.
set -uo pipefail
build=$(cd "$1" && pwd)
artifacts=${2:-$build/tests/linux/artifacts}
mkdir -p "$artifacts"
program=$build/platform/linux/oriwen
close_window=$build/tests/linux/x11-close-window
key_recorder=$build/tests/linux/x11-key-recorder
title="Oriwen电子琴 2.4"

work=$(mktemp -d /tmp/oriwen-desktop-XXXXXX)
mkdir -p "$work/bin" "$work/home" "$work/run"
chmod 700 "$work/run"
cp "$program" "$work/bin/oriwen"
settings="$work/bin/电子琴设置.ini"
export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home/.config
export LC_ALL=C.UTF-8

passed=0 failed=0
pass() { echo "ok   - $1"; passed=$((passed + 1)); }
fail() { echo "FAIL - $1"; failed=$((failed + 1)); }
check() { if eval "$2"; then pass "$1"; else fail "$1"; fi; }

xvfb_pid=""
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A free display number from Xvfb itself.
exec 3<> "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  display=$(head -n1 "$work/displayfd" 2>/dev/null)
  [ -n "$display" ] && break
  sleep 0.1
done
exec 3>&-
if [ -z "${display:-}" ]; then
  echo "FAIL - Xvfb did not start"; cat "$work/xvfb.log"; exit 1
fi
export DISPLAY=":$display"

# start NAME ARGS...: runs the program in the background; the program's pid
# in $pid, its output in $work/NAME.log and its exit code, once it ends, in
# $work/NAME.rc.
start() {
  local name=$1; shift
  rm -f "$work/$name.rc" "$work/$name.pid"
  ( "$work/bin/oriwen" "$@" >"$work/$name.log" 2>&1 &
    echo $! >"$work/$name.pid"
    wait $!
    echo $? >"$work/$name.rc" ) &
  started+=("$!")
  for _ in $(seq 100); do [ -s "$work/$name.pid" ] && break; sleep 0.05; done
  pid=$(cat "$work/$name.pid")
  started+=("$pid")
}
# window_of TITLE [PID]: waits (up to 20 s) for a shown window with this
# title (of that process).
window_of() {
  local id search=(--onlyvisible --name ".")
  [ $# -gt 1 ] && search=(--onlyvisible --pid "$2")
  for _ in $(seq 200); do
    for id in $(xdotool search "${search[@]}" 2>/dev/null); do
      if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then echo "$id"; return 0; fi
    done
    sleep 0.1
  done
  return 1
}
# ended NAME: waits (up to 20 s) for the program NAME to end; prints its code.
ended() {
  for _ in $(seq 200); do
    [ -s "$work/$1.rc" ] && { cat "$work/$1.rc"; return 0; }
    sleep 0.1
  done
  echo "still-running"
}
# answer WINDOW: presses Enter in a message box until it has gone.
answer() {
  [ -n "$1" ] || return 0
  for _ in $(seq 20); do
    xdotool key --window "$1" Return 2>/dev/null || true
    sleep 0.2
    xwininfo -id "$1" >/dev/null 2>&1 || return 0
  done
}

# The first instance, on the MIDI sink (no sound card needed).
start first --midi-sink "$work/first.midi"
first_pid=$pid
main=$(window_of "$title" "$pid")
check "the main window appears with its title" '[ -n "$main" ]'
geometry=$(xwininfo -id "${main:-0}" 2>/dev/null)
width=$(awk '/Width:/ {print $2}' <<<"$geometry")
height=$(awk '/Height:/ {print $2}' <<<"$geometry")
x=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$geometry")
y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$geometry")
check "its client area is 415 x 68 (was ${width}x${height})" '[ "$width" = 415 ] && [ "$height" = 68 ]'
check "it is centred on the 1280 x 1024 screen (at $x,$y)" '[ "$x" = 432 ] && [ "$y" = 478 ]'
check "start-up sent the six instruments to device 0" \
  '[ "$(cat "$work/first.midi")" = "$(printf "C%d 01\n" 1 2 3 4 5 6)" ]'
[ -n "$main" ] && import -window "$main" "$artifacts/main-window.png" 2>/dev/null

# A second start is refused while the first runs.
start second --midi-sink "$work/second.midi"
refusal=$(window_of "出错" "$pid")
check "a second instance shows a message box titled 出错" '[ -n "$refusal" ]'
[ -n "$refusal" ] && import -window "$refusal" "$artifacts/second-instance.png" 2>/dev/null
answer "$refusal"
check "the second instance ends with code 0" '[ "$(ended second)" = 0 ]'
check "its message is 请不要重复运行" 'grep -q "出错: 请不要重复运行" "$work/second.log"'
check "it opened no MIDI device" '[ ! -e "$work/second.midi" ]'
check "the first instance runs on, its settings file untouched" \
  '[ ! -s "$work/first.rc" ] && [ ! -e "$settings" ] && [ -n "$(window_of "$title" "$first_pid")" ]'

# Closing the window writes the 37 keys in GBK.
"$close_window" "${main:-0}"
check "closing the main window ends the program with code 0" '[ "$(ended first)" = 0 ]'
printf '%s' \
  $'[按键]\r\n1=15\r\n2=25\r\n3=38\r\n4=46\r\n5=53\r\n' \
  $'[启用]\r\n1=1\r\n2=1\r\n3=1\r\n4=1\r\n5=1\r\n' \
  $'[升调]\r\n1=1\r\n2=1\r\n3=1\r\n4=1\r\n5=1\r\n' \
  $'[起键休止]\r\n1=0\r\n2=0\r\n3=0\r\n4=0\r\n5=0\r\n鼠标辅助=0\r\n' \
  $'[乐器号]\r\n1=0\r\n2=0\r\n3=0\r\n4=0\r\n5=0\r\n鼠标辅助=0\r\n' \
  $'[鼠标辅助]\r\n平滑切换=1\r\n滑行开启=1\r\n滑行触发灵敏度=1\r\n滑行阻力=1\r\n' \
  $'辅助区宽度=415\r\n琴键定位=1704\r\n琴键打开了=0\r\n' \
  $'[其他]\r\n屏蔽键盘灯=1\r\n屏蔽空格键=1\r\n主音=5\r\n' | iconv -f UTF-8 -t GBK >"$work/expected.ini"
check "the settings file beside the program holds the 37 keys as GBK bytes" \
  'cmp -s "$settings" "$work/expected.ini" && [ "$(grep -c = "$settings")" = 37 ]'
cp "$settings" "$work/saved.ini" 2>/dev/null

# A killed instance leaves no token behind.
start killed --midi-sink "$work/killed.midi"
check "a third instance starts" '[ -n "$(window_of "$title" "$pid")" ]'
kill -KILL "$pid"
ended killed >/dev/null
start after --midi-sink "$work/after.midi"
after=$(window_of "$title" "$pid")
check "after it was killed, the next instance is not refused" \
  '[ -n "$after" ] && [ ! -s "$work/after.rc" ] && ! grep -q 请不要重复运行 "$work/after.log"'
"$close_window" "${after:-0}"
ended after >/dev/null

# Without the soundfont device 0 cannot be opened.
cp "$settings" "$work/before.ini"
start nofont --soundfont /nonexistent/none.sf2
failure=$(window_of "错误" "$pid")
check "without the soundfont a message box titled 错误 appears" '[ -n "$failure" ]'
answer "$failure"
check "and the program ends with code 0" '[ "$(ended nofont)" = 0 ]'
check "its message is 设备初始化失败, with the reason" \
  'grep -q "错误: 设备初始化失败" "$work/nofont.log" && grep -q "soundfont /nonexistent/none.sf2" "$work/nofont.log"'
check "the settings file is not changed" 'cmp -s "$settings" "$work/before.ini"'

# Without a sound card the synthesizer plays into a WAV file.
start wav --wav-file "$work/out.wav"
wav=$(window_of "$title" "$pid")
check "with --wav-file the program starts" '[ -n "$wav" ]'
sleep 1
"$close_window" "${wav:-0}"
ended wav >/dev/null
check "and writes a WAV file" \
  '[ "$(head -c 4 "$work/out.wav" 2>/dev/null)" = RIFF ] && [ "$(stat -c %s "$work/out.wav")" -gt 44 ]'

# Keys. The computer keyboard plays through XTEST, as a person types.
# notes FILE PATTERN: how many lines of the MIDI sink match.
notes() { grep -c "$2" "$1" 2>/dev/null || true; }
# settle: gives the program time to handle what was typed.
settle() { sleep 0.4; }
# toggle WINDOW: clicks the 可后台 button (at 16,16, 64 x 32).
toggle() { xdotool mousemove --window "$1" 48 32 click 1; settle; }
# recorder NAME: starts the other X client, focused; its window in $rec.
recorder() {
  [ -n "${rec_pid:-}" ] && kill "$rec_pid" 2>/dev/null && sleep 0.3
  "$key_recorder" >"$work/$1.keys" 2>&1 &
  rec_pid=$!
  started+=("$rec_pid")
  rec=$(window_of key-recorder)
  xdotool windowfocus --sync "${rec:-0}" 2>/dev/null; settle
}
with_option() {  # with_option VALUE: the settings file with 屏蔽空格键=VALUE
  iconv -f GBK -t UTF-8 "$work/saved.ini" | sed "s/^屏蔽空格键=1/屏蔽空格键=$1/" |
    iconv -f UTF-8 -t GBK >"$settings"
}

with_option 1
start keys --midi-sink "$work/keys.midi"
keys=$(window_of "$title" "$pid")
xdotool windowfocus --sync "${keys:-0}" 2>/dev/null; settle
xdotool key a; settle
check "A typed into the main window plays its note (94 52 7F)" '[ "$(notes "$work/keys.midi" "^94 52 7F")" = 1 ]'
xdotool keydown shift key a keyup shift; settle
check "Shift+A plays the sharp (94 53 7F)" '[ "$(notes "$work/keys.midi" "^94 53 7F")" = 1 ]'
offs=$(notes "$work/keys.midi" "^8")
xdotool keydown Control_L; settle
check "pressing Ctrl sends the 768 note-offs" '[ $(( $(notes "$work/keys.midi" "^8") - offs )) = 768 ]'
xdotool keyup Control_L; settle
toggle "${keys:-0}"
recorder blocked
before=$(notes "$work/keys.midi" "^93 45 7F")
xdotool key q; settle
check "in background mode Q typed into another client sounds (93 45 7F)" \
  '[ $(( $(notes "$work/keys.midi" "^93 45 7F") - before )) = 1 ]'
check "and still reaches that client" 'grep -q "^press q" "$work/blocked.keys"'
xdotool key space; settle
check "with 屏蔽空格键=1 the space bar is kept from it" '! grep -q space "$work/blocked.keys"'
xdotool key Caps_Lock; settle
xdotool key w; settle
check "with 屏蔽键盘灯=1 Caps Lock is kept from it and stays off" \
  '! grep -q Caps_Lock "$work/blocked.keys" && grep -qx "press w" "$work/blocked.keys"'
toggle "${keys:-0}"
xdotool windowfocus --sync "${rec:-0}" 2>/dev/null; settle
xdotool key space Caps_Lock Caps_Lock; settle
check "after background mode goes off, space and Caps Lock are grabbed no more" \
  'grep -q "^press space" "$work/blocked.keys" && grep -q "^press Caps_Lock" "$work/blocked.keys"'
"$close_window" "${keys:-0}"
ended keys >/dev/null

with_option 0
start free --midi-sink "$work/free.midi"
free=$(window_of "$title" "$pid")
toggle "${free:-0}"
recorder free
xdotool key space; settle
check "with 屏蔽空格键=0 the space bar reaches the other client in background mode" \
  'grep -q "^press space" "$work/free.keys"'
"$close_window" "${free:-0}"
ended free >/dev/null
cp "$work/saved.ini" "$settings"

# Without a display it says so and names what to do.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/bin/oriwen" >"$work/nodisplay.log" 2>&1
code=$?
check "without a display it ends with code 1 and names xvfb-run" \
  '[ "$code" = 1 ] && grep -q "no display" "$work/nodisplay.log" && grep -q xvfb-run "$work/nodisplay.log"'
"$work/bin/oriwen" --help >"$work/help.log" 2>&1
check "--help names the options" '[ $? = 0 ] && grep -q ORIWEN_MIDI_SINK "$work/help.log"'

echo "desktop: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
