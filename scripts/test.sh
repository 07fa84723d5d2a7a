#!/usr/bin/env bash
# Installs what is missing, builds, checks the code with clang-tidy (the Linux build and the
# Windows one), and runs every test: unit and behaviour tests, the same under AddressSanitizer
# and UndefinedBehaviorSanitizer with the X11 backend's own suites, the real program on a
# virtual X server that the tests start themselves, the Windows build with the same tests under
# Wine, and the packages: the Debian one (validated, installed, started from its menu entry's
# command and removed) and the zip for Windows users.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/scripts/setup.sh"

# clang-tidy over the files of a build's compile database that match a pattern, with the
# checked-in .clang-tidy; further arguments go to run-clang-tidy.
tidy() {
  local build=$1 files=$2
  shift 2
  run-clang-tidy -quiet -p "$build" "$@" "$files" >"$build/clang-tidy.log" 2>&1 ||
    { grep -E -A3 'warning:|error:' "$build/clang-tidy.log"
      echo "clang-tidy found problems (see $build/clang-tidy.log)"; exit 1; }
}

echo "== build, hardened as the .deb ships it (warnings are errors)"
"$root/scripts/configure-hardened.sh" "$root/build" -DORVEX_WARNINGS_AS_ERRORS=ON
cmake --build "$root/build" -j "$jobs"

echo "== clang-tidy (the program and its platform layer)"
tidy "$root/build" "$root/(app|capture|modes|help|platform)/"

echo "== build with sanitizers (the headless parts and the X11 backend)"
cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DORVEX_SANITIZE=ON \
  -DORVEX_HEADLESS_ONLY=OFF -DORVEX_BENCHMARKS=OFF -DORVEX_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$root/build-sanitize" -j "$jobs"

echo "== tests with sanitizers"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs"

echo "== Windows build (MinGW-w64, warnings are errors)"
"$root/scripts/build-windows.sh" -DORVEX_WARNINGS_AS_ERRORS=ON

echo "== clang-tidy (the Windows backend and entry)"
# For Windows as the cross-compiler sees it: its target, the MinGW-w64 headers as the system's,
# and its own C++ library's headers.
mingw_cxx="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")/include/c++"
tidy "$root/build-win" "$root/(platform/win32/|app/main_win32)" \
  -extra-arg-before=--target=x86_64-w64-mingw32 -extra-arg-before=--sysroot=/usr/x86_64-w64-mingw32 \
  -extra-arg=-isystem"$mingw_cxx" -extra-arg=-isystem"$mingw_cxx/x86_64-w64-mingw32" \
  -extra-arg=-isystem"$mingw_cxx/backward"

echo "== packages: Debian (from the build the tests run), and the zip for Windows"
"$root/scripts/package.sh" "$root/build"
"$root/tests/package/check_package.sh" "$root"/dist/orvex-capture_*.deb
"$root/tests/package/check_windows_zip.sh" "$root"/dist/orvex-capture_*_windows-x64.zip \
  "$root/build-win/orvex-capture.exe"

echo "== all tests"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== Windows tests under Wine"
ctest --test-dir "$root/build-win" --output-on-failure -j "$jobs"
