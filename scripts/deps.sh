#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests or the run need and the machine lacks.
set -euo pipefail
need=()
have() { command -v "$1" >/dev/null 2>&1; }
have cmake || need+=(cmake)
have ninja || need+=(ninja-build)
have g++ || need+=(g++)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev)
have wine || need+=(wine)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
have Xvfb || need+=(xvfb)
have xdotool || need+=(xdotool)
have xwd || need+=(x11-apps)
[ -x /usr/bin/convert ] || need+=(imagemagick)
[ -d /usr/share/i18n/locales ] && have localedef || need+=(locales)
[ -d /usr/src/googletest/googletest ] || need+=(googletest)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
# The packages (scripts/package.sh) and their checks.
have zip || need+=(zip)
have unzip || need+=(unzip)
have wixl || need+=(wixl)
have msibuild || need+=(msitools)
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
