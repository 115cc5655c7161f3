#!/usr/bin/env bash
# Builds the fuzz targets (fuzz preset) and runs each for SECONDS (60 by default) over its
# corpus. What a run adds goes to a scratch folder, so the corpus in the tree stays as it is;
# a crash, leak or hang fails the script and leaves its input in that folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake --preset fuzz
cmake --build --preset fuzz
scratch="$(mktemp -d)"
run() { # target, then the target's own options
  local target="$1"
  shift
  mkdir -p "$scratch/$target"
  echo "fuzzing $target for $seconds seconds"
  if ! "build-fuzz/bin/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$scratch/$target/" "$@" "$scratch/$target" "fuzz/corpus/$target" \
    >"$scratch/$target.log" 2>&1; then
    cat "$scratch/$target.log"
    echo "$target failed; its input is in $scratch/$target/" >&2
    return 1
  fi
  tail -n 16 "$scratch/$target.log"
}
run model_loader -dict=fuzz/json.dict
run form_file_reader
run generation -timeout=30 -dict=fuzz/json.dict
run model_shape -timeout=30 -max_len=2048
run form_views -timeout=30 -max_len=8192
run form_nesting -timeout=30 -max_len=65536
rm -rf "$scratch"
