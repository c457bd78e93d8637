#!/bin/bash
# Checks the name the removal gives the copy of the application it starts,
# read from the image's wide strings (the name's fixed part, "lvx-..."): a
# program without a manifest whose name holds one of these words is taken
# for an installer and started elevated by the system, which a copy made by
# an unelevated process then cannot be.
#   check-copy-name.sh EXE
set -euo pipefail
exe=$1
names=$(strings -a -el "$exe" | grep -i '^lvx-' || true)
[ -n "$names" ] || { echo "$exe: no name for the copy found"; exit 1; }
if grep -Ei 'install|setup|update|patch' <<<"$names"; then
  echo "$exe: the copy's name holds a word of the installer detection"
  exit 1
fi
echo "$exe: the copy is named" $names
