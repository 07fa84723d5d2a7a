#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit and behaviour tests, the same
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the real program on a virtual X
# server that the tests start themselves.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/scripts/setup.sh"

echo "== build (warnings are errors)"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEX_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$root/build" -j "$jobs"

echo "== build with sanitizers (headless parts)"
cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DORVEX_SANITIZE=ON \
  -DORVEX_HEADLESS_ONLY=ON -DORVEX_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$root/build-sanitize" -j "$jobs"

echo "== tests with sanitizers"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs"

echo "== all tests"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
