#!/usr/bin/env bash
# Starts a command on $DISPLAY, prints the class (the second string of WM_CLASS) of the first
# window it shows, and stops it. Usage: window_class.sh COMMAND [ARGS...]
set -euo pipefail
"$@" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT
window="$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)" ||
  { echo "$1 showed no window" >&2; exit 1; }
xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p'
