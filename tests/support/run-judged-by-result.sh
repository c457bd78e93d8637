#!/bin/bash
# Runs a 32-bit test executable through the 32-bit loader in the given prefix
# (a 64-bit prefix runs 32-bit programs too) and judges it by GoogleTest's own
# result line rather than the exit code: under the user-mode emulator a
# process now and then crashes at its exit after its work is done.
#   run-judged-by-result.sh PREFIX PROGRAM [ARGS...]
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

export WINEPREFIX=$1
shift
unset WINEARCH WINELOADER
log=$(mktemp)
trap 'rm -f "$log"' EXIT

wine "$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
if grep -q '^\[  FAILED  \]' "$log" || ! grep -Eq '^\[  PASSED  \] [1-9][0-9]* tests?\.' "$log"; then
  echo "run-judged-by-result: no passing result line (exit code $status)"
  exit 1
fi
[ "$status" = 0 ] || echo "run-judged-by-result: passed by its result line; the process ended with $status"
exit 0
