#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix (ctest's emulator for the Windows build).
# Now and then the dynamic loader of a Wine process fails on its own ("Inconsistency detected by ld.so"). A test
# program that died that way before its tests began said nothing about Velvane, so it is run once more, and said
# so; once a test has begun, every failure counts.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
out=$(mktemp) errors=$(mktemp)
trap 'rm -f "$out" "$errors"' EXIT
wine "$@" > >(tee "$out") 2> >(tee "$errors" >&2)
status=$?
wait 2>/dev/null
if [ "$status" -ne 0 ] && grep -q "Inconsistency detected by ld.so" "$errors" && ! grep -q '^\[ RUN ' "$out"; then
  echo "wine-exec: Wine's loader failed before any test began (exit $status); running $1 again" >&2
  wine "$@"
  status=$?
fi
exit "$status"
