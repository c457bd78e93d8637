#!/bin/bash
# Runs a 32-bit test executable through the 32-bit loader in the given prefix
# (a 64-bit prefix runs 32-bit programs too) and judges it by GoogleTest's own
# result line rather than the exit code: under the user-mode emulator a
# process now and then crashes at its exit after its work is done. With
# LV_JUDGED_IN_COPY=1 it runs in a throwaway copy of PREFIX (give the pristine
# one), for tests that change what the setup owns.
#   run-judged-by-result.sh PREFIX PROGRAM [ARGS...]
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

export WINEPREFIX=$1
shift
unset WINEARCH WINELOADER
log=$(mktemp)
copy=
cleanup() {
  rm -f "$log"
  if [ -n "$copy" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$copy"
  fi
}
trap cleanup EXIT
if [ "${LV_JUDGED_IN_COPY:-}" = 1 ]; then
  copy=$(mktemp -d "${TMPDIR:-/tmp}/lvprefix.XXXXXX")
  cp -a "$WINEPREFIX" "$copy/wine"
  export WINEPREFIX=$copy/wine
fi

wine "$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
if grep -q '^\[  FAILED  \]' "$log" || ! grep -Eq '^\[  PASSED  \] [1-9][0-9]* tests?\.' "$log"; then
  echo "run-judged-by-result: no passing result line (exit code $status)"
  exit 1
fi
[ "$status" = 0 ] || echo "run-judged-by-result: passed by its result line; the process ended with $status"
exit 0
