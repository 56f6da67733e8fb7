#!/usr/bin/env bash
# Builds what Windows users download, from the committed tree (HEAD), into build/packages/ or the folder given:
#   velvane-VERSION-win64.zip  the portable form: the folder Velvane, laid out as dist/, first run still to do
#   velvane-VERSION-win64.msi  the installer for Program Files (scripts/msi.py says what it does)
#   SHA256SUMS
# Two runs on one commit give the same bytes: the executables carry no link time, every packed file gets the
# commit's time, the zip lists its files in one order, and the MSI's codes and dates are derived, not drawn.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OUT=$(realpath -m "${1:-$ROOT/build/packages}")
"$ROOT/scripts/deps.sh"

WORK="$ROOT/build/package"
TREE="$WORK/tree"
STAGE="$WORK/stage"
rm -rf "$WORK"
mkdir -p "$TREE" "$STAGE" "$OUT"
git -C "$ROOT" diff --quiet HEAD -- || echo "package.sh: uncommitted changes are left out; packing HEAD" >&2
git -C "$ROOT" archive HEAD | tar -x -C "$TREE"
EPOCH=$(git -C "$ROOT" log -1 --format=%ct HEAD)
VERSION=$(sed -n 's/^project(Velvane VERSION \([0-9.]*\).*/\1/p' "$TREE/CMakeLists.txt")
[ -n "$VERSION" ] || { echo "package.sh: no version in CMakeLists.txt" >&2; exit 1; }

# The programs only: build.sh keeps this configuration, without the tests.
cmake -S "$TREE" -B "$TREE/build/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TREE/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
"$TREE/scripts/build.sh"

cp -r "$TREE/dist" "$STAGE/Velvane"
find "$STAGE" -type d -exec chmod 755 {} +
find "$STAGE" -type f -exec chmod 644 {} +
find "$STAGE" -exec touch -h -d "@$EPOCH" {} +

NAME="velvane-$VERSION-win64"
rm -f "$OUT/$NAME.zip" "$OUT/$NAME.msi" "$OUT/SHA256SUMS"
# -X: no owner or extra times; the times stored are local ones, so the zone is fixed.
(cd "$STAGE" && find Velvane | LC_ALL=C sort | TZ=UTC zip -X -q -@ "$OUT/$NAME.zip")

(cd "$WORK" && python3 "$TREE/scripts/msi.py" source stage/Velvane "$VERSION" >velvane.wxs)
(cd "$WORK" && wixl -a x64 -o "$OUT/$NAME.msi" velvane.wxs 2> >(grep -v "unimplemented" >&2))
python3 "$TREE/scripts/msi.py" settle "$OUT/$NAME.msi" "$STAGE/Velvane" "$VERSION" "$EPOCH"

(cd "$OUT" && sha256sum "$NAME.zip" "$NAME.msi" >SHA256SUMS)
echo "Packages in $OUT:"
(cd "$OUT" && cat SHA256SUMS)
