#!/bin/bash
# Checks that a Windows executable is a PE image of the given format (pei-i386
# for PE32, pei-x86-64 for PE32+), uses the GUI subsystem and imports only
# Windows system DLLs.
#   check-pe.sh FORMAT EXE
set -euo pipefail
format=$1
exe=$2
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|msvcrt)\.dll$'
case $format in
  pei-i386) magic=010b objdump=i686-w64-mingw32-objdump ;;
  pei-x86-64) magic=020b objdump=x86_64-w64-mingw32-objdump ;;
  *) echo "check-pe.sh: unknown format $format"; exit 2 ;;
esac

dump=$($objdump -p "$exe")
fail=0
grep -q "file format $format\$" <<<"$dump" || { echo "$exe: not a $format image"; fail=1; }
grep -Eq "^Magic[[:space:]]+$magic" <<<"$dump" || { echo "$exe: optional header magic is not $magic"; fail=1; }
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

echo "$exe ($format) imports:" $dlls
exit $fail
