#!/usr/bin/env bash
# Measures the real program native on Wayland, inside a headless GNOME session (run it under
# tests/wayland/with_headless_gnome.sh), driven like a user through mutter's RemoteDesktop:
# video mode at 351x240 and 1280x720, zoom 1 and 4, with the pointer sweeping the noise on the
# screen's top-left at 20 steps a second. For each run: CPU per live-view frame (20 a second)
# of the program and of the compositor (utime + stime from /proc/PID/stat), resident memory
# after start and after the run (RSS, and PSS: shared pages, such as the compositor's frames
# and the libraries it maps too, divided among the processes that map them); the same for a
# previous build, when given, right after each. Then the time from a start with the kept
# consent to the first frame.
# Usage: wayland_video_mode_cpu.sh BUILD_DIR [SECONDS_PER_RUN] [PREVIOUS_BUILD_DIR]
set -euo pipefail

build="$(cd "$1" && pwd)"
seconds="${2:-20}"
program="$build/orvex-capture"
previous_program=""
[ -n "${3:-}" ] && previous_program="$(cd "$3" && pwd)/orvex-capture"
hands_program="$build/tests/wayland/wayland_hands"
pattern_program="$build/tests/wayland/wayland_pattern_window"
screenshot="$build/tests/wayland/wayland_screenshot"
source "$(dirname "$0")/process_figures.sh"

readonly rate=20                 # the live view's ticks a second
readonly control_strip=65        # client height below the view: buttons and lens bar
readonly frame_left=3 frame_top=30 frame_bottom=3   # Qt's own window frame on GNOME
readonly first_place=50          # mutter puts the window's frame at (50, 50)
readonly screen_width=1920 screen_height=1080
compositor_pid=$(pgrep -x -s 0 mutter)

started_pids=()
cleanup() { for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

"$pattern_program" &
started_pids+=($!)
coproc HANDS { "$hands_program"; }
started_pids+=("$HANDS_PID")
hand() { echo "$*" >&"${HANDS[1]}"; read -r _ <&"${HANDS[0]}"; }
click() { hand move "$1" "$2"; sleep 0.2; hand press 110 1; sleep 0.06; hand press 110 0; sleep 0.3; }
hand warm-up
asked=no

# One run of EXECUTABLE (named LABEL): view WIDTH x HEIGHT, the lens bar's key for the zoom
# ("" for 1, End for 4).
run_case() {
  local label=$1 executable=$2 width=$3 height=$4 zoom=$5 lens_key=$6
  "$executable" 2>/dev/null &
  local pid=$!
  started_pids+=("$pid")
  sleep 2.5
  if [ "$asked" = no ]; then hand share; asked=yes; sleep 1; fi
  local rss_start pss_start
  rss_start=$(rss_mb "$pid")
  pss_start=$(pss_mb "$pid")
  # The video button, at its place in the window as it starts (its inside 287 x 270).
  click $((first_place + frame_left + 287 * 4 / 10)) $((first_place + frame_top + 270 - 48))
  # A mode starts at the design size, knowing the frame now: its inside is 281 x 237. Its
  # bottom-right corner to the size under test, its title bar away from the swept corner.
  local frame_width=$((width + 2 * frame_left)) frame_height=$((height + control_strip + frame_top + frame_bottom))
  hand drag $((first_place + 281 + 2 * frame_left - 1)) $((first_place + 237 + frame_top + frame_bottom - 1)) \
    $((first_place + frame_width - 1)) $((first_place + frame_height - 1))
  local left=$((screen_width - frame_width - 10)) top=$((screen_height - frame_height - 10))
  hand drag $((first_place + 150)) $((first_place + 15)) $((left + 150)) $((top + 15))
  sleep 0.5
  # Any key release hands the lens bar the focus; the window's background starts the ticks.
  if [ -n "$lens_key" ]; then hand key ffe1; hand key "$lens_key"; fi
  hand move $((left + frame_left + width / 2)) $((top + frame_top + height + control_strip - 29))
  sleep 0.3
  local i=0
  hand move 20 30
  sleep 1
  local ours0 compositor0
  ours0=$(cpu_ms "$pid")
  compositor0=$(cpu_ms "$compositor_pid")
  for ((i = 0; i < seconds * rate; i++)); do
    hand move $((20 + (i * 7) % 200)) $((30 + (i * 3) % 120))
    sleep 0.05
  done
  local ours compositor
  ours=$(calc "$(cpu_ms "$pid") - $ours0")
  compositor=$(calc "$(cpu_ms "$compositor_pid") - $compositor0")
  local per=$((seconds * rate))
  printf '%-9s %-17s %8.3f %8.3f %8.3f %7s %7s %7s %7s\n' "$label" "${width}x${height} zoom $zoom" \
    "$(calc "$ours / $per")" "$(calc "$compositor / $per")" "$(calc "($ours + $compositor) / $per")" \
    "$rss_start" "$(rss_mb "$pid")" "$pss_start" "$(pss_mb "$pid")"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

echo "== Wayland (headless GNOME: mutter $(mutter --version | head -1 | awk '{print $2}'), video mode, ${seconds} s a run, pointer moving"
echo "   CPU in ms per live-view frame: ours, the compositor (mutter), total; memory in MB after"
echo "   start (0) and after the run (1). Targets: ours at most 1.5 ms at 1280x720 zoom 1, RSS at"
echo "   most 45 MB"
printf '%-9s %-17s %8s %8s %8s %7s %7s %7s %7s\n' build case ours mutter total RSS0 RSS1 PSS0 PSS1
for size in 351x240 1280x720; do
  IFS=x read -r width height <<<"$size"
  for zoom in 1 4; do
    lens_key=""
    [ "$zoom" = 4 ] && lens_key=ff57
    run_case ours "$program" "$width" "$height" "$zoom" "$lens_key"
    if [ -n "$previous_program" ]; then
      run_case previous "$previous_program" "$width" "$height" "$zoom" "$lens_key"
    fi
  done
done

echo
echo "== first frame after a start with the kept consent (the portal, PipeWire), 5 runs, ms"
for _ in 1 2 3 4 5; do
  start=$(date +%s%N)
  "$screenshot" /dev/null 0 0 1 1 >/dev/null 2>&1 || true
  echo $((($(date +%s%N) - start) / 1000000))
done | sort -n | tr '\n' ' '
echo
