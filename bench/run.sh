#!/usr/bin/env bash
# Builds the Release tree in build-bench and runs every benchmark, each on a virtual X server of
# its own (tests/x11/with_virtual_display.sh: Xvfb 1920x1080x24 with openbox):
#  1. bench_live_view: the live-view tick, its parts, the bare screen read and the still
#     capture, in process, CPU ms per iteration (ours and the X server's); then the first tick
#     at each zoom on a 3840x2160 screen and the still capture, for the previous build too when
#     its build directory has bench_live_view;
#  2. video_mode_cpu.sh: the real program in video mode, CPU ms per frame, frames, memory,
#     side by side with xzoom (the peer, installed here if missing) and, when given, a previous
#     build of the program; the bare read-and-present yardstick and start-up time.
# Usage: bench/run.sh [SECONDS_PER_VIDEO_RUN] [moving|resting] [PREVIOUS_BUILD_DIR]
# PREVIOUS_BUILD_DIR holds orvex-capture (and, for the in-process cases, bench_live_view) built
# from an earlier commit, for instance:
#   git worktree add /tmp/before HEAD~3 && cmake -S /tmp/before -B /tmp/before/build \
#     -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCHMARKS=ON && \
#     cmake --build /tmp/before/build --target orvex-capture bench_live_view
# Benchmarks measure; nothing here passes or fails on time. Run it on a quiet machine: other
# work on the same cores shows up in every figure.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-bench"
seconds="${1:-20}"
pointer="${2:-moving}"
previous="${3:-}"
with_display="$root/tests/x11/with_virtual_display.sh"

"$root/scripts/install-missing.sh" xzoom   # the peer: a plain shared-memory magnifier

echo "== build (Release) in $build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target orvex-capture bench_live_view bench_read_and_present \
  bench_frame_counter bench_startup_time >/dev/null

echo "== machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "== in process: Form1 on the real backends (bench_live_view)"
"$with_display" "$build/bench/bench_live_view" 2>/dev/null
in_process_once() {  # TITLE FILTER [--screen WxHxD]: ours, then the previous build's if it has it
  local title=$1 filter=$2
  shift 2
  echo
  echo "== $title"
  for bench in "$build/bench/bench_live_view" "${previous:+$previous/bench/bench_live_view}"; do
    [ -x "$bench" ] || continue
    [ "$bench" = "$build/bench/bench_live_view" ] && echo "ours" || echo "previous"
    "$with_display" "$@" "$bench" --benchmark_filter="$filter" 2>/dev/null | tail -n +2
  done
}
in_process_once "the first tick at each zoom on a 3840x2160 screen" first_tick --screen 3840x2160x24
in_process_once "the still capture, side by side" still_capture
echo
"$with_display" "$root/bench/video_mode_cpu.sh" "$build" "$seconds" "$pointer" "$previous"
