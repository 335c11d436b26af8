#!/usr/bin/env bash
# Runs one Windows program under Wine (CMake's emulator for the cross build).
# Without an X display it brings its own Xvfb for this one run; with-wine.sh
# provides one display and one wineserver for a whole test run instead.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$@"
fi
exec wine "$@"
