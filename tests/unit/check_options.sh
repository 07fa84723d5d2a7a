#!/bin/sh
# The real executable's answers where the shared parser cannot see them: an answer that its
# stream refuses, an argument with an escape sequence on the way to the terminal, and the
# start-up error under a Japanese and another locale.
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

if "$program" --help >/dev/full 2>/dev/null; then fail "--help into a full disk succeeded"; fi
"$program" --help 2>&1 >/dev/full | grep -q "cannot write the output" || fail "no message"
"$program" --version --bogus >/dev/null 2>&1
[ $? -eq 2 ] || fail "--version --bogus is no misuse"
escape=$(printf '\033')
"$program" "--${escape}[31m" 2>&1 | grep -q "$escape" && fail "an escape reached the terminal"
"$program" "--${escape}[31m" 2>&1 | grep -qF "\$'--\\e[31m'" || fail "the argument is not shown"
env -u DISPLAY LC_ALL=C "$program" 2>&1 | grep -q "cannot start: DISPLAY is not set" ||
  fail "no English line under the C locale"
env -u DISPLAY LC_ALL=ja_JP.UTF-8 "$program" 2>&1 | grep -q "cannot start" &&
  fail "an English line for a Japanese reader"
exit 0
