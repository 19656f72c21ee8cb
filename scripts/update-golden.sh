#!/usr/bin/env bash
# Rewrites the expected dumps of the demo game after a deliberate change of the import.
set -euo pipefail
cd "$(dirname "$0")/.."
dump=${1:-build-test/tools/trevanor-dump}
"$dump" samples/DEMO.MAP > tests/golden/map_only.txt
"$dump" samples/DEMO.MAP samples/DEMO.F1 > tests/golden/first_report.txt
git diff --stat -- tests/golden
