#!/usr/bin/env bash
# Runs a command as an X11 program of a Wayland session: weston, headless, with XWayland, in a
# runtime directory of its own; DISPLAY names that XWayland. Stops weston (and with it
# XWayland) afterwards. The session's Wayland variables stay unset, as for a program started
# from a terminal that does not pass them on: the X server itself must tell.
# Usage: with_headless_wayland.sh COMMAND [ARGS...]
set -euo pipefail

weston_pid=""
scratch=$(mktemp -d)
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# weston takes the first free X display number itself and names it in its log; XWayland
# starts when the first X client connects.
mkdir -m 0700 "$scratch/runtime"
XDG_RUNTIME_DIR="$scratch/runtime" weston --backend=headless-backend.so --xwayland \
  --socket=wayland-test --log="$scratch/weston.log" >/dev/null 2>&1 &
weston_pid=$!
display=""
for _ in $(seq 200); do
  display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$scratch/weston.log" \
    2>/dev/null || true)
  [ -n "$display" ] && break
  sleep 0.05
done
[ -n "$display" ] || { echo "weston did not start with XWayland" >&2; cat "$scratch/weston.log" >&2; exit 1; }

unset WAYLAND_DISPLAY XDG_SESSION_TYPE
export DISPLAY="$display"
"$@"
