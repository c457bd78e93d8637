#!/bin/bash
# Runs a Windows program in a throwaway copy of a Wine prefix, for tests that
# change what the setup owns (its registry keys, its folders). Give it the
# pristine prefix: nothing runs in that one, so the copy is consistent. The
# copy and its wineserver are gone afterwards; the program's exit code is
# returned.
#   run-in-prefix-copy.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

prefix=$1
shift
copy=$(mktemp -d "${TMPDIR:-/tmp}/lvprefix.XXXXXX")
export WINEPREFIX=$copy/wine

cleanup() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$copy"
}
trap cleanup EXIT

cp -a "$prefix" "$WINEPREFIX"
lv_start_wineserver
status=0
wine "$@" || status=$?
exit $status
