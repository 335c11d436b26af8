#!/usr/bin/env bash
# Builds everything and runs every test: the native tests under the
# sanitizers and the catalogue lint, the Windows tests under Wine (with a
# private Xvfb when there is no display), then the fuzzer for about a minute.
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh

echo "== Native tests (AddressSanitizer, UndefinedBehaviorSanitizer) and the catalogue lint"
ctest --preset native

echo "== Windows tests under Wine"
scripts/with-wine.sh ctest --preset windows

echo "== Fuzzer (${ORVA_FUZZ_SECONDS:-60} s)"
corpus=build/native/fuzz-corpus
mkdir -p "$corpus"
log=build/native/fuzz.log
if ! build/native/fuzz_lookup_engine -max_total_time="${ORVA_FUZZ_SECONDS:-60}" -print_final_stats=1 \
     "$corpus" tests/fuzz/corpus >"$log" 2>&1; then
  tail -n 60 "$log"
  echo "== The fuzzer found a fault (see $log)"
  exit 1
fi
grep -E "^Done|number_of_executed_units" "$log"

echo "== All tests passed"
