#!/usr/bin/env bash
# Checks that Windows programs are single files: they import DLLs of Windows itself and
# nothing that would have to be shipped beside them (libstdc++-6.dll, libwinpthread-1.dll, ...).
# Usage: check_imports.sh PROGRAM.exe...
set -euo pipefail

system_dlls='^(advapi32|comctl32|comdlg32|dwmapi|gdi32|imm32|kernel32|msvcrt|ole32|oleaut32|shell32|shlwapi|user32|uxtheme|version|winmm)\.dll$'
status=0
for program in "$@"; do
  imports=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\s*DLL Name: //p')
  [ -n "$imports" ] || { echo "$program: no imports found" >&2; status=1; }
  for dll in $imports; do
    if [[ ! "${dll,,}" =~ $system_dlls ]]; then
      echo "$program imports $dll, which is not part of Windows" >&2
      status=1
    fi
  done
  echo "$program imports:" $imports
done
exit $status
