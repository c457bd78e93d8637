#!/bin/bash
# The packer lists an executable's FILES resource exactly as it lists the
# stream the resource was made from.
set -euo pipefail
lvpack=$1 stream=$2 exe=$3
expected=$("$lvpack" list "$stream")
actual=$("$lvpack" list "$exe")
if [ "$expected" != "$actual" ]; then
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi
tail -1 <<<"$actual"
