# Prepares Wine for the end-to-end tests; sourced by scripts/test-win32.sh.
# Sets up, under $ORIWEN_WINE_ROOT (in the build tree): a generated zh_CN.UTF-8
# locale, a fresh Wine prefix with Managed=N, and an Xvfb display. Everything
# started here is stopped by oriwen_wine_stop.

: "${ORIWEN_WINE_ROOT:?}"
export ORIWEN_LOCPATH="$ORIWEN_WINE_ROOT/locale"
export WINEPREFIX="$ORIWEN_WINE_ROOT/prefix"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
ORIWEN_XVFB_PID=""

# A Wine command in the Chinese locale, so that the ANSI code page is 936.
# The locale is kept to Wine: the build and the checks run as before.
wine_run() {
  env LC_ALL=zh_CN.UTF-8 LOCPATH="$ORIWEN_LOCPATH" wine "$@"
}

oriwen_wine_start() {
  mkdir -p "$ORIWEN_WINE_ROOT"
  if [ ! -e "$ORIWEN_LOCPATH/zh_CN.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$ORIWEN_LOCPATH"
    localedef -i zh_CN -f UTF-8 "$ORIWEN_LOCPATH/zh_CN.UTF-8" || true
    [ -e "$ORIWEN_LOCPATH/zh_CN.UTF-8/LC_CTYPE" ] || { echo "localedef failed" >&2; return 1; }
  fi

  # A display of its own: the first free number from 90 on.
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$ORIWEN_WINE_ROOT/xvfb.log" 2>&1 &
  ORIWEN_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start" >&2; return 1; }

  rm -rf "$WINEPREFIX"
  wine_run wineboot --init >"$ORIWEN_WINE_ROOT/wineboot.log" 2>&1
  # Without a window manager, managed windows make Wine wait at exit.
  wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # One server for all the tests; stopped by oriwen_wine_stop.
  wineserver -w
  wineserver -p
}

oriwen_wine_stop() {
  wineserver -k 2>/dev/null || true
  if [ -n "$ORIWEN_XVFB_PID" ]; then
    kill "$ORIWEN_XVFB_PID" 2>/dev/null || true
    wait "$ORIWEN_XVFB_PID" 2>/dev/null || true
  fi
}
