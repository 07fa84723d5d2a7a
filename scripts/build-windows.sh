#!/usr/bin/env bash
# Installs what the Windows build needs, where it is missing, and cross-builds the program and
# its tests into build-win/: orvex-capture.exe is one file, with nothing else to install.
# Arguments go to CMake's configure step (e.g. -DORVEX_WARNINGS_AS_ERRORS=ON).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

packages=(
  cmake make
  g++-mingw-w64-x86-64            # MinGW-w64: GCC 12 for 64-bit Windows, windres, objdump
  libz-mingw-w64-dev              # zlib for the clipboard's PNG, linked into the program
  googletest                      # its sources, built with the cross compiler
  wine wine64                     # runs the tests and the program
  fonts-ipafont-gothic            # the Japanese face Wine finds for the design font
  xvfb openbox x11-utils          # the virtual desktop Wine's windows appear on
  x11-xserver-utils               # xset: the tests read the Num Lock state
  xdotool xclip imagemagick       # the tests' pointer moves and X clients of the clipboard
)
"$root/scripts/install-missing.sh" "${packages[@]}"

# Release without debug information (a Windows user has no use for DWARF, and it doubles the
# compile time), at -O2 as on Linux: GCC 12 at -O3 warns falsely about string concatenation
# (-Wrestrict, its bug 105651).
cmake -S "$root" -B "$root/build-win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" "$@" >/dev/null
# Once it is done, the build is up to date with the sources as they were when it started, even
# where it had nothing to remake: scripts/package.sh zips no executable older than that.
touch "$root/build-win/sources-built.stamp.new"
cmake --build "$root/build-win" -j "$(nproc)"
mv "$root/build-win/sources-built.stamp.new" "$root/build-win/sources-built.stamp"
