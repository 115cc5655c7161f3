#!/usr/bin/env bash
# Checks, with the toolchain's objdump, that the DLL exports every entry point of its external
# interface under its plain name and imports the model access library's functions by name
# from that library's DLL: check_exports.sh OBJDUMP TAVIKFW_DLL BRENLO_DLL_NAME
set -euo pipefail
objdump="$1"
dll="$2"
brenlo="$3"

exported=(
  DoForwardEngineering SpecifyFormInfoDlgProc
  DoReverseEngineering
  RegisterClient UnRegisterClient RegisterObj UnRegisterObj IsObjRegistered GetFormRefCount
  AddControl AddDataControl AddProperty SetControlName SetControlHandle
  AllocateVB3Visualizer AllocateVB4Visualizer
)
imported=(
  BR_Start BR_Done BR_GetFirstEntity BR_GetNextEntity BR_GetFirstAttribute BR_GetNextAttribute
  BR_GetFirstLink BR_GetNextLink BR_GetFirstLinkAttrib BR_GetNextLinkAttrib
  BR_GetFirstProperty BR_GetNextProperty
)

dump=$("$objdump" -p "$dll")

# The name table: "[ordinal] name" lines after "[Ordinal/Name Pointer] Table".
export_names=$(printf '%s\n' "$dump" |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[\s*[0-9]*\]\s*\(\S*\)$/\1/p')
# The functions imported from the model access library's DLL.
import_names=$(printf '%s\n' "$dump" |
  awk -v dll="$brenlo" '
    /^[[:space:]]*DLL Name:/ { current = $3; next }
    current == dll && /^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[^[:space:]]+$/ { print $3 }')

failures=0
echo "tavikfw.dll exports $(printf '%s\n' "$export_names" | grep -c .) names:"
printf '  %s\n' $export_names
for name in "${exported[@]}"; do
  if ! grep -qx "$name" <<<"$export_names"; then
    echo "MISSING export: $name"
    failures=$((failures + 1))
  fi
done
if ! grep -q "DLL Name: $brenlo" <<<"$dump"; then
  echo "MISSING import of $brenlo"
  failures=$((failures + 1))
fi
for name in "${imported[@]}"; do
  if ! grep -qx "$name" <<<"$import_names"; then
    echo "MISSING import from $brenlo: $name"
    failures=$((failures + 1))
  fi
done
# A host's model access library serves these functions only: anything more fails the load.
for name in $import_names; do
  if ! printf '%s\n' "${imported[@]}" | grep -qx "$name"; then
    echo "UNEXPECTED import from $brenlo: $name"
    failures=$((failures + 1))
  fi
done
# Nothing of the C++ standard library or the compiler's runtime is left to other DLLs.
for runtime in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  if grep -qi "DLL Name: $runtime" <<<"$dump"; then
    echo "UNEXPECTED import of $runtime"
    failures=$((failures + 1))
  fi
done
total=$(( ${#exported[@]} + ${#imported[@]} + 5 ))
echo "$((total - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
