#!/bin/bash
# Runs one fuzz target over input folders (a missing folder is skipped).
#   run-fuzzer.sh replay TARGET FOLDER...
#     every input once, whole: the seeds must pass, and so must every kept
#     reproducer of a fixed finding
#   run-fuzzer.sh short TARGET SECONDS MAX_LEN FOLDER...
#     fuzzes from the inputs for SECONDS into a scratch corpus thrown away
#     after; an input that fails is kept beside the target as crash-*,
#     leak-*, timeout-* or oom-*
set -euo pipefail

mode=$1 target=$2
shift 2
case $mode in
  replay)
    inputs=()
    for folder in "$@"; do
      [ -d "$folder" ] || continue
      while IFS= read -r -d '' file; do inputs+=("$file"); done < <(find "$folder" -type f -print0 | sort -z)
    done
    [ ${#inputs[@]} -gt 0 ] || { echo "run-fuzzer.sh: no inputs in $*" >&2; exit 1; }
    echo "replaying ${#inputs[@]} inputs"
    exec "$target" "${inputs[@]}"
    ;;
  short)
    seconds=$1 max_len=$2
    shift 2
    folders=()
    for folder in "$@"; do [ -d "$folder" ] && folders+=("$folder"); done
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    "$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$(dirname "$target")/" "$scratch" "${folders[@]}"
    ;;
  *)
    echo "run-fuzzer.sh: replay or short, not $mode" >&2
    exit 2
    ;;
esac
