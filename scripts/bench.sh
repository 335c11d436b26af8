#!/usr/bin/env bash
# bench.sh: builds and runs the benchmark program under Wine and writes its
# figures, the machine and this command into BENCHMARKS.md, between the
# "figures" markers; the rest of the file (the findings) is kept.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
cmake --build --preset windows --target orva-bench >/dev/null
figures=$(scripts/with-wine.sh wine build/windows/ide/orva-bench.exe | tr -d '\r')
echo "$figures"
cpu=$(lscpu | sed -n 's/^Model name: *//p' | head -n 1)
block=$(
  echo "<!-- figures: written by scripts/bench.sh -->"
  echo "- Command: \`scripts/bench.sh\` (runs \`build/windows/ide/orva-bench.exe\` under Wine)"
  echo "- Taken: $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "- Machine: ${cpu:-unknown CPU}, $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GiB;" \
       "$(. /etc/os-release && echo "$PRETTY_NAME"); $(wine --version); Xvfb 1024x768x24"
  echo
  echo "$figures"
  echo "<!-- end of figures -->"
)
if [ -f BENCHMARKS.md ] && grep -q '^<!-- figures' BENCHMARKS.md; then
  BLOCK="$block" python3 - <<'PY'
import os, re
text = open("BENCHMARKS.md").read()
text = re.sub(r"<!-- figures.*?<!-- end of figures -->", lambda m: os.environ["BLOCK"], text, flags=re.S)
open("BENCHMARKS.md", "w").write(text)
PY
else
  printf '# Benchmarks\n\n%s\n' "$block" > BENCHMARKS.md
fi
echo "(written to BENCHMARKS.md)"
