#!/usr/bin/env bash
# Rewrites the expected dumps of the demo game after a deliberate change of the import.
set -euo pipefail
cd "$(dirname "$0")/.."
dump=${1:-build-test/tools/trevanor-dump}
s=samples
"$dump" $s/DEMO.MAP > tests/golden/map_only.txt
"$dump" $s/DEMO.MAP $s/DEMO.F1 > tests/golden/first_report.txt
"$dump" --own-race Vorlani $s/DEMO.MAP $s/DEMO.F1 --ally $s/DEMO.F2 --owner Quessari \
  --ally $s/DEMO.F4 --owner Ozmari --overwrite --no-delete \
  --ally $s/DEMO.F4 --owner Ozmari --no-delete > tests/golden/merged.txt
git diff --stat -- tests/golden
