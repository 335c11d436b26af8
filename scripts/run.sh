#!/usr/bin/env bash
# run.sh [NUMBER]: builds what the main job needs and runs it as a RadASM user
# meets it: the stand-in host loads orvara.dll beside the shipped message
# modules and shows a sample build log in its output pane (the first of
# stand_in_host/projects/*/build.log that names NUMBER, A2008 by default);
# then NUMBER is double-clicked there with the mouse, and ORVA explains it.
# A number that no sample log names is typed into ORVA, opened from its menu
# item. Without an X display it runs under a private Xvfb, prints the lookup
# window's fields and writes build/windows/ide/screenshot.png; with a display
# the host stays open for use. It says what it is doing at every stage, and
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

project=hello
for log in stand_in_host/projects/*/build.log; do
  if grep -qiwF -- "$number" "$log"; then
    project=$(basename "$(dirname "$log")")
    break
  fi
done
log=$(echo "$ide/Projects/$project/build.log" | tr / '\\')
echo "run: [4/4] starting the stand-in host under Wine with the build log of $project;" \
     "it looks $number up in ORVA"

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/with-wine.sh wine "$ide/stand-in-host.exe" --build-log "$log" --lookup "$number" --interactive
fi

rm -f "$ide/screenshot.bmp" "$ide/screenshot.png"
scripts/with-wine.sh wine "$ide/stand-in-host.exe" --build-log "$log" --lookup "$number" \
  --screenshot "$(echo "$ide/screenshot.bmp" | tr / '\\')"
convert "$ide/screenshot.bmp" "$ide/screenshot.png" && rm -f "$ide/screenshot.bmp"
echo "Screenshot: $ide/screenshot.png"
