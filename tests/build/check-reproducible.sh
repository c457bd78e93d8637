#!/bin/bash
# Builds setup.exe a second time, from a copy of the sources in another
# folder into another tree, and compares the program and its payload byte for
# byte with the ones given.
#   check-reproducible.sh SOURCE_ROOT TOOLCHAIN_NAME HOST_TOOLS SETUP_EXE PAYLOAD
set -euo pipefail
root=$1 toolchain=$2 tools=$3 program=$4 payload=$5

work=$(mktemp -d "${TMPDIR:-/tmp}/lvrepro.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/sources"
tar -C "$root" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/sources" -xf -
cmake -S "$work/sources" -B "$work/tree" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$work/sources/cmake/$toolchain" -DLV_HOST_TOOLS="$tools" \
  -DLV_OUT_DIR="$work/out" -DLV_WINEPREFIX="$work/wine" -DLV_SMOKE_PREFIX="$work/wine64" >/dev/null
cmake --build "$work/tree" -j2 --target setup_exe >/dev/null

cmp "$payload" "$work/out/res/FILES.z"
cmp "$program" "$work/out/setup.exe"
echo "the same bytes from $work/sources: setup.exe ($(stat -c %s "$program") bytes) and its payload"
