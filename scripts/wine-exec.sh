#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix (ctest's emulator for the Windows build).
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
exec wine "$@"
