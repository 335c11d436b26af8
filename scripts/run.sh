#!/usr/bin/env bash
# run.sh [NUMBER]: builds what the main job needs and runs it: the stand-in
# host loads orvara.dll beside the shipped message modules, opens ORVA through
# its menu item and looks NUMBER up (A2008 by default) in the add-in's own
# window. Without an X display it runs under a private Xvfb, prints the lookup
# window's fields and writes build/windows/ide/screenshot.png; with a display
# the host stays open for use (F1 or a double-click on a number in its text
# window looks it up as well). It says what it is doing at every stage, and
# the build shows its own progress, so a first run on a fresh machine is not
# minutes of silence.
set -euo pipefail
cd "$(dirname "$0")/.."
number=${1:-A2008}
ide=build/windows/ide

echo "run: [1/4] installing what is missing (on a fresh machine this takes a few minutes)"
scripts/install-deps.sh
echo "run: [2/4] configuring the Windows build in build/windows"
cmake --preset windows >/dev/null
echo "run: [3/4] building the add-in, its six message modules, orva-lookup and the stand-in host"
cmake --build --preset windows --target stand-in-host orva-lookup
echo "run: [4/4] starting the stand-in host under Wine; it opens ORVA and looks $number up"

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/with-wine.sh wine "$ide/stand-in-host.exe" --lookup "$number" --interactive
fi

rm -f "$ide/screenshot.bmp" "$ide/screenshot.png"
scripts/with-wine.sh wine "$ide/stand-in-host.exe" --lookup "$number" \
  --screenshot "$(echo "$ide/screenshot.bmp" | tr / '\\')"
convert "$ide/screenshot.bmp" "$ide/screenshot.png" && rm -f "$ide/screenshot.bmp"
echo "Screenshot: $ide/screenshot.png"
