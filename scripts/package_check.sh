#!/usr/bin/env bash
# Checks the packages of scripts/package.sh (scripts/test.sh --package runs it): two package runs give the same
# bytes; the zip and the MSI hold the same files; under Wine, in a Wine prefix of its own, the MSI installs into
# Program Files with a Start-menu shortcut and an entry among the installed programs, a newer version replaces it in
# place, the installed side bar keeps its lists in the user's local application-data folder when the program folder
# cannot be written, and the uninstall removes the program but leaves the user's data and removes the user's
# start-with-Windows entry naming it, but not one that names another copy. (That an upgrade keeps the entry cannot be
# seen here: Wine's installer removes the older version after the newer one is in place and without telling it, by
# UPGRADINGPRODUCTCODE, that this is an upgrade, as Windows does.)
# Needs a display (DISPLAY) and, for the unwritable program folder, the right to mount (root's read-only bind mount).
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$ROOT/build/wineprefix-package"
source "$ROOT/scripts/wine-env.sh"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
# Polls the command for up to 60 s: a Wine start on a loaded machine can take long.
wait_for() { for _ in $(seq 1 600); do "$@" && return 0; sleep 0.1; done; "$@"; }

# --reuse: the packages of the last check, not built again.
if [ "${1:-}" != "--reuse" ]; then
  "$ROOT/scripts/package.sh" "$ROOT/build/packages-1" >/dev/null || { echo "FAILED: package.sh"; exit 1; }
  "$ROOT/scripts/package.sh" "$ROOT/build/packages-2" >/dev/null || { echo "FAILED: package.sh"; exit 1; }
fi
VERSION=$(sed -n 's/^project(Velvane VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
ZIP="$ROOT/build/packages-1/velvane-$VERSION-win64.zip" MSI="$ROOT/build/packages-1/velvane-$VERSION-win64.msi"
for f in "$(basename "$ZIP")" "$(basename "$MSI")" SHA256SUMS; do
  cmp -s "$ROOT/build/packages-1/$f" "$ROOT/build/packages-2/$f" && pass "$f the same in two runs" || fail "$f differs between two runs"
done

# The zip: the folder Velvane as dist/ lays it out, with the first run still to do and none of a user's lists.
zipped=$(unzip -Z1 "$ZIP" | grep -v '/$')
for f in velvane.exe Primewiz.exe icon.ico data/config.qdt lang/english/velvane.txt lang/spanish/primewiz.txt \
  images/t1.bmp skins/Graphite/skin.txt; do
  grep -qx "Velvane/$f" <<<"$zipped" || fail "the zip lacks Velvane/$f"
done
[ "$(grep -c '^Velvane/data/' <<<"$zipped")" -eq 1 ] || fail "the zip's data folder holds more than config.qdt"
unzip -p "$ZIP" Velvane/data/config.qdt | grep -q '^FirstTime=0' || fail "the zipped config.qdt is not a first run"
[ "$(unzip -Z1 "$ZIP")" = "$(unzip -Z1 "$ZIP" | LC_ALL=C sort)" ] || fail "the zip's entries are not in name order"
extracted=$(mktemp -d)
msiextract -C "$extracted" "$MSI" >/dev/null
in_msi=$(cd "$extracted" && find . -type f | sed 's|^\./||' | sed 's|^Program Files/Velvane/|Velvane/|' | LC_ALL=C sort)
rm -rf "$extracted"
[ "$in_msi" = "$zipped" ] && pass "the zip and the MSI hold the same files" || fail "the zip and the MSI hold other files:
$(diff <(echo "$in_msi") <(echo "$zipped"))"

# Under Wine, in a prefix of its own.
rm -rf "$WINEPREFIX"
wine_prepare >/dev/null 2>&1
PROGRAM="$WINEPREFIX/drive_c/Program Files/Velvane"
USERDATA="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Velvane/data"
# The machine's Start menu; Wine puts a per-machine installation's shortcuts into the user's.
MENUS=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velvane.lnk"
  "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Velvane.lnk")
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
mounted=
cleanup() { [ -n "$mounted" ] && umount "$PROGRAM"; wine_stop; }
trap cleanup EXIT
msiexec() { wine msiexec "$1" "$(winepath -w "$2")" /qn; }
product_code() { msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; }
# Windows Installer's own record of a product, under the product code's packed form.
product_record() {
  python3 -c 'import sys; g = sys.argv[1].strip("{}").split("-"); r = lambda s: s[::-1]
print(r(g[0]) + r(g[1]) + r(g[2]) + "".join(r(g[3][i:i + 2]) for i in (0, 2)) + "".join(r(g[4][i:i + 2]) for i in range(0, 12, 2)))' "$1"
}
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
run_value() { wine reg query "$RUN_KEY" /v Velvane 2>/dev/null | tr -d '\r' | grep REG_SZ; }
set_run_value() { wine reg add "$RUN_KEY" /v Velvane /d "$1" /f >/dev/null 2>&1; }
# A side bar that has loaded everything rewrites a Run value it finds: the sign that it runs its command line.
side_bar_runs() { run_value | grep -q 'velvane\.exe'; }
has_shortcut() { [ -f "${MENUS[0]}" ] || [ -f "${MENUS[1]}" ]; }

msiexec /i "$MSI" || fail "msiexec /i"
[ -f "$PROGRAM/velvane.exe" ] && [ -f "$PROGRAM/Primewiz.exe" ] && [ -f "$PROGRAM/lang/english/velvane.txt" ] \
  && pass "installed into Program Files\\Velvane" || fail "the program is not in Program Files\\Velvane"
has_shortcut && pass "Start-menu shortcut" || fail "no Start-menu shortcut"
entry=$(wine reg query "$UNINSTALL\\$(product_code "$MSI")" 2>/dev/null | tr -d '\r')
icon=$(wine reg query "HKLM\\Software\\Classes\\Installer\\Products\\$(product_record "$(product_code "$MSI")")" \
  /v ProductIcon 2>/dev/null | tr -d '\r')
grep -q "DisplayVersion.*$VERSION" <<<"$entry" && grep -q "Publisher.*Velvane" <<<"$entry" && grep -q 'velvane\.ico' <<<"$icon" \
  && pass "listed among the installed programs with version, publisher and icon" \
  || fail "the installed programs' entry lacks the version, publisher or icon:
$entry$icon"

# A newer version of the same files replaces this one in place.
newer=$(mktemp -d)
(cd "$ROOT/build/package" && python3 tree/scripts/msi.py source stage/Velvane 99.0.0 >velvane-newer.wxs &&
  wixl -a x64 -o "$newer/newer.msi" velvane-newer.wxs 2>/dev/null) || fail "no newer MSI"
msiexec /i "$newer/newer.msi" || fail "msiexec /i of a newer version"
wine reg query "$UNINSTALL\\$(product_code "$MSI")" >/dev/null 2>&1 && fail "the older version is still installed"
wine reg query "$UNINSTALL\\$(product_code "$newer/newer.msi")" >/dev/null 2>&1 && [ -f "$PROGRAM/velvane.exe" ] \
  && pass "a newer version replaces the older in place" || fail "the newer version is not installed"
set_run_value 'C:\Portable\Velvane\velvane.exe'
msiexec /x "$newer/newer.msi" || fail "msiexec /x of the newer version"
run_value | grep -q 'Portable' && pass "the uninstall keeps another copy's start-with-Windows entry" \
  || fail "the uninstall removed another copy's start-with-Windows entry"
rm -rf "$newer"
msiexec /i "$MSI" || fail "msiexec /i after the upgrade"

# The program folder made unwritable, for root too: the lists go to the user's local application-data folder.
if mount --bind "$PROGRAM" "$PROGRAM" 2>/dev/null && mounted=1 && mount -o remount,bind,ro "$PROGRAM" "$PROGRAM"; then
  wine "$PROGRAM/velvane.exe" >/dev/null 2>&1 &  # the first run: the wizard, on the defaults copied over
  wait_for pgrep -f 'Program Files.Velvane.Primewiz\.exe' >/dev/null || fail "the first run did not start the wizard"
  grep -q '^FirstTime=0' "$USERDATA/config.qdt" 2>/dev/null || fail "no config.qdt in the user's folder"
  sed -i 's/^FirstTime=0/FirstTime=1/' "$USERDATA/config.qdt"
  set_run_value old
  wine "$PROGRAM/velvane.exe" -addtodo buy milk >/dev/null 2>&1 &
  wait_for side_bar_runs || fail "the installed side bar did not start"
  wine "$PROGRAM/velvane.exe" -save >/dev/null 2>&1
  wait_for grep -q "buy milk" "$USERDATA/todo.qdt" 2>/dev/null && pass "the lists are kept in %LOCALAPPDATA%\\Velvane\\data" \
    || fail "the to-do list did not reach %LOCALAPPDATA%\\Velvane\\data"
  wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
  umount "$PROGRAM" && mounted=
  wine_prepare >/dev/null 2>&1
else
  [ -n "$mounted" ] && umount "$PROGRAM"; mounted=
  echo "SKIPPED: no read-only bind mount here; the unit tests check the choice with an injected answer"
fi

# The uninstall removes the program and keeps the user's data. The entry is the one the installed side bar wrote, or
# the same where it could not run.
run_value | grep -q 'Program Files.Velvane' || set_run_value '"C:\Program Files\Velvane\velvane.exe"'
msiexec /x "$MSI" || fail "msiexec /x"
[ ! -e "$PROGRAM/velvane.exe" ] && [ ! -e "$PROGRAM/lang" ] && ! has_shortcut \
  && pass "the uninstall removes the program and its shortcut" || fail "the uninstall left the program behind"
{ [ ! -d "$USERDATA" ] || [ -f "$USERDATA/todo.qdt" ]; } && [ -f "$PROGRAM/data/config.qdt" ] \
  && pass "the uninstall keeps the user's data" || fail "the uninstall removed the user's data"
[ -z "$(run_value)" ] && pass "the uninstall removes the start-with-Windows entry naming it" \
  || fail "the uninstall left the start-with-Windows entry: $(run_value)"

[ "$failures" -eq 0 ] && echo "Package checks passed" || echo "$failures package checks failed"
[ "$failures" -eq 0 ]
