#!/usr/bin/env bash
# Checks that the program loads none of the libraries it reaches through forwarders, and that
# each forwarded name is one the shared libraries link (so a new soname is noticed):
# program_libraries.sh READELF PROGRAM FORWARDERS_SOURCE SHARED_LIBRARY...
set -euo pipefail
readelf_tool="$1"
program="$2"
forwarders="$3"
shift 3
needed() { "$readelf_tool" -d "$@" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort -u; }
mapfile -t forwarded < <(grep -o 'LazyLibrary [a-z]*("[^"]*")' "$forwarders" | sed 's/.*("\(.*\)")/\1/')
[ ${#forwarded[@]} -gt 0 ] || { echo "no forwarded library found in $forwarders"; exit 1; }
status=0
for library in "${forwarded[@]}"; do
  if needed "$program" | grep -qxF "$library"; then
    echo "$program loads $library at start: a function of it is called without a forwarder"
    echo "  (add it to $forwarders)"
    status=1
  fi
  if ! needed "$@" | grep -qxF "$library"; then
    echo "$library is not linked by $*: its forwarders open a library the build does not use"
    status=1
  fi
done
# Built with the C++ library linked in (STATIC_CXX=1), the program loads no library built on
# the shared one: relocating it was most of a short run.
if [ "${STATIC_CXX:-0}" = 1 ]; then
  for library in $(needed "$program" | grep -E '^lib(stdc\+\+|fmt|simdjson)\.'); do
    echo "$program loads $library at start: it should carry it, or load it when used"
    status=1
  done
fi
echo "${#forwarded[@]} libraries forwarded"
exit $status
