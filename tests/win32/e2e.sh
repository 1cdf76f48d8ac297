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

# wait_for FILE COUNT: waits (10 s at most) until FILE holds COUNT lines.
wait_for() {
  local file=$1 count=$2 i
  for i in $(seq 1 200); do
    [ -e "$file" ] && [ "$(tr -d '\r' <"$file" | grep -c .)" -ge "$count" ] && return 0
    sleep 0.05
  done
  return 1
}

# Focuses a window the way a click on it would: the X server's input focus,
# which Wine follows by activating the window; keys typed before Wine has
# done so would go to the window that was active.
focus_window() {
  local xid
  xid=$(xdotool search --name "^$1\$" | head -1)
  [ -n "$xid" ] || fail "no X window titled $1"
  xdotool windowfocus --sync "$xid"
  probe_until front "$1" >/dev/null || fail "$1 did not come to the front"
}

# The first key row holds A, S, main Enter and keypad Enter; releasing a key
# of that row silences its note. A release that reached the note engine
# twice (the hook passing it on to the main window) would silence it twice.
write_key_settings() {
  printf '%s\r\n' '[键组]' 使用预定=0 第一排=65,83,13,-13 '[起键休止]' 1=1 |
    iconv -f UTF-8 -t GBK >"$settings"
}

# The 768 note-offs of every note on the six channels, note by note.
all_notes_off() {
  local channel note
  for note in $(seq 0 127); do
    for channel in 1 2 3 4 5 6; do printf '8%X %02X 00\n' "$channel" "$note"; done
  done
}

keylog_title="按键记录"
keylog_lines() { grep -oE '(down|up) [0-9]+' "$work/keylog.txt" || true; }

# Clicks the background toggle and waits until it shows STATE (0 or 1).
click_background_toggle() {
  local state=$1 i
  wine_run "$probe" click "$title" 可后台 >/dev/null || fail "no toggle 可后台"
  for i in $(seq 1 100); do
    [ "$(wine_run "$probe" checked "$title" 可后台 2>/dev/null | tr -d '\r')" = "$state" ] && return 0
    sleep 0.05
  done
  fail "the toggle did not become $state"
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

  keys-foreground)
    write_key_settings
    start_program sink
    pid=$started
    probe_until window "$title" >/dev/null || fail "the main window did not appear"
    wait_for "$sink" 6 || fail "no instruments were sent"
    focus_window "$title"
    xdotool key a shift+a Return KP_Enter
    xdotool keydown Control_L
    wait_for "$sink" $((6 + 11 + 768)) || fail "sink holds: $(sink_lines | head -30)"
    xdotool keyup Control_L
    {
      expected_sink_lines
      # A, then Shift+A (the sharp); each release silences the note and its
      # sharp once: the thread hook kept both press and release from the window.
      printf '%s\n' '91 1D 7F' '81 1D 00' '81 1E 00' '91 1E 7F' '81 1D 00' '81 1E 00'
      # Main Enter and keypad Enter are different keys of the row.
      printf '%s\n' '91 21 7F' '81 21 00' '91 22 7F' '81 22 00' '81 23 00'
      # Ctrl silences everything on its press and again on its release.
      all_notes_off
      all_notes_off
    } >"$work/expected-sink.txt"
    wait_for "$sink" "$(grep -c . "$work/expected-sink.txt")" || fail "the Ctrl release sent nothing"
    diff <(sink_lines) "$work/expected-sink.txt" >"$work/sink.diff" ||
      fail "sink differs: $(head -20 "$work/sink.diff")"
    close_and_expect_exit0 "$pid"
    ;;

  keys-background)
    # Once with the space bar kept from other programs (屏蔽空格键=1), once
    # without; the program is started anew for each.
    for block in 1 0; do
      write_key_settings
      printf '%s\r\n' '[其他]' "屏蔽空格键=$block" | iconv -f UTF-8 -t GBK >>"$settings"
      : >"$sink"
      start_program sink
      pid=$started
      probe_until window "$title" >/dev/null || fail "the main window did not appear"
      wait_for "$sink" 6 || fail "no instruments were sent"
      # A second program's window, which prints the keys it receives.
      # env and wine exec in turn, so that the cleanup ends the probe itself.
      env LC_ALL=zh_CN.UTF-8 LOCPATH="$ORIWEN_LOCPATH" \
        wine "$probe" keylog "$keylog_title" >"$work/keylog.txt" 2>/dev/null &
      keylog=$!
      pids+=("$keylog")
      wait_for "$work/keylog.txt" 1 || fail "the key log window did not start"
      click_background_toggle 1
      focus_window "$keylog_title"
      # Row keys sound and still reach the window in front; the right Shift
      # raises (xte: xdotool presses the left Shift for Shift_R). A last
      # row key shows that everything before it has been delivered.
      xdotool key a
      xte 'keydown Shift_R' 'key a' 'keyup Shift_R'
      xdotool key space s
      {
        printf '%s\n' 'down 65' 'up 65' 'down 16' 'down 65' 'up 65' 'up 16'
        [ "$block" = 0 ] && printf '%s\n' 'down 32' 'up 32'
        printf '%s\n' 'down 83' 'up 83'
      } >"$work/expected-keylog.txt"
      lines=$(grep -c . "$work/expected-keylog.txt")
      for _ in $(seq 1 200); do
        [ "$(keylog_lines | wc -l)" -ge "$lines" ] && break
        sleep 0.05
      done
      diff <(keylog_lines) "$work/expected-keylog.txt" >"$work/keylog.diff" ||
        fail "屏蔽空格键=$block: the window received other keys: $(cat "$work/keylog.diff")"
      {
        expected_sink_lines
        printf '%s\n' '91 1D 7F' '81 1D 00' '81 1E 00' '91 1E 7F' '81 1D 00' '81 1E 00'
        # S, raised while the space bar is down; released after it.
        printf '%s\n' '91 1F 7F' '81 1F 00' '81 20 00'
      } >"$work/expected-sink.txt"
      wait_for "$sink" "$(grep -c . "$work/expected-sink.txt")" || true
      diff <(sink_lines) "$work/expected-sink.txt" >"$work/sink.diff" ||
        fail "屏蔽空格键=$block: sink differs: $(head -20 "$work/sink.diff")"
      # Background mode off: a row key typed into the other window is its own.
      click_background_toggle 0
      focus_window "$keylog_title"
      xdotool key a
      printf '%s\n' 'down 65' 'up 65' >>"$work/expected-keylog.txt"
      for _ in $(seq 1 200); do
        [ "$(keylog_lines | wc -l)" -ge $((lines + 2)) ] && break
        sleep 0.05
      done
      diff <(keylog_lines) "$work/expected-keylog.txt" >"$work/keylog.diff" ||
        fail "background mode off: the window received other keys: $(cat "$work/keylog.diff")"
      diff <(sink_lines) "$work/expected-sink.txt" >"$work/sink.diff" ||
        fail "background mode off: a key sounded: $(head -20 "$work/sink.diff")"
      wine_run "$probe" close "$keylog_title" >/dev/null || true
      wait "$keylog" 2>/dev/null || true
      close_and_expect_exit0 "$pid"
    done
    ;;

  *)
    fail "unknown case"
    ;;
esac
echo "ok [$case_name]"
