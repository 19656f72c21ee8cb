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
c=tests/golden/cases
"$dump" --own-race Vorlani $s/DEMO.MAP $s/DEMO.F1 --ally $c/CR_ONLY.F3 --owner Thrennic \
  --ally $c/SEEN_AGAIN.F6 --owner Draumen --ally $c/BAD_DETAIL.F7 --owner Salvene --overwrite \
  --ally $s/DEMO.F4 --owner Ozmari > tests/golden/damaged_allies.txt 2>/dev/null || true
"$dump" $s/DEMO.MAP $s/DEMO.MAP > tests/golden/not_a_report.txt 2>/dev/null || true
"$dump" --own-race Vorlani $s/DEMO.MAP $s/DEMO.F1 --particulars "Vorlani Scout #11" \
  --particulars "Quessari Far Seeker" --particulars Nobody --group 1668 1418 --group 1669 1417 --group 1000 1000 \
  > tests/golden/particulars.txt
"$dump" --own-race Vorlani $s/DEMO.MAP $s/DEMO.F1 --ally $s/DEMO.F2 --owner Quessari --ally $s/DEMO.F4 --owner Ozmari \
  --earlier $s/DEMO-1.F1 --earlier-ally $s/DEMO-1.F2 --owner Quessari --earlier-ally $s/DEMO-1.F4 --owner Ozmari \
  > tests/golden/movement.txt
ally="--ally $s/DEMO.F2 --owner Quessari --ally $s/DEMO.F4 --owner Ozmari"
"$dump" --own-race Vorlani $s/DEMO.MAP $s/DEMO.F1 $ally --history $s/history/DEMO.MAP \
  --trail "Quessari Hauler #47*" --turns 4 > tests/golden/history.txt
"$dump" --own-race Vorlani $s/DEMO.MAP $s/DEMO.F1 $ally --history $s/history/DEMO.MAP \
  --trail "Ozmari Home Guard*" --turns 6 > tests/golden/trail_without_id.txt
"$dump" --own-race Vorlani $s/DEMO.MAP $s/DEMO.F1 $ally --reach-planet "New Elorix" > tests/golden/reach_home.txt
"$dump" --own-race Vorlani $s/DEMO.MAP $s/DEMO.F1 $ally --reach-planet "New Elorix" --years 3 \
  > tests/golden/reach_home_3_years.txt
git diff --stat -- tests/golden
