#!/usr/bin/env bash
# with-wine.sh COMMAND...: runs COMMAND with an X display (a private Xvfb of
# 1024x768 when none is set), an initialised Wine prefix inside the build tree
# and one persistent wineserver, so that each Windows program starts in a
# tenth of a second instead of seconds. Everything is torn down afterwards.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

xvfb_pid=""
started_server=0
cleanup() {
  # Only the Wine server this run started goes: another run that shares the
  # prefix keeps its own.
  if [ "$started_server" = 1 ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" >/dev/null 2>&1 || true; fi
}
trap cleanup EXIT

# A Wine server works in a folder named after the prefix's device and inode.
prefix_server_running() {
  [ -d "$WINEPREFIX" ] || return 1
  local tag p
  tag=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
  for p in $(pgrep wineserver); do
    case "$(readlink "/proc/$p/cwd" 2>/dev/null)" in */"$tag") return 0 ;; esac
  done
  return 1
}

if [ -z "${DISPLAY:-}" ] || [ "${ORVA_PRIVATE_DISPLAY:-0}" = 1 ]; then
  # Xvfb picks a free display itself and writes its number once it accepts
  # connections, so two runs at once never race for the same one.
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 200); do
    [ -s "$display_file" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  n=$(tr -dc '0-9' <"$display_file")
  rm -f "$display_file"
  if [ -z "$n" ]; then
    echo "with-wine: Xvfb did not start (is the package xvfb installed?)" >&2
    exit 1
  fi
  export DISPLAY=":$n"
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
prefix_server_running || started_server=1
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
