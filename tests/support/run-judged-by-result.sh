#!/bin/bash
# Runs a 32-bit test executable through the 32-bit loader in the given prefix
# (a 64-bit prefix runs 32-bit programs too) and judges it by GoogleTest's own
# result line rather than the exit code: under the user-mode emulator a
# process now and then crashes at its exit after its work is done, and now and
# then hangs in the middle of a case that passes in well under a second
# natively. A run that gives no result line within LV_SMOKE_ATTEMPT_SECONDS
# (420) is stopped and tried once more, saying so; a run that ends with a
# failure is not retried. With LV_JUDGED_IN_COPY=1 each attempt runs in a
# throwaway copy of PREFIX (give the pristine one), for tests that change what
# the setup owns.
#   run-judged-by-result.sh PREFIX PROGRAM [ARGS...]
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

prefix=$1
shift
unset WINEARCH WINELOADER
attempt_seconds=${LV_SMOKE_ATTEMPT_SECONDS:-420}
log=$(mktemp)
copy=
drop_copy() {
  if [ -n "$copy" ]; then
    WINEPREFIX=$copy/wine wineserver -k 2>/dev/null || true
    WINEPREFIX=$copy/wine wineserver -w 2>/dev/null || true
    rm -rf "$copy"
    copy=
  fi
}
trap 'rm -f "$log"; drop_copy' EXIT

for attempt in 1 2; do
  export WINEPREFIX=$prefix
  if [ "${LV_JUDGED_IN_COPY:-}" = 1 ]; then
    copy=$(mktemp -d "${TMPDIR:-/tmp}/lvprefix.XXXXXX")
    cp -a "$prefix" "$copy/wine"
    export WINEPREFIX=$copy/wine
  fi
  timeout --kill-after=10 "$attempt_seconds" wine "$@" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  drop_copy
  # 124 and 137: timeout stopped it.
  if [ "$status" != 124 ] && [ "$status" != 137 ]; then break; fi
  echo "run-judged-by-result: attempt $attempt gave no result in $attempt_seconds s under the emulator"
  [ "$attempt" = 1 ] && echo "run-judged-by-result: trying once more"
done

if grep -q '^\[  FAILED  \]' "$log" || ! grep -Eq '^\[  PASSED  \] [1-9][0-9]* tests?\.' "$log"; then
  echo "run-judged-by-result: no passing result line (exit code $status)"
  exit 1
fi
[ "$status" = 0 ] || echo "run-judged-by-result: passed by its result line; the process ended with $status"
exit 0
