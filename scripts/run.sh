#!/usr/bin/env bash
# run.sh [NUMBER]: builds everything and runs the main job: looks up an error
# number (A2008 by default) with orva-lookup on the shipped message modules
# under Wine, and prints the type, title, tool and description.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
scripts/with-wine.sh wine build/windows/ide/orva-lookup.exe "${1:-A2008}"
