#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix (ctest's emulator for the Windows build).
# Now and then the dynamic loader of a Wine process fails on its own ("Inconsistency detected by ld.so"); such a run
# says nothing about the program, so it is run once more, and said so.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
wine "$@" 2> >(tee "$errors" >&2)
status=$?
wait $! 2>/dev/null
if [ "$status" -ne 0 ] && grep -q "Inconsistency detected by ld.so" "$errors"; then
  echo "wine-exec: Wine's loader failed (exit $status); running $1 again" >&2
  wine "$@"
  status=$?
fi
exit "$status"
