#!/usr/bin/env bash
# Checks, with nm, that the shared library exports exactly the functions its C interface
# header declares, and nothing of the C++ inside: shared_library_exports.sh NM LIBRARY HEADER
set -euo pipefail
nm_tool="$1"
library="$2"
header="$3"

# "TAVIKFW_API <type> Name(" declarations, which may wrap before the parenthesis.
declared=$(tr '\n' ' ' <"$header" | grep -o 'TAVIKFW_API[^;(]*(' |
  sed 's/($//; s/.*[^A-Za-z0-9_]//' | sort -u)
# Defined dynamic symbols, less the linker's own.
exported=$("$nm_tool" -D --defined-only "$library" | awk '{ print $NF }' |
  grep -v -x -e _init -e _fini -e __bss_start -e _edata -e _end | sort -u)

missing=$(comm -23 <(printf '%s\n' "$declared") <(printf '%s\n' "$exported"))
extra=$(comm -13 <(printf '%s\n' "$declared") <(printf '%s\n' "$exported"))
echo "$(grep -c . <<<"$exported") exported, $(grep -c . <<<"$declared") declared"
[ -z "$missing" ] || printf 'MISSING export: %s\n' $missing
[ -z "$extra" ] || printf 'UNEXPECTED export: %s\n' $extra
[ -z "$missing" ] && [ -z "$extra" ]
