#!/usr/bin/env bash
# Measures each command against the cost of its input and output, as the speed goals are
# stated, and prints the table of ratios that bench/RESULTS.md opens with.
#
# Each command is run side by side with its baseline (command, baseline, command, ...), so a
# change in the machine's load falls on both. The baseline is one process: `cp` of the
# command's output to a new file, or `cat` of its input to /dev/null. CPU (user + system) and
# peak resident size are the kernel's account of that one process (wait4, by
# build-release/bin/measure_run); the best and the median of RUNS runs are shown.
#
# Needs: the release build with its bench tools
#   cmake --preset release && cmake --build --preset release
# and valgrind for the start-up's instruction count (perf's counters are not available in
# every virtual machine). About two minutes on two idle cores; the machine's load average is
# printed before and after, since a busy machine moves the medians.
# Usage: bench/against_cp.sh [RUNS]   (RUNS: at least 5, 5 by default)
set -euo pipefail
runs=${1:-5}
((runs >= 5)) || { echo "against_cp.sh: at least 5 runs" >&2; exit 64; }
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build-release/bin
for tool in tavikfw measure_run make_model make_database; do
  [ -x "$bin/$tool" ] || { echo "against_cp.sh: $bin/$tool missing: build the release preset" >&2; exit 66; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
tavikfw=$bin/tavikfw

# Prints "best median" of column COLUMN (1 wall, 2 CPU, 3 peak KiB) of a file of runs.
best_median() {
  sort -g -k"$2,$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { printf "%s %s\n", v[1], v[int((NR + 1) / 2)] }'
}

# Runs the function $2 (the command) and $3 (its baseline) alternately, RUNS times each, after
# one unmeasured run of each that warms the page cache; the runs go to $1.cmd and $1.base.
interleave() {
  local name=$1 command=$2 baseline=$3
  "$command" >/dev/null
  "$baseline" >/dev/null
  : >"$name.cmd"
  : >"$name.base"
  for ((run = 0; run < runs; ++run)); do
    "$command" >>"$name.cmd"
    "$baseline" >>"$name.base"
  done
}

measure() { "$bin/measure_run" "$@"; }

# The inputs: models of 1,000, 2,000 and 4,000 entities, a database of 1,000 tables, and
# the model the database imports to (the output `import` is compared with).
"$bin/make_model" 1000 10 >m1000.json
"$bin/make_model" 2000 10 >m2000.json
"$bin/make_model" 4000 10 >m4000.json
"$bin/make_database" 1000 d1000.db
: >x.ini
# The 4,000-entity form is past Visual Basic's limits: its warnings are not news here.
"$tavikfw" generate m4000.json --name Bench -o big.FRM --settings x.ini >/dev/null 2>&1

generate_1000() { rm -f B.FRM; measure "$tavikfw" generate m1000.json --name Bench -o B.FRM --settings x.ini; }
copy_1000() { rm -f C.FRM; measure cp B.FRM C.FRM; }
generate_2000() { rm -f B2.FRM; measure "$tavikfw" generate m2000.json --name Bench -o B2.FRM --settings x.ini; }
copy_2000() { rm -f C2.FRM; measure cp B2.FRM C2.FRM; }
generate_4000() { rm -f B4.FRM; measure "$tavikfw" generate m4000.json --name Bench -o B4.FRM --settings x.ini; }
copy_4000() { rm -f C4.FRM; measure cp B4.FRM C4.FRM; }
# The file system skips inodes freed moments before when it makes files, so deleting a
# thousand files before making a thousand more measures that skipping: old trees are set aside,
# and deleted with the work directory at the end.
set_aside() { if [ -e "$1" ]; then mv "$1" "aside.$1.$((++aside_count))"; fi; }
aside_count=0
project_1000() { set_aside P; measure "$tavikfw" project d1000.db -o P --settings x.ini; }
copy_project() { set_aside Q; measure cp -r P Q; }
import_1000() { rm -f I.json; measure "$tavikfw" import d1000.db -o I.json; }
copy_import() { rm -f J.json; measure cp I.json J.json; }
inspect_big() { measure "$tavikfw" inspect big.FRM --json; }
cat_big() { measure cat big.FRM; }
example() { rm -f E.FRM; measure "$tavikfw" generate "$root/examples/order_entry.json" -o E.FRM --settings x.ini; }
copy_example() { rm -f F.FRM; measure cp E.FRM F.FRM; }

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
interleave gen1000 generate_1000 copy_1000
interleave gen2000 generate_2000 copy_2000
interleave gen4000 generate_4000 copy_4000
interleave project project_1000 copy_project
interleave import import_1000 copy_import
interleave inspect inspect_big cat_big
interleave example example copy_example
instructions=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$tavikfw" --version 2>&1 \
  | awk '/Collected/ { print $NF }')
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

mb() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1e6 }'; }
# One row: label, size, the run files' name, the column compared (2 CPU, 1 wall), the goal's
# ratio (or "-" for none).
ratio_row() {
  local label=$1 size=$2 name=$3 column=$4 goal=$5 unit
  read -r c_best c_median < <(best_median "$name.cmd" "$column")
  read -r b_best b_median < <(best_median "$name.base" "$column")
  unit=$([ "$column" = 1 ] && echo wall || echo CPU)
  awk -v l="$label" -v s="$size" -v cb="$c_best" -v cm="$c_median" -v bb="$b_best" \
    -v bm="$b_median" -v g="$goal" -v u="$unit" 'BEGIN {
    rb = cb / bb; rm = cm / bm
    verdict = g == "-" ? "" : (rm <= g ? "holds" : "NOT MET")
    printf "| %s | %s | %.4f / %.4f s %s | %.4f / %.4f s | %.1fx / %.1fx | %s | %s |\n",
      l, s, cb, cm, u, bb, bm, rb, rm, g == "-" ? "" : "<= " g "x", verdict
  }'
}
# One row of peak memory against FACTOR times the input or output of BYTES plus EXTRA MB.
memory_row() {
  local label=$1 name=$2 bytes=$3 factor=$4 extra=$5 what=$6
  read -r p_best p_median < <(best_median "$name.cmd" 3)
  awk -v l="$label" -v p="$p_median" -v b="$bytes" -v f="$factor" -v e="$extra" -v w="$what" 'BEGIN {
    peak = p * 1024 / 1e6; goal = f * b / 1e6 + e
    printf "| %s | %.1f MB %s | peak %.1f MB (median) | | | <= %.1f MB (%sx %s%s) | %s |\n",
      l, b / 1e6, w, peak, goal, f, w, (e > 0 ? " + " e " MB" : ""), (peak <= goal ? "holds" : "NOT MET")
  }'
}
# One row of absolute figures against absolute goals (project).
absolute_row() {
  read -r w_best w_median < <(best_median project.cmd 1)
  read -r c_best c_median < <(best_median project.cmd 2)
  read -r b_best b_median < <(best_median project.base 2)
  awk -v wb="$w_best" -v wm="$w_median" -v cb="$c_best" -v cm="$c_median" -v bb="$b_best" \
    -v bm="$b_median" 'BEGIN {
    printf "| project | 1,000 tables | %.2f / %.2f s wall, %.3f / %.3f s CPU | %.4f / %.4f s (cp -r) | %.1fx / %.1fx | <= 1.5 s wall, <= 0.7 s CPU | %s |\n",
      wb, wm, cb, cm, bb, bm, cb / bb, cm / bm, (wm <= 1.5 && cm <= 0.7) ? "holds" : "NOT MET"
  }'
}

form1000=$(stat -c %s B.FRM)
echo "# against_cp.sh, $(date -u '+%Y-%m-%d %H:%M UTC'), $runs runs each, $(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo '?')"
echo "load average (1, 5, 15 min): $load_before before, $load_after after; $(nproc) cores"
echo
echo "| command | size | command: best / median | baseline: best / median | ratio: best / median | goal | at the median |"
echo "|---|---|---:|---:|---:|---|---|"
ratio_row generate "1,000 entities ($(mb "$form1000") MB form)" gen1000 2 12
memory_row "generate peak memory" gen1000 "$form1000" 2 50 form
memory_row "generate peak memory" gen2000 "$(stat -c %s B2.FRM)" 2 50 form
memory_row "generate peak memory" gen4000 "$(stat -c %s B4.FRM)" 2 50 form
absolute_row
ratio_row import "1,000 tables ($(mb "$(stat -c %s I.json)") MB model)" import 2 15
ratio_row "inspect --json" "$(mb "$(stat -c %s big.FRM)") MB form (cat)" inspect 2 30
memory_row "inspect --json peak memory" inspect "$(stat -c %s big.FRM)" 3 0 input
ratio_row "the bundled example" "generate, settings on disk" example 2 -
read -r e_best e_median < <(best_median example.cmd 1)
awk -v b="$e_best" -v m="$e_median" 'BEGIN {
  printf "| the bundled example | wall time | %.1f / %.1f ms | | | < 10 ms | %s |\n",
    b * 1e3, m * 1e3, m < 0.010 ? "holds" : "NOT MET" }'
awk -v i="${instructions//,/}" 'BEGIN {
  printf "| start-up | `--version` | %.2f M instructions (callgrind) | | | < 2 M | %s |\n",
    i / 1e6, i < 2e6 ? "holds" : "NOT MET" }'
