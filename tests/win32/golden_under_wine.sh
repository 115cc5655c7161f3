#!/usr/bin/env bash
# One golden case under Wine:
#   golden_under_wine.sh cli|host CASE_DIR WORK_ROOT WINE_RUN TAVIKFW_EXE HOST_EXE FEATURED_EXE
#                        [NATIVE_TAVIKFW]
# cli:  tavikfw.exe generate with the case's options; the form, the messages and the status
#       must be the case's expected ones.
# host: the test host loads tavikfw.dll by name and runs forward engineering, the dialog
#       answered by a script made from the case's options. The library measures the screen of
#       the Wine session, so the reference is the Linux tavikfw run on that same screen
#       (without it, the case's own expected files, when the case keeps the default screen).
#       The record features asked for on the command line (--position, --find, --cancel,
#       --order, --lookup) are put into a copy of the model by FEATURED_EXE, as the command
#       line puts them into the model it loads: the dialog has no fields for them.
#       A name the dialog refuses keeps it open: the script then cancels, which ends the run
#       with 0 and writes nothing. The line "golden file: ..." tells how the form compares
#       with the case's expected form.
# GOLDEN_VB, when set, is the version to run the case for (a case listing its "versions").
# Exit 77 (skipped) when there is nothing to compare with.
set -uo pipefail
mode="$1" case_dir="$2" work_root="$3" wine_run="$4" cli="$5" host="$6" featured="$7"
native="${8:-}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
name="$(basename "$case_dir")"
work="$work_root/$mode/$name${GOLDEN_VB:-}"
rm -rf "$work"
mkdir -p "$work"

windows_path() { local path="${1//\//\\}"; echo "Z:$path"; }

mapfile -t options < <(sed -e "s|{case}|$case_dir|g" -e "s|{root}|$root|g" "$case_dir/options" |
  grep -v '^$')
[ -n "${GOLDEN_VB:-}" ] && options+=(--vb "$GOLDEN_VB")

expected_status=0
[ -f "$case_dir/expected.status" ] && expected_status=$(tr -d '[:space:]' <"$case_dir/expected.status")
expected_messages="$case_dir/expected.stderr"
expected_form="$case_dir/expected.FRM"

# Paths in messages as the golden files write them.
normalise() { # Wine's own notes (lines starting "wine: ") are not the program's messages
  local case_windows work_windows
  case_windows="$(windows_path "$case_dir")"
  work_windows="$(windows_path "$work")"
  sed -e "s|${case_windows//\\/\\\\}\\\\|{case}/|g" -e "s|${case_windows//\\/\\\\}|{case}|g" \
      -e "s|${work_windows//\\/\\\\}\\\\|{work}/|g" -e "s|${work_windows//\\/\\\\}|{work}|g" \
      -e "s|$case_dir|{case}|g" -e "s|$work|{work}|g" -e 's/\r$//' -e '/^wine: /d'
}

# A known difference is shown, measured, and does not fail the case.
known=$(sed -n "s/^$mode $name: //p" "$(dirname "$0")/known_differences")

failures=0
check_equal() { # what expected-file actual-file
  if [ -f "$2" ] && cmp -s "$2" "$3"; then
    echo "same $1"
  elif [ ! -f "$2" ] && [ ! -s "$3" ]; then
    echo "same $1 (none)"
  else
    echo "DIFFERENT $1:"
    local expected="$2"
    [ -f "$expected" ] || expected=/dev/null
    echo "  $(diff "$expected" "$3" | grep -c '^>') of $(grep -c '' <"$expected") lines differ"
    diff -u "$expected" "$3" 2>&1 | sed 's/\r/<CR>/g' | head -40
    if [ -n "$known" ]; then
      echo "known difference: $known"
    else
      failures=$((failures + 1))
    fi
  fi
}

option_value() { # the value after the option, or nothing
  local at
  for ((at = 0; at < ${#options[@]} - 1; at++)); do
    [ "${options[$at]}" = "$1" ] && { echo "${options[$((at + 1))]}"; return 0; }
  done
  return 1
}

if [ "$mode" = cli ]; then
  arguments=(generate)
  for option in "${options[@]}"; do
    [[ "$option" == /* ]] && option="$(windows_path "$option")"
    arguments+=("$option")
  done
  arguments+=(-o "$(windows_path "$work/FORM.FRM")" --settings "$(windows_path "$work/TAVIK.INI")")
  option_value --on-entity-error >/dev/null || arguments+=(--on-entity-error stop)
  "$wine_run" "$cli" "${arguments[@]}" >"$work/stdout" 2>"$work/stderr.raw" </dev/null
  status=$?
  normalise <"$work/stderr.raw" >"$work/stderr"
  echo "status $status (expected $expected_status)"
  [ "$status" = "$expected_status" ] || failures=$((failures + 1))
  check_equal messages "$expected_messages" "$work/stderr"
  if [ -f "$expected_form" ]; then
    check_equal form "$expected_form" "$work/FORM.FRM"
  elif [ -f "$work/FORM.FRM" ]; then
    echo "DIFFERENT form: one was written where none may be"
    failures=$((failures + 1))
  fi
  echo "$((3 - failures)) passed, $failures failed"
  [ "$failures" -eq 0 ]
  exit
fi

# host: the dialog's answers from the case's options; the record features, which the dialog
# has no fields for, in the model it is given.
model="${options[0]}"
features=()
for ((at = 1; at < ${#options[@]}; at++)); do
  case "${options[$at]}" in
  --position | --find | --cancel) features+=("${options[$at]}") ;;
  --order | --lookup) features+=("${options[$at]}" "${options[$((at + 1))]}") ;;
  esac
done
if [ ${#features[@]} -gt 0 ]; then
  "$wine_run" "$featured" "$(windows_path "$model")" "$(windows_path "$work/model.json")" \
    "${features[@]}" </dev/null || { echo "the model with the record features was not written"; exit 1; }
  model="$work/model.json"
fi
script="$work/script"
{
  echo "type 1014 $(option_value --connect)"
  echo "type 1015 $(option_value --database)"
  echo "type 1017 $(option_value --name)"
  echo "type 1018 $(option_value --caption)"
  echo "type 1020 $(windows_path "$work/FORM.FRM")"
  echo "click ok"
  # The CLI's 64: the dialog refused its answers and stays open.
  [ "$expected_status" = 64 ] && echo "click cancel"
} >"$script"
host_arguments=("$(windows_path "$model")" --script "$(windows_path "$script")"
  --vb "$(option_value --vb || echo 4)"
  --on-entity-error "$(option_value --on-entity-error || echo stop)")
"$wine_run" "$host" "${host_arguments[@]}" >"$work/stdout" 2>"$work/stderr.raw" </dev/null
status=$?
normalise <"$work/stderr.raw" >"$work/stderr"

# The reference: Linux on the Wine session's screen, else the golden files.
metrics=$("$wine_run" "$host" --metrics | tr -d '\r')
echo "screen of the Wine session: $metrics (pixels, pixels per inch)"
reference="$work/reference"
mkdir -p "$reference"
if [ -n "$native" ] && [ -x "$native" ]; then
  native_options=()
  skip=0
  for option in "${options[@]}"; do
    if [ "$skip" = 1 ]; then skip=0; continue; fi
    case "$option" in --screen | --dpi) skip=1; continue ;; esac
    native_options+=("$option")
  done
  option_value --on-entity-error >/dev/null || native_options+=(--on-entity-error stop)
  "$native" generate "${native_options[@]}" --screen "${metrics% *}" --dpi "${metrics#* }" \
    -o "$work/FORM.FRM.linux" --settings "$reference/TAVIK.INI" \
    >/dev/null 2>"$reference/stderr.raw" </dev/null
  reference_status=$?
  sed -e "s|$work/FORM.FRM.linux|$work/FORM.FRM|g" "$reference/stderr.raw" | normalise >"$reference/stderr"
  [ -f "$work/FORM.FRM.linux" ] && mv "$work/FORM.FRM.linux" "$reference/FORM.FRM"
  echo "reference: Linux tavikfw on the same screen"
elif option_value --screen >/dev/null || option_value --dpi >/dev/null; then
  echo "skipped: the case has a screen of its own and the Linux tavikfw is not built"
  exit 77
else
  reference_status=$expected_status
  [ -f "$expected_messages" ] && cp "$expected_messages" "$reference/stderr"
  [ -f "$expected_form" ] && cp "$expected_form" "$reference/FORM.FRM"
  echo "reference: the case's expected files"
fi
# Cancelled after the refusal: 0, and nothing written.
if [ "$reference_status" = 64 ]; then
  reference_status=0
  rm -f "$reference/FORM.FRM"
fi
echo "status $status (reference $reference_status)"
[ "$status" = "$reference_status" ] || failures=$((failures + 1))
check_equal messages "$reference/stderr" "$work/stderr"
if [ -f "$reference/FORM.FRM" ]; then
  check_equal form "$reference/FORM.FRM" "$work/FORM.FRM"
elif [ -f "$work/FORM.FRM" ]; then
  echo "DIFFERENT form: one was written where none may be"
  failures=$((failures + 1))
fi
if [ -f "$expected_form" ] && [ -f "$work/FORM.FRM" ]; then
  if cmp -s "$expected_form" "$work/FORM.FRM"; then
    echo "golden file: the same"
  else
    echo "golden file: differs in $(diff "$expected_form" "$work/FORM.FRM" | grep -c '^[<>]') lines"
    diff "$expected_form" "$work/FORM.FRM" | sed 's/\r$//' | head -20
  fi
fi
echo "$((3 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
