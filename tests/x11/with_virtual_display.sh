#!/usr/bin/env bash
# Runs a command on a virtual X server of its own (Xvfb, 1920x1080x24 unless --screen says
# otherwise, with openbox as the window manager), then stops both.
# Usage: with_virtual_display.sh [--screen WIDTHxHEIGHTxDEPTH] COMMAND [ARGS...]
set -euo pipefail

screen=1920x1080x24
if [ "${1:-}" = --screen ]; then
  screen=$2
  shift 2
fi

xvfb_pid=""
openbox_pid=""
scratch=$(mktemp -d)
cleanup() {
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb takes the first free display number itself and writes it to the pipe once it listens:
# looking for a free number first and starting the server after is a race with any other
# server starting meanwhile.
mkfifo "$scratch/display"
# -noreset: the server must not reset (and re-centre the pointer) when a client leaves.
Xvfb -displayfd 3 -screen 0 "$screen" -noreset -nolisten tcp \
  3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
display_number=""
read -r -t 10 display_number <"$scratch/display" || true
[ -n "$display_number" ] || { echo "Xvfb did not start" >&2; exit 1; }

export DISPLAY=":${display_number}"
# Started from a Wayland session, the program would run there instead of on this display.
unset WAYLAND_DISPLAY XDG_SESSION_TYPE
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY" >&2; exit 1; }

if [ -z "${ORVEX_NO_WINDOW_MANAGER:-}" ]; then
  openbox --sm-disable >/dev/null 2>&1 &
  openbox_pid=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
  done
fi

"$@"
