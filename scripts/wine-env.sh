# Sourced by the scripts: one Wine prefix per build folder, quiet, without the mono and gecko dialogs.
: "${VELVANE_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${WINEPREFIX:-$VELVANE_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64

# Creates the prefix once; keeps a wine server running so that each program start is cheap.
wine_prepare() {
  if [ ! -d "$WINEPREFIX/drive_c/windows/system32" ]; then
    mkdir -p "$WINEPREFIX"
    echo "Creating the Wine prefix in $WINEPREFIX (once)..."
    wineboot -i >/dev/null 2>&1 || true

  fi
  wineserver -p >/dev/null 2>&1 || true
  # A program that crashes ends with its backtrace on stderr instead of opening Wine's crash dialog, which would
  # hold a test run (or a script) until someone closes it. The same start brings up the prefix's services now, with
  # their output going nowhere: a service started by a test program would inherit the test runner's output pipe and
  # keep it open after the test ended.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 || true
}

wine_stop() { wineserver -k >/dev/null 2>&1 || true; }

# Starts a private virtual display and exports DISPLAY; XVFB_PID names the process to end.
xvfb_start() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
  done
  echo "Could not start Xvfb" >&2
  return 1
}
