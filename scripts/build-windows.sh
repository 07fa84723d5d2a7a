#!/usr/bin/env bash
# Installs what the Windows build needs, where it is missing, and cross-builds the program and
# its tests into build-win/: orvex-capture.exe is one file, with nothing else to install.
# Arguments go to CMake's configure step (e.g. -DORVEX_WARNINGS_AS_ERRORS=ON).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

packages=(
  cmake make
  g++-mingw-w64-x86-64            # MinGW-w64: GCC 12 for 64-bit Windows, windres, objdump
  googletest                      # its sources, built with the cross compiler
  wine wine64                     # runs the tests and the program
  fonts-ipafont-gothic            # the Japanese face Wine finds for the design font
  xvfb openbox x11-utils          # the virtual desktop Wine's windows appear on
)
"$root/scripts/install-missing.sh" "${packages[@]}"

cmake -S "$root" -B "$root/build-win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$root/build-win" -j "$(nproc)"
