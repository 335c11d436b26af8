# Sourced by the scripts that run Windows programs: one Wine prefix inside the
# build tree, quiet, and without the Mono and Gecko installers that a fresh
# prefix would otherwise offer in a dialog.
ORVA_REPO=${ORVA_REPO:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$ORVA_REPO/build/windows/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
