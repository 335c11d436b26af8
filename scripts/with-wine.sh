#!/usr/bin/env bash
# with-wine.sh COMMAND...: runs COMMAND with an X display (a private Xvfb of
# 1024x768 when none is set), an initialised Wine prefix inside the build tree
# and one persistent wineserver, so that each Windows program starts in a
# tenth of a second instead of seconds. Everything is torn down afterwards.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" >/dev/null 2>&1 || true; fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || [ "${ORVA_PRIVATE_DISPLAY:-0}" = 1 ]; then
  n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
fi

mkdir -p "$(dirname "$WINEPREFIX")"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "with-wine: creating the Wine prefix $WINEPREFIX (once)"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# This Wine does not find its own fonts (fonts-wine) in its data folder, only
# in the prefix's Fonts folder: without them "MS Sans Serif" falls back to a
# wider face and the captions lose their button glyphs (Marlett).
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -d /usr/share/wine/fonts ] && [ ! -e "$fonts/sserife.fon" ]; then
  mkdir -p "$fonts" && cp /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
fi
wineserver -p >/dev/null 2>&1
# The first program of a session starts Wine's own background processes,
# which inherit its output pipes and would keep a test runner waiting for
# them to close: let a throw-away program start them, with no pipes.
wine cmd.exe /c exit >/dev/null 2>&1 </dev/null

# A private Xvfb has no window manager. Windows that Wine hands to a window
# manager then go without a frame, and hiding one waits a second or two for
# an answer that never comes; so there Wine draws and manages the frames
# itself. On a real display the window manager keeps them.
x11_key='HKCU\Software\Wine\X11 Driver'
if [ -n "$xvfb_pid" ]; then
  wine reg add "$x11_key" /v Managed /d N /f >/dev/null 2>&1 </dev/null
else
  wine reg delete "$x11_key" /v Managed /f >/dev/null 2>&1 </dev/null || true
fi

"$@"
