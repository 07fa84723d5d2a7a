#!/usr/bin/env bash
# The live view native on Wayland side by side with the X11 path, in one run: builds Release in
# build-bench, measures video mode on a headless GNOME session of its own
# (wayland_video_mode_cpu.sh under tests/wayland/with_headless_gnome.sh), then the same view
# sizes on Xvfb with openbox (video_mode_cpu.sh, with xzoom and the bare yardstick beside).
# Usage: bench/run_wayland.sh [SECONDS_PER_RUN] [PREVIOUS_BUILD_DIR]
# (PREVIOUS_BUILD_DIR: orvex-capture as built from an earlier commit, run right after ours.)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-bench"
seconds="${1:-20}"
previous_build=""
[ -n "${2:-}" ] && previous_build="$(cd "$2" && pwd)"

"$root/scripts/install-missing.sh" xzoom
echo "== build (Release) in $build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target orvex-capture wayland_hands wayland_pattern_window \
  wayland_screenshot bench_read_and_present bench_frame_counter bench_startup_time >/dev/null
echo "== machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
"$root/tests/wayland/with_headless_gnome.sh" "$root/bench/wayland_video_mode_cpu.sh" "$build" "$seconds" \
  "$previous_build" 2>/dev/null
echo
ORVEX_BENCH_SIZES="351x240 1280x720" "$root/tests/x11/with_virtual_display.sh" \
  "$root/bench/video_mode_cpu.sh" "$build" "$seconds" moving
