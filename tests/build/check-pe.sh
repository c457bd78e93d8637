#!/bin/bash
# Checks that a Windows executable is PE32 for i386, uses the GUI subsystem
# and imports only Windows system DLLs.
set -euo pipefail
exe=$1
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|comctl32|msvcrt)\.dll$'

dump=$(i686-w64-mingw32-objdump -p "$exe")
fail=0
grep -q 'file format pei-i386' <<<"$dump" || { echo "$exe: not a PE32 i386 image"; fail=1; }
grep -Eq '^Magic[[:space:]]+010b' <<<"$dump" || { echo "$exe: not a PE32 (32-bit) optional header"; fail=1; }
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$dump" || { echo "$exe: not the GUI subsystem"; fail=1; }

dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
[ -n "$dlls" ] || { echo "$exe: no imports found"; fail=1; }
while read -r dll; do
  [ -z "$dll" ] && continue
  if ! tr 'A-Z' 'a-z' <<<"$dll" | grep -Eq "$allowed"; then
    echo "$exe: imports $dll"
    fail=1
  fi
done <<<"$dlls"

echo "$exe imports:" $dlls
exit $fail
