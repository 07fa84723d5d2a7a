#!/usr/bin/env bash
# Runs a Windows program under Wine in a throwaway prefix of its own, then ends that prefix's
# Wine processes and removes it. Wine's user32 needs an X display: run this on a virtual one,
# e.g. tests/x11/with_virtual_display.sh with_wine.sh PROGRAM.exe [ARGS...]
set -euo pipefail

scratch=$(mktemp -d)
export WINEPREFIX="$scratch/prefix"
export WINEDEBUG=-all
# No Mono or Gecko: their install prompts would wait for a click that never comes.
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# Made before the program starts, so that the prefix's chatter stays out of the program's output.
wine wineboot -i >"$scratch/wineboot.log" 2>&1 ||
  { cat "$scratch/wineboot.log" >&2; echo "could not make a Wine prefix" >&2; exit 1; }
wine "$@"
