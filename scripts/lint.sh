#!/usr/bin/env bash
# Checks the formatting of every source file and runs the enforced clang-tidy checks.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'include/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
clang-format --dry-run --Werror "${sources[@]}"
[ -f build/compile_commands.json ] || cmake --preset dev >/dev/null
mapfile -t units < <(git ls-files 'src/*.cpp' | grep -v '^src/platform/win32/')
printf '%s\n' "${units[@]}" | xargs -P 2 -n 8 clang-tidy -p build --quiet --extra-arg=-Wno-unknown-warning-option 2>/dev/null
