#!/usr/bin/env bash
# Runs a command on a virtual X server of its own (Xvfb 1920x1080x24 with openbox as the
# window manager), then stops both. Usage: with_virtual_display.sh COMMAND [ARGS...]
set -euo pipefail

display_number=""
for candidate in $(seq 147 199); do
  if [ ! -e "/tmp/.X${candidate}-lock" ] && [ ! -e "/tmp/.X11-unix/X${candidate}" ]; then
    display_number=$candidate
    break
  fi
done
[ -n "$display_number" ] || { echo "no free X display number" >&2; exit 1; }

# -noreset: the server must not reset (and re-centre the pointer) when a client leaves.
Xvfb ":${display_number}" -screen 0 1920x1080x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
openbox_pid=""
cleanup() {
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT

export DISPLAY=":${display_number}"
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.05
done
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
