#!/usr/bin/env bash
# Runs a command in a headless GNOME session of its own: mutter (native Wayland, no X11, virtual
# monitors, animations off), PipeWire with WirePlumber and its PulseAudio server, and a session
# bus on which the desktop portals start when first asked. Everything lives in private
# directories (runtime, home, config, data, state, cache), so the portal's permission store and
# the program's kept consent start empty unless ORVEX_SESSION_HOME names a home to reuse.
# Ends the whole session (every process it started, the bus-activated portals too) afterwards
# and exits with the command's status.
# Usage: with_headless_gnome.sh [--monitor WIDTHxHEIGHT]... COMMAND [ARGS...]
# Inside, WAYLAND_DISPLAY names mutter's socket and ORVEX_SESSION_LOG mutter's log.
set -euo pipefail

if [ -z "${ORVEX_GNOME_SESSION:-}" ]; then
  monitors=()
  while [ "${1:-}" = --monitor ]; do
    monitors+=("$2")
    shift 2
  done
  [ ${#monitors[@]} -gt 0 ] || monitors=(1920x1080)
  scratch=$(mktemp -d)
  home="${ORVEX_SESSION_HOME:-$scratch/home}"
  mkdir -p -m 0700 "$scratch/runtime" "$home"
  session_pid=""
  cleanup() {
    if [ -n "$session_pid" ]; then
      # The session is a process group of its own: end all of it, then whatever lingers.
      kill -TERM -- "-$session_pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 -- "-$session_pid" 2>/dev/null || break; sleep 0.1; done
      kill -KILL -- "-$session_pid" 2>/dev/null || true
    fi
    rm -rf "$scratch"
  }
  trap cleanup EXIT
  # The command runs in the session, not in its own group, so it too ends with the session.
  env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS -u SESSION_MANAGER \
    ORVEX_GNOME_SESSION="$scratch" ORVEX_SESSION_MONITORS="${monitors[*]}" \
    XDG_RUNTIME_DIR="$scratch/runtime" HOME="$home" \
    XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_STATE_HOME="$home/.local/state" XDG_CACHE_HOME="$home/.cache" \
    XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=memory \
    setsid dbus-run-session -- "$0" "$@" &
  session_pid=$!
  status=0
  wait "$session_pid" || status=$?
  exit "$status"
fi

# Inside the session's bus.
scratch="$ORVEX_GNOME_SESSION"
unset ORVEX_GNOME_SESSION
export ORVEX_SESSION_LOG="$scratch/mutter.log"

wait_for() {  # wait_for WHAT CONDITION...: up to 10 s
  local what=$1
  shift
  for _ in $(seq 200); do "$@" 2>/dev/null && return 0; sleep 0.05; done
  echo "$what did not start" >&2
  [ -f "$ORVEX_SESSION_LOG" ] && tail -20 "$ORVEX_SESSION_LOG" >&2
  exit 1
}

pipewire >"$scratch/pipewire.log" 2>&1 &
wait_for PipeWire test -S "$XDG_RUNTIME_DIR/pipewire-0"
wireplumber >"$scratch/wireplumber.log" 2>&1 &
pipewire-pulse >"$scratch/pipewire-pulse.log" 2>&1 &

monitor_options=()
for monitor in $ORVEX_SESSION_MONITORS; do monitor_options+=(--virtual-monitor "$monitor"); done
unset ORVEX_SESSION_MONITORS
export WAYLAND_DISPLAY=wayland-orvex
# Without animations: a window that just mapped would be captured half faded in.
MUTTER_DEBUG_DISABLE_ANIMATIONS=1 mutter --headless --wayland --no-x11 "${monitor_options[@]}" \
  --wayland-display "$WAYLAND_DISPLAY" >"$ORVEX_SESSION_LOG" 2>&1 &
wait_for mutter timeout 10 gdbus wait --session org.gnome.Mutter.ScreenCast
wait_for "mutter's Wayland socket" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
# The portals start on demand from the bus and must see this session, not the caller's.
dbus-update-activation-environment WAYLAND_DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE \
  XDG_RUNTIME_DIR HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_STATE_HOME XDG_CACHE_HOME \
  GSETTINGS_BACKEND

"$@"
