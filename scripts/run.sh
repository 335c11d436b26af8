#!/usr/bin/env bash
# run.sh [NUMBER]: builds everything and runs the main job: the stand-in host
# loads orvara.dll beside the shipped message modules, opens ORVA through its
# menu item and looks NUMBER up (A2008 by default) in the add-in's own window.
# Without an X display it runs under a private Xvfb, prints the lookup
# window's fields and writes build/windows/ide/screenshot.png; with a display
# the host stays open for use (F1 or a double-click on a number in its text
# window looks it up as well).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
number=${1:-A2008}
ide=build/windows/ide

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/with-wine.sh wine "$ide/stand-in-host.exe" --lookup "$number" --interactive
fi

rm -f "$ide/screenshot.bmp" "$ide/screenshot.png"
scripts/with-wine.sh wine "$ide/stand-in-host.exe" --lookup "$number" \
  --screenshot "$(echo "$ide/screenshot.bmp" | tr / '\\')"
convert "$ide/screenshot.bmp" "$ide/screenshot.png" && rm -f "$ide/screenshot.bmp"
echo "Screenshot: $ide/screenshot.png"
