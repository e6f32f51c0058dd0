#!/usr/bin/env bash
# Checks that Vespermark.exe makes the loader bring in only the DLLs the
# first paint needs; accessibility, COM, the shell and the common controls
# are bound on first use (src/ui/system/system_library_win.h). Prints each
# DLL that should not be there and exits non-zero when there is one.
set -uo pipefail
EXE="${1:-$(cd "$(dirname "$0")/.." && pwd)/build/windows/src/app/Vespermark.exe}"
ALLOWED="kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll"

imports=$(x86_64-w64-mingw32-objdump -p "$EXE" | awk '/^\tDLL Name:/ { print tolower($3) }') || exit 1
[ -n "$imports" ] || { echo "$EXE: no import table read"; exit 1; }
breaches=0
for dll in $imports; do
  case " $ALLOWED " in
    *" $dll "*) ;;
    *) echo "$EXE imports $dll at load; bind it on first use instead"; breaches=$((breaches + 1)) ;;
  esac
done
[ "$breaches" -eq 0 ] && echo "imports: only $ALLOWED at load"
[ "$breaches" -eq 0 ]
