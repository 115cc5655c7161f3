#!/usr/bin/env bash
# One run of the test host under Wine, its dialog answered by a script:
#   host_case.sh CASE_DIR WORK_ROOT WINE_RUN HOST_EXE
# The case folder holds "model" (a path below the source folder), "script", optionally
# "arguments" (more options of the host, one per line), and what must come out:
# "expected.stderr", "expected.status" (0 when absent), "expected.stdout" (lines that standard
# output must hold, as grep patterns), "expected.FRM" (the form written to {work}/FORM.FRM;
# when absent, no form may be written there) and "expected.code" (a form file whose code part,
# after its form block, a live client must have been given in {work}/code.txt). {work} stands for the Windows path of the work
# folder, in every file.
set -uo pipefail
case_dir="$1" work_root="$2" wine_run="$3" host="$4"
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$work_root/$(basename "$case_dir")"
rm -rf "$work"
mkdir -p "$work"
windows_path() { local path="${1//\//\\}"; echo "Z:$path"; }
work_windows="$(windows_path "$work")"
substitute() { sed -e "s|{work}|${work_windows//\\/\\\\}|g" "$1"; }

substitute "$case_dir/script" >"$work/script"
arguments=("$(windows_path "$root/$(cat "$case_dir/model")")" --script "$work_windows\\script")
if [ -f "$case_dir/arguments" ]; then
  mapfile -t more < <(substitute "$case_dir/arguments")
  arguments+=("${more[@]}")
fi
"$wine_run" "$host" "${arguments[@]}" >"$work/stdout.raw" 2>"$work/stderr.raw" </dev/null
status=$?
tr -d '\r' <"$work/stdout.raw" >"$work/stdout"
# Wine's own notes (lines starting "wine: ") are not the program's messages.
tr -d '\r' <"$work/stderr.raw" | grep -v '^wine: ' >"$work/stderr"

failures=0 checks=0
check() { # description, condition result
  checks=$((checks + 1))
  if [ "$2" = 0 ]; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
expected_status=0
[ -f "$case_dir/expected.status" ] && expected_status=$(tr -d '[:space:]' <"$case_dir/expected.status")
[ "$status" = "$expected_status" ]
check "status $status, expected $expected_status" $?
if [ -f "$case_dir/expected.stderr" ]; then substitute "$case_dir/expected.stderr"; fi >"$work/expected.stderr"
diff -u "$work/expected.stderr" "$work/stderr"
check "messages" $?
if [ -f "$case_dir/expected.stdout" ]; then
  while IFS= read -r pattern; do
    grep -qE -- "$pattern" "$work/stdout"
    check "standard output holds: $pattern" $?
  done < <(substitute "$case_dir/expected.stdout")
fi
if [ -f "$case_dir/expected.FRM" ]; then
  cmp "$root/$(cat "$case_dir/expected.FRM")" "$work/FORM.FRM"
  check "the form written" $?
else
  [ ! -e "$work/FORM.FRM" ]
  check "no form written" $?
fi
if [ -f "$case_dir/expected.code" ]; then
  sed '1,/^End\r$/d' "$root/$(cat "$case_dir/expected.code")" >"$work/expected.code"
  cmp "$work/expected.code" "$work/code.txt"
  check "the code given to the live client" $?
fi
echo "--- standard output:"
cat "$work/stdout"
echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
