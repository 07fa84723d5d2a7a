#!/usr/bin/env bash
# Checks the zip for Windows users: it holds exactly the executable that was built and the
# read-me, and the read-me is what Notepad shows right (a UTF-8 byte-order mark, CR LF lines).
# Usage: check_windows_zip.sh orvex-capture_<version>_windows-x64.zip build-win/orvex-capture.exe
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 ZIP EXE" >&2; exit 2; }
zip="$(realpath "$1")"
exe="$(realpath "$2")"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

[ "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" = "README.txt orvex-capture.exe " ] ||
  fail "the zip does not hold exactly orvex-capture.exe and README.txt"
unzip -q "$zip" -d "$scratch"
cmp -s "$scratch/orvex-capture.exe" "$exe" || fail "the zip's executable is not the one built"
[ "$(head -c 3 "$scratch/README.txt" | od -An -tx1 | tr -d ' ')" = "efbbbf" ] ||
  fail "the read-me has no UTF-8 byte-order mark"
! grep -q $'[^\r]$' "$scratch/README.txt" || fail "the read-me has lines that do not end in CR LF"
grep -q 'Orvex画面キャプチャー' "$scratch/README.txt" || fail "the read-me lost its Japanese text"
echo "zip for Windows: OK"
