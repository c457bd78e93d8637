#!/bin/bash
# Checks that every file in <root>/src includes only from its own folder and
# from folders on lower levels. The levels follow the targets' link
# dependencies; folders on one level do not use each other.
#   check-includes.sh <source root>
set -uo pipefail

LEVELS=(
  "runtime"
  "streaming archiveformat resconst"
  "dialogs"
  "payload toolkit"
  "setup"
)

root=${1:?usage: check-includes.sh <source root>}
declare -A level
for i in "${!LEVELS[@]}"; do
  for folder in ${LEVELS[$i]}; do level[$folder]=$i; done
done

failures=0
while IFS= read -r -d '' file; do
  rel=${file#"$root/src/"}
  own=${rel%%/*}
  if [[ -z ${level[$own]+x} ]]; then
    echo "$rel: folder $own has no level"
    failures=$((failures + 1))
    continue
  fi
  while IFS=: read -r line include; do
    case $include in
      ../*|*/../*)
        echo "$rel:$line: climbs out of its folder: $include"
        failures=$((failures + 1)) ;;
      */*)
        used=${include%%/*}
        if [[ -z ${level[$used]+x} ]]; then
          echo "$rel:$line: includes from $used, which has no level: $include"
          failures=$((failures + 1))
        elif [[ $used != "$own" && ${level[$used]} -ge ${level[$own]} ]]; then
          echo "$rel:$line: $own includes from $used, which is not below it: $include"
          failures=$((failures + 1))
        fi ;;
    esac
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
           sed -E 's/^([0-9]+):[^"]*"([^"]*)".*/\1:\2/')
done < <(find "$root/src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)

if ((failures > 0)); then
  echo "$failures include(s) against the order of the folders"
  exit 1
fi
echo "every include runs down the order of the folders"
