#!/usr/bin/env bash
# Measures a generation against copying its output, side by side, as the speed marks are
# stated: whole process, user + system CPU, best of three runs each, and the peak resident
# size against three times the form plus 50 MB.
# Usage: bench/against_cp.sh [entities] [attributes]   (after a release build)
set -euo pipefail
entities=${1:-1000}
attributes=${2:-10}
bin=$(cd "$(dirname "$0")/.." && pwd)/build-release/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$bin/make_model" "$entities" "$attributes" >model.json
touch x.ini

# Prints "cpu_seconds peak_kib" of the best (least CPU) of three runs of the command.
best_of_three() {
  for _ in 1 2 3; do
    /usr/bin/time -f "%U %S %M" -o t.txt "$@" >/dev/null 2>&1
    awk '{ printf "%.3f %d\n", $1 + $2, $3 }' t.txt
  done | sort -n | head -1
}

read -r gen_cpu gen_kib < <(best_of_three "$bin/tavikfw" generate model.json --name Bench \
  -o B.FRM --settings x.ini)
# One copy is below the clock's resolution: twenty are timed and divided.
read -r cp20_cpu _ < <(best_of_three bash -c 'for i in $(seq 20); do cp B.FRM C.FRM; done')
form_bytes=$(stat -c %s B.FRM)
awk -v g="$gen_cpu" -v c="$cp20_cpu" -v k="$gen_kib" -v f="$form_bytes" 'BEGIN {
  cp = c / 20
  printf "form %.1f MB; generate %.3f s CPU, cp %.4f s: %.1f times (mark 20)\n", f / 1e6, g, cp, g / cp
  printf "peak %.1f MB against 3 x form + 50 = %.1f MB\n", k * 1024 / 1e6, (3 * f + 50e6) / 1e6
}'
