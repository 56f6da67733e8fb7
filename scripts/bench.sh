#!/usr/bin/env bash
# Measures Velvane under Wine and prints the figures:
#   (a) a second start that hands "-save" to the running side bar, from start to end, against a bare Windows program
#       that only asks user32 one thing (median of many runs each; target: within 1.3 times the bare program);
#   (b) the hidden side bar's resident memory and CPU time over a stretch of idle seconds, with one clipboard text
#       standing, against a bare hidden window running the side bar's six timers (memory target: within 1.3 times);
#   (c) a screenshot of the whole 1280 x 1024 screen, captured and saved as the hot key does, against the floor: the
#       same job done the shortest way (the screen copied into a 24-bit DIB section, written to a temporary file and
#       moved in place), the two taking turns (median of many runs each; target: within 1.10 times the floor);
#   (d) the long forms of the reliability tests: 20 start-up races, 1000 hand-offs four at a time, 20 saves killed
#       inside their write, a clipboard held open and flooded (the black-box suite's Reliability cases with VELVANE_LONG=1);
#   (e) 100,000 seeded random inputs for every reader of stored or received text, natively under the sanitizers;
#   (f) OK in the launcher list (measured after (c)): a list of 300 entries saved to exec.qdt, against one entry and
#       against the floor, the same bytes written once to a temporary file and moved in place (median of many runs
#       each; target: within twice the floor, which a save of one entry costs already: 300 entries cost about as
#       much as one).
# Both sides run in a throw-away installation under build/bench, in one running Wine on a private virtual display.
#
#   scripts/bench.sh [--quick] [--no-build]
#     --quick      10 idle seconds instead of 60, and neither (d) nor (e)
#     --no-build   measure what is built already instead of running scripts/build.sh first
# WINEPREFIX picks the Wine prefix (default build/bench/wineprefix, apart from the one of scripts/run.sh, whose side
# bar would otherwise take the hand-offs). VELVANE_BENCH_BUILD and VELVANE_BENCH_DIST pick another Windows build folder
# and installation (defaults build/win and dist).
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
IDLE_SECONDS=60
RUNS=30
SHOT_RUNS=75  # turns of each side of the screenshot figure
SAVE_RUNS=30  # turns of each side of the launcher save figure
BUILD_FIRST=1
LONG_FORMS=1
for arg in "$@"; do
  case "$arg" in
    --quick) IDLE_SECONDS=10; LONG_FORMS=0 ;;
    --no-build) BUILD_FIRST=0 ;;
    *) echo "usage: scripts/bench.sh [--quick] [--no-build]" >&2; exit 2 ;;
  esac
done

[ "$BUILD_FIRST" = 1 ] && "$ROOT/scripts/build.sh"
BUILD="${VELVANE_BENCH_BUILD:-$ROOT/build/win}"
DIST="${VELVANE_BENCH_DIST:-$ROOT/dist}"
for f in "$DIST/velvane.exe" "$BUILD"/bench/bench_{bare,idle,probe,capture,exec_save}.exe; do
  [ -f "$f" ] || { echo "Missing $f: build first (scripts/build.sh)." >&2; exit 1; }
done

BENCH="$ROOT/build/bench"
export WINEPREFIX="${WINEPREFIX:-$BENCH/wineprefix}"
source "$ROOT/scripts/wine-env.sh"

# The installation: the program files of dist/, the shipped configuration with the first run done and the fade off,
# and the yardsticks beside velvane.exe so that every program starts from the same folder.
INSTALL="$BENCH/install"
rm -rf "$INSTALL"
mkdir -p "$INSTALL/data"
for item in "$DIST"/*; do
  [ "$(basename "$item")" = data ] || cp -r "$item" "$INSTALL/"
done
sed -e 's/^FirstTime=.*/FirstTime=1/' -e 's/^Chk1=.*/Chk1=0/' "$ROOT/assets/data/config.qdt" >"$INSTALL/data/config.qdt"
cp "$BUILD"/bench/bench_{bare,idle,probe,capture,exec_save}.exe "$INSTALL/"
winpath() { local p="$1"; echo "Z:${p//\//\\}"; }

XVFB_PID=
BAR_PID=
IDLE_PID=
cleanup() {
  if [ -n "$BAR_PID" ] && kill -0 "$BAR_PID" 2>/dev/null; then
    wine "$INSTALL/bench_probe.exe" close-sidebar 5000 </dev/null >/dev/null 2>&1
  fi
  [ -n "$BAR_PID" ] && kill "$BAR_PID" 2>/dev/null
  [ -n "$IDLE_PID" ] && kill "$IDLE_PID" 2>/dev/null
  wine_stop
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  true
}
trap cleanup EXIT
xvfb_start
wine_prepare
probe() { wine "$INSTALL/bench_probe.exe" "$@" </dev/null; }

# CPU time in milliseconds (user + system) and resident memory in KiB of a Linux process.
cpu_ms() { awk -v tck="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); print ($12 + $13) * 1000 / tck }' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
anon_kib() { awk '/^RssAnon:/ { print $2 }' "/proc/$1/status"; }
wineserver_pid() {
  local p
  for p in $(pgrep -x wineserver64 || pgrep -x wineserver || true); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return; }
  done
}
# Starts a Windows program of the installation in the background; its Linux process keeps the pid that $! gives.
start_bg() { (cd "$INSTALL" && exec wine "$INSTALL/$1" </dev/null >/dev/null 2>&1) & }

# Measures one process for IDLE_SECONDS and prints "cpu_ms rss_kib anon_kib server_cpu_ms".
measure_idle() {
  local pid=$1 server c0 c1 s0 s1
  server=$(wineserver_pid)
  sleep 3  # settle after the start
  c0=$(cpu_ms "$pid"); s0=$(cpu_ms "$server")
  sleep "$IDLE_SECONDS"
  c1=$(cpu_ms "$pid"); s1=$(cpu_ms "$server")
  echo "$(echo "$c1 - $c0" | bc) $(rss_kib "$pid") $(anon_kib "$pid") $(echo "$s1 - $s0" | bc)"
}

echo "== Velvane bench (Wine $(wine --version 2>/dev/null), display $DISPLAY, prefix $WINEPREFIX)"
probe set-clipboard "Velvane bench: one clipboard text standing" || echo "(could not set the clipboard text)"

if probe wait-sidebar 0; then
  echo "A side bar already runs in $WINEPREFIX: it would take the hand-offs. End it first." >&2
  exit 1
fi
start_bg velvane.exe
BAR_PID=$!
probe wait-sidebar 15000 || { echo "The side bar did not start." >&2; exit 1; }

echo
echo "-- (a) Hand-off of \"-save\" to the running side bar against a bare program, $RUNS runs each (wall time)"
HANDOFF=$(probe handoff "$RUNS" "$(winpath "$INSTALL/velvane.exe")" "$(winpath "$INSTALL/bench_bare.exe")")
echo "$HANDOFF"
ratio=$(echo "$HANDOFF" | awk '/^ratio/ { print $2 }')
echo "target   1.30 -> $(echo "$ratio <= 1.30" | bc | sed 's/1/met/; s/0/MISSED/')"

echo
echo "-- (b) Idle for $IDLE_SECONDS s, hidden, one clipboard text standing"
read -r bar_cpu bar_rss bar_anon bar_server <<<"$(measure_idle "$BAR_PID")"
probe close-sidebar 5000 || true
wait "$BAR_PID" 2>/dev/null || true
BAR_PID=
start_bg bench_idle.exe
IDLE_PID=$!
read -r idle_cpu idle_rss idle_anon idle_server <<<"$(measure_idle "$IDLE_PID")"
kill "$IDLE_PID" 2>/dev/null || true
wait "$IDLE_PID" 2>/dev/null || true
IDLE_PID=

ratio_of() {
  if [ "$(echo "$2 > 0" | bc)" = 1 ]; then printf '%.2f' "$(echo "scale=4; $1 / $2" | bc)"; else echo "n/a"; fi
}
row() { printf '%-22s %12s %12s %8s\n' "$1" "$2" "$3" "$(ratio_of "$2" "$3")"; }
printf '%-22s %12s %12s %8s\n' "" "velvane" "bench_idle" "ratio"
row "resident memory KiB" "$bar_rss" "$idle_rss"
row "  of it private KiB" "$bar_anon" "$idle_anon"
row "CPU ms (process)" "$bar_cpu" "$idle_cpu"
row "CPU ms (wineserver)" "$bar_server" "$idle_server"
ratio=$(ratio_of "$bar_rss" "$idle_rss")
echo "memory target 1.30 -> $(echo "$ratio <= 1.30" | bc | sed 's/1/met/; s/0/MISSED/')"

# A yardstick that runs its side and its floor in turns (PROGRAM RUNS FOLDER): its figures, and its ratio's target.
against_floor() {
  local out ratio
  mkdir -p "$BENCH/$3"
  out=$(wine "$INSTALL/$1" "$2" "$(winpath "$BENCH/$3")" </dev/null)
  echo "$out"
  ratio=$(echo "$out" | awk '/^ratio/ { print $2 }')
  echo "target   $4 -> $(echo "$ratio <= $4" | bc | sed 's/1/met/; s/0/MISSED/')"
}

echo
echo "-- (c) Screenshot of the whole screen (capture and save) against the floor, $SHOT_RUNS runs each"
against_floor bench_capture.exe "$SHOT_RUNS" shots 1.10

echo
echo "-- (f) OK in the launcher list: 300 entries saved against one entry and the floor, $SAVE_RUNS runs each"
against_floor bench_exec_save.exe "$SAVE_RUNS" saves 2.00
[ "$LONG_FORMS" = 1 ] || exit 0

echo
echo "-- (d) Reliability, long forms (black-box, under Wine)"
(cd "$BUILD/tests" && VELVANE_LONG=1 VELVANE_DIST="$DIST" VELVANE_BLACKBOX_OUT="$BENCH" LD_PRELOAD="$BUILD/tests/write_stopper.so" \
  wine "$BUILD/tests/blackbox_tests.exe" --gtest_filter='Reliability.*' </dev/null) 2>&1 |
  grep -E '^\s+[0-9]+ (hand-offs|killed)|^\[ +(OK|FAILED) +\]|PASSED|FAILED' || true

echo
echo "-- (e) 100,000 random inputs per reader (native, AddressSanitizer and UBSan)"
NATIVE="$ROOT/build/native"
[ -f "$NATIVE/build.ninja" ] || cmake -S "$ROOT" -B "$NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$NATIVE" -j "$(nproc)" --target unit_tests >/dev/null
start=$(date +%s)
VELVANE_FUZZ_INPUTS=100000 "$NATIVE/tests/unit_tests" --gtest_filter='Fuzzed.*' 2>&1 | grep -E '^\[ +(OK|FAILED) +\]|PASSED|FAILED|ERROR'
echo "fuzzing took $(( $(date +%s) - start )) s"
