#!/usr/bin/env bash
# Builds the packages into dist/: the Debian package orvex-capture_<version>_<arch>.deb, and,
# when scripts/build-windows.sh has made build-win/orvex-capture.exe, the zip for Windows users.
# Usage: scripts/package.sh [BUILD_DIR]
# The .deb is made from BUILD_DIR, a build configured by scripts/configure-hardened.sh (the
# full test run packages the build it tested), else from a build of its own, build-package/,
# without tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-package}"
dist="$root/dist"
"$root/scripts/setup.sh"

debianPackage() {
  cmake --build "$build" -j "$(nproc)"
  (cd "$build" && cpack -G DEB >/dev/null)
  cp "$build/orvex-capture_${version}_$(dpkg --print-architecture).deb" "$dist/"
}

# Why the executable `$1` is not what these sources make, if it is not: another version (its
# version resource says), or a source of the Windows program changed since it was built. A
# build by scripts/build-windows.sh counts from its start, also when it had nothing to remake.
staleWindowsExe() {
  local exe=$1 since=$1 built parts changed
  built="$(strings -el "$exe" | grep -A1 -x ProductVersion | tail -n 1 || true)"
  # A version resource has four numbers: the project's version, padded with zeros.
  IFS=. read -ra parts <<<"$version.0.0.0"
  local wanted="${parts[0]}.${parts[1]}.${parts[2]}.${parts[3]}"
  if [ "$built" != "$wanted" ]; then
    echo "it is version ${built:-unknown}, these sources make $wanted"
    return
  fi
  local stamp="$root/build-win/sources-built.stamp"  # written by scripts/build-windows.sh
  if [ "$stamp" -nt "$since" ]; then since="$stamp"; fi
  changed="$(find "$root"/{app,capture,modes,help,platform,resources,cmake} "$root/CMakeLists.txt" \
    \( -path "$root/platform/qt" -o -path "$root/platform/x11" -o -path "$root/platform/wayland" \) \
    -prune -o -type f ! -path "$root/app/main.cpp" -newer "$since" -print -quit)"
  if [ -n "$changed" ]; then echo "${changed#"$root/"} changed after it was built"; fi
}

# The executable and a read-me in English and Japanese: Notepad reads UTF-8 without a fault
# when the text starts with a byte-order mark, and Windows lines end in CR LF.
windowsZip() {
  local exe="$root/build-win/orvex-capture.exe"
  if [ ! -f "$exe" ]; then
    echo "No $exe (scripts/build-windows.sh builds it): no zip for Windows this time."
    return
  fi
  local stale
  stale="$(staleWindowsExe "$exe")"
  if [ -n "$stale" ]; then
    echo "Not zipping $exe: $stale. Build it again with scripts/build-windows.sh." >&2
    exit 1
  fi
  local staging
  staging="$(mktemp -d)"
  cp "$exe" "$staging/"
  { printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$root/packaging/windows/README.txt"; } >"$staging/README.txt"
  (cd "$staging" && zip -q -X "$dist/orvex-capture_${version}_windows-x64.zip" orvex-capture.exe README.txt)
  rm -rf "$staging"
}

if [ $# -eq 0 ]; then
  "$root/scripts/configure-hardened.sh" "$build" -DORVEX_TESTS=OFF -DORVEX_BENCHMARKS=OFF
elif ! grep -q '^CMAKE_CXX_FLAGS:.*-D_FORTIFY_SOURCE' "$build/CMakeCache.txt" 2>/dev/null; then
  echo "$build is no build made by scripts/configure-hardened.sh: not packaging it." >&2
  exit 1
fi
# The project's version, as CMake hands it to CPack.
version="$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"
mkdir -p "$dist"
rm -f "$dist"/orvex-capture_*
debianPackage
windowsZip
ls -l "$dist"/orvex-capture_*
