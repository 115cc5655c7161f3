#!/usr/bin/env bash
# Takes the pictures of the two dialogs in docs/, under a virtual X server, from the Windows
# build (cmake --preset mingw && cmake --build --preset mingw first).
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in Xvfb import convert; do
  command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is missing (apt-get install xvfb imagemagick)" >&2; exit 1; }
done
build="$PWD/build-mingw"
work="$build/screenshots"
mkdir -p "$work" docs
display=:77
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 1
export DISPLAY="$display"
windows_path() { local path="${1//\//\\}"; echo "Z:$path"; }
# A prefix of its own, where Wine draws the window frames itself, as there is no window
# manager to draw them.
export WINEPREFIX="$build/wineprefix-screenshots"
scripts/wine-run.sh wineboot >/dev/null 2>&1 || true
cat >"$work/frames.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
REG
scripts/wine-run.sh regedit /S "$(windows_path "$work/frames.reg")" >/dev/null 2>&1

snap() { # picture of the screen, cut to the window on it
  import -window root "$work/screen.png"
  convert "$work/screen.png" -trim +repage "$1"
}

# The form-information dialog, filled in, through the DLL.
cat >"$work/script" <<SCRIPT
type 1014 ODBC;DSN=Orders
type 1015 orders.mdb
type 1017 OrderEntry
type 1018 Order Entry
type 1020 C:\forms\ORDERENT.FRM
pause 4000
click cancel
SCRIPT
scripts/wine-run.sh "$build/bin/tavikfw_host.exe" "$(windows_path "$PWD/examples/order_entry.json")" \
  --script "$(windows_path "$work/script")" &
host=$!
sleep 3
snap docs/form-info-dialog.png
wait $host

# The reverse-engineering dialog over two running forms.
TAVIK_SCREENSHOT_PAUSE_MS=4000 scripts/wine-run.sh "$build/bin/tavikfw_win32_tests.exe" \
  --gtest_filter=ReverseEngineeringWindow.ListsTheRunningForms* >/dev/null &
tests=$!
sleep 3
snap docs/reverse-engineering-dialog.png
wait $tests
echo "docs/form-info-dialog.png docs/reverse-engineering-dialog.png"
