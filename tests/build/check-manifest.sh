#!/bin/bash
# Checks the application manifest of a Windows executable, read from its
# resources: exactly one, for the image's processor architecture, asking for
# the given execution level without UI access, and naming every supported
# system from Vista to the present one (without the list the system runs the
# program in the compatibility mode of an older version).
#   check-manifest.sh FORMAT EXE LEVEL
set -euo pipefail
format=$1
exe=$2
level=$3
case $format in
  pei-i386) windres=i686-w64-mingw32-windres arch=x86 ;;
  pei-x86-64) windres=x86_64-w64-mingw32-windres arch=amd64 ;;
  *) echo "check-manifest.sh: unknown format $format"; exit 2 ;;
esac

rc=$($windres -J coff -i "$exe" -O rc)
count=$(grep -c '^[0-9A-Za-z_]* 24 /\* RT_MANIFEST \*/' <<<"$rc" || true)
[ "$count" = 1 ] || { echo "$exe: $count manifest resources, not 1"; exit 1; }
# The resource's text, its quoted lines unquoted.
manifest=$(awk '/ 24 \/\* RT_MANIFEST \*\//{m=1;next} m&&/^END/{exit}
  m&&/^  "/{sub(/^  "/,""); sub(/"$/,""); gsub(/""/,"\""); sub(/\\n$/,""); print}' <<<"$rc")

fail=0
expect() {  # DESCRIPTION PATTERN
  grep -Fq -- "$2" <<<"$manifest" || { echo "$exe: no $1 ($2)"; fail=1; }
}
expect "architecture of this width" "processorArchitecture=\"$arch\""
expect "execution level $level" "<requestedExecutionLevel level=\"$level\" uiAccess=\"false\"/>"
expect "compatibility section" '<compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1">'
for os in "Vista e2011457-1546-43c5-a5fe-008deee3d3f0" "7 35138b9a-5d96-4fbd-8e2d-a2440225f93a" \
          "8 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38" "8.1 1f676c76-80e1-4239-95bb-83d0f6d0da78" \
          "10 and 11 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"; do
  expect "supported system ${os% *}" "<supportedOS Id=\"{${os##* }}\"/>"
done
[ "$fail" = 0 ] && echo "$exe ($format): manifest $level for $arch, supported systems listed"
exit $fail
