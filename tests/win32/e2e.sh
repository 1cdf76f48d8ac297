#!/usr/bin/env bash
# End-to-end tests of Oriwen.exe under Wine: e2e.sh CASE EXE PROBE ARTIFACTS
# Runs in the environment of scripts/test-win32.sh (DISPLAY, WINEPREFIX,
# ORIWEN_LOCPATH). Each case starts the real program in a program directory
# of its own and checks what it did: its windows, message boxes, the MIDI
# sink file and the settings file.
set -euo pipefail
case_name=$1
exe=$2
probe=$3
artifacts=$4
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"

title="Oriwen电子琴 2.4"
work="$artifacts/../wine-cases/$case_name"
rm -rf "$work"
# A program directory with CJK characters and a space in its name.
dir="$work/程序 目录"
mkdir -p "$dir" "$artifacts"
cp "$exe" "$dir/Oriwen.exe"
settings="$dir/电子琴设置.ini"
sink="$work/midi-sink.txt"
log="$work/wine.log"
pids=()

fail() {
  echo "FAIL [$case_name]: $*" >&2
  exit 1
}

cleanup() {
  local pid
  for pid in "${pids[@]+"${pids[@]}"}"; do
    kill "$pid" 2>/dev/null || true
  done
}
trap cleanup EXIT

windows_path() {  # the Unix path as Wine's drive Z: sees it
  local p=$1
  echo "Z:${p//\//\\}"
}

# start_program [sink]: starts the program in the background; its process id
# is in $started.
start_program() {
  local sinkPath=""
  [ "${1:-}" = sink ] && sinkPath=$(windows_path "$sink")
  # env and wine exec in turn: $! is the program's own process.
  if [ -n "$sinkPath" ]; then
    env ORIWEN_MIDI_SINK="$sinkPath" LC_ALL=zh_CN.UTF-8 LOCPATH="$ORIWEN_LOCPATH" \
      wine "$dir/Oriwen.exe" >>"$log" 2>&1 &
  else
    env -u ORIWEN_MIDI_SINK LC_ALL=zh_CN.UTF-8 LOCPATH="$ORIWEN_LOCPATH" \
      wine "$dir/Oriwen.exe" >>"$log" 2>&1 &
  fi
  started=$!
  pids+=("$started")
}

# Repeats a probe command until it finds its window (30 s at most) and
# prints what the probe printed.
probe_until() {
  local i out
  for i in $(seq 1 120); do
    # The probe's console output ends its lines with CR LF.
    if out=$(wine_run "$probe" "$@" 2>/dev/null | tr -d '\r') && [ -n "$out" ]; then
      echo "$out"
      return 0
    fi
    sleep 0.25
  done
  return 1
}

# wait_exit PID: waits for a started program (30 s at most) and puts its
# exit code in $exit_code.
wait_exit() {
  local pid=$1 i
  for i in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end"
  exit_code=0
  wait "$pid" || exit_code=$?
}

running() { kill -0 "$1" 2>/dev/null; }

expected_sink_lines() {
  printf 'C%d 01 00\n' 1 2 3 4 5 6
}

sink_lines() { tr -d '\r' <"$sink"; }

# The 37 keys written at the close of a program started without a file, as
# GBK bytes (the same bytes the headless settings tests expect).
expected_settings() {
  printf '%s\r\n' \
    '[按键]' 1=15 2=25 3=38 4=46 5=53 \
    '[启用]' 1=1 2=1 3=1 4=1 5=1 \
    '[升调]' 1=1 2=1 3=1 4=1 5=1 \
    '[起键休止]' 1=0 2=0 3=0 4=0 5=0 鼠标辅助=0 \
    '[乐器号]' 1=0 2=0 3=0 4=0 5=0 鼠标辅助=0 \
    '[鼠标辅助]' 平滑切换=1 滑行开启=1 滑行触发灵敏度=1 滑行阻力=1 辅助区宽度=415 \
    琴键定位=1704 琴键打开了=0 \
    '[其他]' 屏蔽键盘灯=1 屏蔽空格键=1 主音=5 | iconv -f UTF-8 -t GBK
}

close_and_expect_exit0() {
  local pid=$1
  wine_run "$probe" close "$title" || fail "no main window to close"
  wait_exit "$pid"
  [ "$exit_code" = 0 ] || fail "exit code $exit_code after closing the window"
}

case "$case_name" in
  main-window)
    start_program sink
    pid=$started
    geometry=$(probe_until window "$title") || fail "the main window did not appear"
    echo "window: $geometry"
    read -r _ left top right bottom _ cw ch _ sw sh <<<"$geometry"
    [ "$cw $ch" = "415 68" ] || fail "client area is ${cw}x$ch, not 415x68"
    width=$((right - left))
    height=$((bottom - top))
    [ "$left" = $(((sw - width) / 2)) ] || fail "left $left is not centred on a $sw screen"
    [ "$top" = $(((sh - height) / 2)) ] || fail "top $top is not centred on a $sh screen"
    # The X server sees the same window, with its title, where Windows says.
    xid=$(xdotool search --name "^$title\$" | head -1)
    [ -n "$xid" ] || fail "no X window titled $title"
    x11=$(xwininfo -id "$xid")
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$x11")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$x11")
    w=$(awk '/Width:/ {print $2}' <<<"$x11")
    h=$(awk '/Height:/ {print $2}' <<<"$x11")
    echo "X window: ${w}x$h+$x+$y"
    [ "$x $y $w $h" = "$left $top $width $height" ] || fail "X window ${w}x$h+$x+$y differs"
    sleep 0.5  # let it paint
    shot="$artifacts/main-window.png"
    import -window root -crop "${width}x$height+$left+$top" +repage "$shot"
    colours=$(convert "$shot" -format %k info:)
    echo "screenshot: $shot ($colours colours)"
    [ "$colours" -gt 8 ] || fail "the screenshot looks empty ($colours colours)"
    close_and_expect_exit0 "$pid"
    ;;

  second-instance)
    # A settings file of the user's, to see that the refused start leaves it.
    printf '%s\r\n' '; 我的设置' '[其他]' 主音=3 | iconv -f UTF-8 -t GBK >"$settings"
    start_program sink
    first=$started
    probe_until window "$title" >/dev/null || fail "the first instance did not appear"
    cp "$settings" "$work/settings-before"
    start_program sink
    second=$started
    box=$(probe_until msgbox "出错") || fail "no message box titled 出错"
    echo "message box: $box"
    [ "$box" = "text 请不要重复运行 icon shown" ] || fail "message box shows: $box"
    wait_exit "$second"
    [ "$exit_code" = 0 ] || fail "the second instance ended with code $exit_code"
    cmp -s "$settings" "$work/settings-before" || fail "the settings file changed"
    [ "$(sink_lines)" = "$(expected_sink_lines)" ] || fail "the second instance sent MIDI"
    running "$first" || fail "the first instance ended"
    wine_run "$probe" window "$title" >/dev/null || fail "the first instance lost its window"
    close_and_expect_exit0 "$first"
    # The first instance saves as usual and keeps the user's comment.
    iconv -f GBK -t UTF-8 "$settings" | grep -q '^; 我的设置' || fail "the comment was lost"
    iconv -f GBK -t UTF-8 "$settings" | grep -q '^主音=3' || fail "the tonic was not kept"
    ;;

  no-midi-device)
    start_program
    pid=$started
    box=$(probe_until msgbox "错误") || fail "no message box titled 错误"
    echo "message box: $box"
    [ "$box" = "text 设备初始化失败 icon shown" ] || fail "message box shows: $box"
    wait_exit "$pid"
    [ "$exit_code" = 0 ] || fail "ended with code $exit_code"
    [ ! -e "$settings" ] || fail "the settings file was created"
    ;;

  sink-and-save)
    start_program sink
    pid=$started
    probe_until window "$title" >/dev/null || fail "the main window did not appear"
    [ "$(sink_lines)" = "$(expected_sink_lines)" ] || fail "sink holds: $(sink_lines)"
    [ ! -e "$settings" ] || fail "the settings file exists before the close"
    close_and_expect_exit0 "$pid"
    expected_settings >"$work/expected.ini"
    cmp "$settings" "$work/expected.ini" || fail "the settings file differs from the 37 keys"
    [ "$(sink_lines)" = "$(expected_sink_lines)" ] || fail "closing sent MIDI"
    ;;

  *)
    fail "unknown case"
    ;;
esac
echo "ok [$case_name]"
