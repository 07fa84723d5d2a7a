#!/usr/bin/env bash
# Builds the Windows tree (scripts/build-windows.sh) and runs the Win32 desktop benchmark under
# Wine on a virtual X server of its own. Usage: bench/win32/run.sh [ITERATIONS]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
"$root/scripts/build-windows.sh" >/dev/null
"$root/tests/x11/with_virtual_display.sh" "$root/tests/windows/with_wine.sh" \
  "$root/build-win/bench/win32/bench_win32_desktop.exe" "$@"
