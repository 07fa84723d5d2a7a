#!/usr/bin/env bash
# Measures the real program on the X server named by $DISPLAY (see
# tests/x11/with_virtual_display.sh), driven like a user:
#  - video mode at three view sizes and three zooms with the pointer sweeping a patterned screen:
#    CPU per frame of the program plus the X server (utime + stime from /proc/PID/stat), the
#    frames really presented (counted at the server), and resident memory after start and after
#    the run; the same for a previous build of the program, when given, side by side;
#  - xzoom, a plain shared-memory magnifier, at zoom 1 in windows of the same sizes: the peer;
#  - a bare read-and-present of each view size, the yardstick for the whole tick;
#  - start-up time, launch to mapped window (median), the previous build's taking turns with it.
# Usage: video_mode_cpu.sh BUILD_DIR [SECONDS_PER_RUN] [moving|resting] [PREVIOUS_BUILD_DIR]
# ORVEX_BENCH_SIZES="351x240 1280x720" measures those view sizes only (all three by default).
# "resting" leaves the pointer still in the middle of the swept corner, which shows how much of
# the X server's share is the moving pointer (Xvfb draws it in software).
set -euo pipefail

build="$(cd "$1" && pwd)"
seconds="${2:-20}"
pointer="${3:-moving}"
previous_build="${4:-}"
program="$build/orvex-capture"
previous_program=""
[ -n "$previous_build" ] && previous_program="$(cd "$previous_build" && pwd)/orvex-capture"
reference="$build/bench/bench_read_and_present"
frame_counter="$build/bench/bench_frame_counter"
startup_time="$build/bench/bench_startup_time"

readonly rate=20                  # the live view's ticks a second
readonly control_strip=65         # client height below the view: buttons and lens bar
readonly startup_runs=9
# Each case is measured in turns, taking turns with the others of its view size, so that the
# load of the moment weighs on all alike; its figures are those of all its turns together.
readonly turns=2
turn_seconds=$(((seconds + turns - 1) / turns))
screen_width=$(xdpyinfo | awk '/dimensions:/ { split($2, s, "x"); print s[1] }')
screen_height=$(xdpyinfo | awk '/dimensions:/ { split($2, s, "x"); print s[2] }')
# The X server: the process listening on the display's local socket.
display_number="${DISPLAY#:}"
xserver_pid=$(ss -xlpn | awk -v path="/tmp/.X11-unix/X${display_number%%.*}" \
  '$5 == path { match($0, /pid=[0-9]+/); print substr($0, RSTART + 4, RLENGTH - 4); exit }')
[ -n "$xserver_pid" ] || { echo "no local X server for $DISPLAY" >&2; exit 1; }

started_pids=()
cleanup() {
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

source "$(dirname "$0")/process_figures.sh"

wait_for_window() {  # the first viewable window of a process
  timeout 10 xdotool search --sync --onlyvisible --pid "$1" 2>/dev/null | head -1
}
wait_for_named_window() {  # the first viewable window whose name starts so
  timeout 10 xdotool search --sync --onlyvisible --name "^$1" 2>/dev/null | head -1
}
client_size() {  # "WIDTH HEIGHT" of a window's client area
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^WIDTH=/ { w = $2 } /^HEIGHT=/ { h = $2 } END { print w, h }'
}

# Moves the pointer round the top-left of the screen, one step a tick, for a while. The view
# reads from the pointer down and right, so there it has the most screen to read.
start_pointer_sweep() {
  local steps=$(((seconds + 5) * rate)) moves=()  # long enough for the longest measure
  for ((i = 0; i < steps; i++)); do
    moves+=(mousemove $((20 + (i * 7) % 200)) $((30 + (i * 3) % 120)) sleep 0.05)
  done
  if [ "$pointer" = resting ]; then moves=(mousemove 120 90 sleep $((seconds + 5))); fi
  xdotool "${moves[@]}" &
  sweep_pid=$!
  started_pids+=("$sweep_pid")
}

# Puts a window whose client is WIDTH × HEIGHT away from the swept corner: bottom right, or at
# the top left when it is as wide as the screen.
place_window() {
  local window=$1 width=$2 height=$3
  xdotool windowsize "$window" "$width" "$height"
  if ((width >= screen_width)); then
    xdotool windowmove "$window" 0 0
  else
    xdotool windowmove "$window" $((screen_width - width - 10)) $((screen_height - height - 30))
  fi
  sleep 0.5
}

# Measures one turn of a running program: prints "frames ours_ms x_ms".
measure() {
  local pid=$1 window=$2
  start_pointer_sweep
  sleep 1
  local ours0 x0 frames ours1 x1
  ours0=$(cpu_ms "$pid")
  x0=$(cpu_ms "$xserver_pid")
  frames=$("$frame_counter" "$window" "$turn_seconds")
  ours1=$(cpu_ms "$pid")
  x1=$(cpu_ms "$xserver_pid")
  kill "$sweep_pid" 2>/dev/null || true
  wait "$sweep_pid" 2>/dev/null || true
  echo "$frames $(calc "$ours1 - $ours0") $(calc "$x1 - $x0")"
}

# One row: label, frames, CPU of ours and the X server, memory. Leaves the CPU per frame, ours
# + X server, in per_frame.
report() {
  local label=$1 frames=$2 ours=$3 x=$4 rss_start=$5 rss_end=$6
  local per=$((frames > 0 ? frames : turns * turn_seconds * rate))
  per_frame=$(calc "($ours + $x) / $per")
  printf '%-40s %7d %9.3f %9.3f %9.3f %9s %9s\n' "$label" "$frames" "$(calc "$ours / $per")" \
    "$(calc "$x / $per")" "$per_frame" "$rss_start" "$rss_end"
}

# Adds a turn's figures to its case (key): frames, CPU, the memory of its first start and of
# its last end.
record() {
  local key=$1 label=$2 frames=$3 ours=$4 x=$5 rss_start=$6 rss_end=$7
  if [ -z "${case_frames[$key]:-}" ]; then
    cases+=("$key")
    case_frames[$key]=0 case_ours[$key]=0 case_x[$key]=0 case_rss0[$key]=$rss_start
  fi
  case_label[$key]=$label
  case_frames[$key]=$((case_frames[$key] + frames))
  case_ours[$key]=$(calc "${case_ours[$key]} + $ours")
  case_x[$key]=$(calc "${case_x[$key]} + $x")
  case_rss1[$key]=$rss_end
}

# The rows of the cases recorded since the last call, per presented frame over all their turns;
# keeps each case's CPU per frame in totals and its memory at the end in memory.
report_cases() {
  for key in "${cases[@]}"; do
    report "${case_label[$key]}" "${case_frames[$key]}" "${case_ours[$key]}" "${case_x[$key]}" \
      "${case_rss0[$key]}" "${case_rss1[$key]}"
    totals[$key]=$per_frame
    memory[$key]=${case_rss1[$key]}
  done
  cases=()
}

# Video mode in the real program. which: "ours" or "previous" (the previous build); lens_key:
# the key that sets the zoom from the lens bar (End: 4, Home: 0.1), or "" for the zoom it
# starts with (1).
run_program() {
  local which=$1 width=$2 height=$3 zoom=$4 lens_key=$5
  local executable=$program
  [ "$which" = previous ] && executable=$previous_program
  "$executable" 2>/dev/null &
  local pid=$!
  started_pids+=("$pid")
  local window
  window=$(wait_for_window "$pid")
  sleep 0.5
  local rss_start
  rss_start=$(rss_mb "$pid")
  # The video button: 30–50 % across, 60 pixels above the bottom of the client area.
  local client_width client_height
  read -r client_width client_height < <(client_size "$window")
  xdotool mousemove --window "$window" $((client_width * 4 / 10)) $((client_height - 48)) click 1
  sleep 0.3
  place_window "$window" "$width" $((height + control_strip))
  read -r client_width client_height < <(client_size "$window")
  local label="$which ${width}x${height} zoom $zoom"
  if ((client_width != width || client_height != height + control_strip)); then
    label="$label (view ${client_width}x$((client_height - control_strip)))"
  fi
  # Any key release hands the lens bar the focus.
  if [ -n "$lens_key" ]; then xdotool key Shift_L "$lens_key"; fi
  # The ticks start once the pointer has crossed the view.
  xdotool mousemove --window "$window" 10 10
  sleep 0.2
  local frames ours x rss_end
  read -r frames ours x < <(measure "$pid" "$window")
  rss_end=$(rss_mb "$pid")
  record "$which:${width}x${height}/$zoom" "$label" "$frames" "$ours" "$x" "$rss_start" "$rss_end"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

# The peer: xzoom at zoom 1 in a window of the view's size, refreshing at its own pace (5 Hz).
run_xzoom() {
  local width=$1 height=$2
  xzoom -mag 1 -geometry "${width}x${height}" 2>/dev/null &
  local pid=$!
  started_pids+=("$pid")
  local window
  window=$(wait_for_named_window xzoom)
  local rss_start
  rss_start=$(rss_mb "$pid")
  place_window "$window" "$width" "$height"
  local frames ours x
  read -r frames ours x < <(measure "$pid" "$window")
  record "xzoom:${width}x${height}/1" "xzoom ${width}x${height} zoom 1" "$frames" "$ours" "$x" \
    "$rss_start" "$(rss_mb "$pid")"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

run_reference() {
  local width=$1 height=$2
  "$reference" "$width" "$height" 2>/dev/null &
  local pid=$!
  started_pids+=("$pid")
  local window
  window=$(wait_for_window "$pid")
  local rss_start
  rss_start=$(rss_mb "$pid")
  place_window "$window" "$width" "$height"
  local frames ours x
  read -r frames ours x < <(measure "$pid" "$window")
  record "bare:${width}x${height}" "bare ${width}x${height}" "$frames" "$ours" "$x" "$rss_start" \
    "$(rss_mb "$pid")"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

# The X server's own cost of the pointer moving, with no live view running, per 1/20 s.
run_pointer_alone() {
  start_pointer_sweep
  sleep 1
  local x0 x1
  x0=$(cpu_ms "$xserver_pid")
  sleep "$seconds"
  x1=$(cpu_ms "$xserver_pid")
  kill "$sweep_pid" 2>/dev/null || true
  wait "$sweep_pid" 2>/dev/null || true
  printf '%-40s %7s %9s %9.3f %9s\n' "pointer alone, no program" "-" "-" \
    "$(calc "($x1 - $x0) / ($seconds * $rate)")" "-"
}

read -r -a sizes <<<"${ORVEX_BENCH_SIZES:-351x240 1280x720 1920x1080}"
largest=${sizes[-1]}
declare -A totals memory case_label case_frames case_ours case_x case_rss0 case_rss1
cases=()
per_frame=0
# A plaid to magnify, so that the screen is not one flat colour.
xsetroot -mod 16 16 -fg '#d08020' -bg '#203060'

echo "== video mode, ${seconds} s a case in $turns turns, pointer $pointer"
echo "   CPU in ms per presented frame: ours (the program, the peer or the bare reference), X (Xvfb),"
echo "   total; resident memory after start (RSS0) and after the run (RSS1)"
printf '%-40s %7s %9s %9s %9s %9s %9s\n' "case" "frames" "ours" "X" "total" "RSS0 MB" "RSS1 MB"
run_pointer_alone
builds=(ours)
[ -n "$previous_program" ] && builds+=(previous)
for size in "${sizes[@]}"; do
  IFS=x read -r width height <<<"$size"
  for ((turn = 0; turn < turns; turn++)); do
    # The cases compared side by side one right after the other.
    for which in "${builds[@]}"; do run_program "$which" "$width" "$height" 1 ""; done
    run_xzoom "$width" "$height"
    for which in "${builds[@]}"; do
      run_program "$which" "$width" "$height" 4 End
      run_program "$which" "$width" "$height" 0.1 Home
    done
    run_reference "$width" "$height"
  done
  report_cases
done

echo
echo "== side by side, CPU per presented frame (ours + X server), ms"
printf '%-10s %9s %9s %9s %11s %10s %10s %10s\n' "view" "zoom 1" "previous" "xzoom" \
  "/ xzoom" "/ previous" "zoom 4" "zoom 0.1"
ratio() { if [ -n "${2:-}" ]; then calc "$1 / $2"; else echo "-"; fi; }
for size in "${sizes[@]}"; do
  ours=${totals[ours:$size/1]}
  previous=${totals[previous:$size/1]:-}
  printf '%-10s %9s %9s %9s %11s %10s %10s %10s\n' "$size" "$ours" "${previous:--}" \
    "${totals[xzoom:$size/1]}" "$(ratio "$ours" "${totals[xzoom:$size/1]}")" \
    "$(ratio "$ours" "$previous")" "${totals[ours:$size/4]}" "${totals[ours:$size/0.1]}"
done
echo "targets: / xzoom <= 0.5 at 351x240 and 1280x720; zoom 4 and zoom 0.1 no worse than zoom 1"
echo "resident memory after ${seconds} s at $largest, zoom 1: ${memory[ours:$largest/1]} MB" \
  "(previous: ${memory[previous:$largest/1]:--} MB; target <= 40 MB at 1920x1080)"

echo
echo "== whole tick / bare read-and-present, zoom 1"
for size in "${sizes[@]}"; do
  printf '%-12s %.2f\n' "$size" "$(calc "${totals[ours:$size/1]} / ${totals[bare:$size]}")"
done

echo
echo "== start-up, launch to mapped window, median of $startup_runs runs taking turns (target <= 40 ms)"
startup_programs=("$program")
[ -n "$previous_program" ] && startup_programs+=("$previous_program")
"$startup_time" "$startup_runs" "${startup_programs[@]}" | awk '/^median/ { printf "%-10s %s ms\n", ++n == 1 ? "ours" : "previous", $2 }'
