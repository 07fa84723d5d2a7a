#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orvex Capture.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target orvex-capture -j "$(nproc)"
exec "$root/build/orvex-capture"
