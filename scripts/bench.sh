#!/usr/bin/env bash
# bench.sh: builds and runs the benchmark program under Wine and writes its
# figures, the machine and this command into BENCHMARKS.md.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
cmake --build --preset windows --target orva-bench >/dev/null
figures=$(scripts/with-wine.sh wine build/windows/ide/orva-bench.exe | tr -d '\r')
echo "$figures"
cpu=$(lscpu | sed -n 's/^Model name: *//p' | head -n 1)
{
  echo "# Benchmarks"
  echo
  echo "What the add-in costs inside the host, next to the floor the platform sets for the same work,"
  echo "measured in the same run. Each figure is the median of repeated runs, in microseconds per"
  echo "operation; the ratio is ORVA / floor."
  echo
  echo "- Command: \`scripts/bench.sh\` (runs \`build/windows/ide/orva-bench.exe\` under Wine)"
  echo "- Taken: $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "- Machine: ${cpu:-unknown CPU}, $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GiB;" \
       "$(. /etc/os-release && echo "$PRETTY_NAME"); $(wine --version); Xvfb 1024x768x24"
  echo
  echo "$figures"
} > BENCHMARKS.md
echo "(written to BENCHMARKS.md)"
