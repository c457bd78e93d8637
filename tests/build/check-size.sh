#!/bin/bash
# Checks that setup.exe without its payload stays within its budget: the
# file's size minus the payload stream's (the FILES resource holds the
# stream's bytes as they are). A budget overrun means something heavy came
# into the link; bench/size maps what.
#   check-size.sh SETUP_EXE PAYLOAD BUDGET_BYTES
set -euo pipefail
program=$1 payload=$2 budget=$3
file=$(stat -c %s "$program")
stream=$(stat -c %s "$payload")
rest=$((file - stream))
echo "$program: $file bytes, payload $stream, without it $rest (budget $budget)"
[ "$rest" -le "$budget" ]
