#!/usr/bin/env bash
# Runs a program of the Windows build under Wine: wine-run.sh PROGRAM.exe [ARGUMENTS...].
# The Wine prefix is the build's own (beside its bin/ folder) unless WINEPREFIX names one; it
# is made quietly on first use, without the .NET and HTML engines, which nothing here needs.
# It gets the fonts of a Windows machine: Wine's own ("MS Sans Serif", "System" and the other
# raster faces, which a 64-bit-only Wine leaves out of the prefix) in its Fonts folder, and
# the Liberation faces standing in for Arial, Times New Roman and Courier New, whose metrics
# they share.
set -euo pipefail
program="$1"
shift
if [ -z "${WINEPREFIX:-}" ]; then
  WINEPREFIX="$(cd "$(dirname "$program")/.." && pwd)/wineprefix"
fi
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine_program=$(command -v wine64 || command -v wine || true)
[ -x /usr/lib/wine/wine64 ] && wine_program=/usr/lib/wine/wine64
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
if [ -z "$wine_program" ]; then
  echo "wine-run.sh: Wine is not installed (scripts/setup.sh installs it)" >&2
  exit 127
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$wine_program" wineboot --init >/dev/null 2>&1 || true
      fonts="$WINEPREFIX/drive_c/windows/Fonts"
      mkdir -p "$fonts"
      cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
      replacements="$WINEPREFIX/font-replacements.reg"
      {
        printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        printf '"Arial"="Liberation Sans"\r\n"Arial Narrow"="Liberation Sans Narrow"\r\n'
        printf '"Times New Roman"="Liberation Serif"\r\n"Courier New"="Liberation Mono"\r\n'
      } >"$replacements"
      "$wine_program" regedit /S 'Z:'"${replacements//\//\\}" >/dev/null 2>&1 || true
      "$wineserver" -w 2>/dev/null || true
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# Wine keeps its server and desktop alive for a moment after the last program ends, bound to
# the display it started on: a program for another display (or for none) would find no
# windows there, so that server is stopped first.
(
  flock 9
  mark="$WINEPREFIX/.display"
  if [ "$(cat "$mark" 2>/dev/null)" != "${DISPLAY:-none}" ]; then
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
    echo "${DISPLAY:-none}" >"$mark"
  fi
) 9>"$WINEPREFIX.lock"
exec "$wine_program" "$program" "$@"
