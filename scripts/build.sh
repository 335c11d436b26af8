#!/usr/bin/env bash
# Installs what is missing, then configures and builds both builds:
# build/windows (the add-in, its modules, the stand-in host, the Wine tests)
# and build/native (the portable pieces under the sanitizers, the fuzzer).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for preset in windows native; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
