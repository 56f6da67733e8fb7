#!/usr/bin/env bash
# Builds Velvane, lays out dist/ and starts dist/velvane.exe ARGS under Wine.
# When Velvane already runs, this is a second start: the arguments are handed over and it ends.
#   scripts/run.sh --screenshot FILE.png   saves a picture of the display Velvane uses.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
STATE="$ROOT/build/run-display"

if [ "${1:-}" = "--screenshot" ]; then
  [ -n "${2:-}" ] || { echo "usage: scripts/run.sh --screenshot FILE.png" >&2; exit 2; }
  [ -f "$STATE" ] && export DISPLAY=$(cat "$STATE")
  [ -n "${DISPLAY:-}" ] || { echo "No display to capture: start Velvane first." >&2; exit 1; }
  xwd -root -silent | /usr/bin/convert xwd:- "$2"
  echo "Saved $2 (display $DISPLAY)"
  exit 0
fi

"$ROOT/scripts/build.sh"
source "$ROOT/scripts/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  # Reuse the virtual display of an earlier run while it is alive.
  if [ -f "$STATE" ] && [ -e "/tmp/.X11-unix/X$(cut -c2- "$STATE")" ]; then
    export DISPLAY=$(cat "$STATE")
  else
    xvfb_start
    disown "$XVFB_PID" 2>/dev/null || true
    echo "$DISPLAY" >"$STATE"
    echo "No X display was set: started a virtual one on $DISPLAY (Xvfb, pid $XVFB_PID)."
    echo "Look at it with: scripts/run.sh --screenshot shot.png"
  fi
else
  echo "$DISPLAY" >"$STATE"
fi
wine_prepare
cd "$ROOT/dist"
# A first start keeps running in the background; a second start hands over its arguments and ends at once.
nohup wine "$ROOT/dist/velvane.exe" "$@" >/dev/null 2>&1 &
pid=$!
sleep 0.5
if grep -qE $'^FirstTime=0?\r?$' "$ROOT/dist/data/config.qdt" 2>/dev/null || [ ! -f "$ROOT/dist/data/config.qdt" ]; then
  # Until the first run is done velvane.exe hands over to the set-up wizard, which starts the side bar at its end.
  echo "First run: the set-up wizard opens on display $DISPLAY; Velvane starts when you press Finish."
elif kill -0 "$pid" 2>/dev/null; then echo "Velvane runs (pid $pid) on display $DISPLAY."; else echo "Velvane handed over: $*"; fi
