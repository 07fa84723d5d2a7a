#!/usr/bin/env bash
# Builds the packages into dist/: the Debian package orvex-capture_<version>_<arch>.deb from a
# build of its own (build-package/: Debian's hardening flags, no tests), and, when
# scripts/build-windows.sh has made build-win/orvex-capture.exe, the zip for Windows users.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-package"
dist="$root/dist"
"$root/scripts/setup.sh"

debianPackage() {
  cmake --build "$build" -j "$(nproc)"
  (cd "$build" && cpack -G DEB >/dev/null)
  cp "$build/orvex-capture_${version}_$(dpkg --print-architecture).deb" "$dist/"
}

# The executable and a read-me in English and Japanese: Notepad reads UTF-8 without a fault
# when the text starts with a byte-order mark, and Windows lines end in CR LF.
windowsZip() {
  local exe="$root/build-win/orvex-capture.exe"
  if [ ! -f "$exe" ]; then
    echo "No $exe (scripts/build-windows.sh builds it): no zip for Windows this time."
    return
  fi
  local staging
  staging="$(mktemp -d)"
  cp "$exe" "$staging/"
  { printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$root/packaging/windows/README.txt"; } >"$staging/README.txt"
  (cd "$staging" && zip -q -X "$dist/orvex-capture_${version}_windows-x64.zip" orvex-capture.exe README.txt)
  rm -rf "$staging"
}

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# CMake reads no CPPFLAGS: the fortify define goes in with the compiler flags.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DORVEX_TESTS=OFF -DORVEX_BENCHMARKS=OFF >/dev/null
# The project's version, as CMake hands it to CPack.
version="$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"
mkdir -p "$dist"
rm -f "$dist"/orvex-capture_*
debianPackage
windowsZip
ls -l "$dist"/orvex-capture_*
