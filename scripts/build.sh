#!/usr/bin/env bash
# Builds the Windows programs and lays out the installation folder dist/.
# The user's files under dist/data/ are never overwritten: only missing defaults are added.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$ROOT/scripts/deps.sh"
BUILD="$ROOT/build/win"
JOBS=$(nproc)
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DVELVANE_DIST_DIR="$ROOT/dist" >/dev/null
fi
cmake --build "$BUILD" -j "$JOBS" -- -k 0 >"$BUILD/build.log" 2>&1 || { tail -60 "$BUILD/build.log"; exit 1; }

DIST="$ROOT/dist"
mkdir -p "$DIST/data"
# A running velvane.exe keeps its old file: the new one is put in place by a rename, never written over it.
for exe in velvane.exe Primewiz.exe; do
  [ -f "$BUILD/$exe" ] || continue
  cp "$BUILD/$exe" "$DIST/$exe.new~" && mv -f "$DIST/$exe.new~" "$DIST/$exe"
done
# Program files: refreshed by every build, file by file, so a running side bar never sees a folder vanish.
for d in lang skins images; do
  mkdir -p "$DIST/$d"
  [ -d "$BUILD/assets/$d" ] && cp -r "$BUILD/assets/$d/." "$DIST/$d/"
  [ -d "$ROOT/assets/$d" ] && cp -r "$ROOT/assets/$d/." "$DIST/$d/"
done
cp -f "$ROOT/assets/icon.ico" "$DIST/icon.ico" 2>/dev/null || cp -f "$BUILD/assets/icon.ico" "$DIST/icon.ico"
# User data: shipped defaults only where the user has none yet.
for f in "$ROOT"/assets/data/*; do
  [ -e "$DIST/data/$(basename "$f")" ] || cp "$f" "$DIST/data/"
done
