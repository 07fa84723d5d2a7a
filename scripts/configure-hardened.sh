#!/usr/bin/env bash
# Configures a Linux build in BUILD_DIR (RelWithDebInfo) with Debian's hardening flags, as the
# .deb ships it; further arguments go to CMake. scripts/test.sh tests such a build and
# scripts/package.sh packages that very build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build=$1
shift
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { (cd "$root" && dpkg-buildflags --get "$1"); }
# CMake reads no CPPFLAGS: the fortify define goes in with the compiler flags.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" "$@" >/dev/null
