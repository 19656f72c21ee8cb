#!/usr/bin/env bash
# Writes the demo game's history: its last four turns, a week apart, kept as
# the program keeps each turn it reads (the player's own report and both
# allies' reports merged), into OUTDIR/DEMO.MAP.
#   samples/make-history.sh TREVANOR_GEN TREVANOR_DUMP OUTDIR
# The times are fixed and the labels written in UTC, so the output is the same
# on every machine; tests compare it with samples/history.
set -euo pipefail
gen=$1 dump=$2 out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$gen" --seed 1 --years 4 "$work" > /dev/null
touch -d "2026-11-01 12:00 UTC" "$work/DEMO.MAP"
rm -rf "$out/DEMO.MAP"
for back in 3 2 1 0; do
  stem=DEMO-$back
  [ "$back" = 0 ] && stem=DEMO
  touch -d "2026-11-09 09:30 UTC + $((7 * (3 - back))) days" "$work/$stem.F1" "$work/$stem.F2" "$work/$stem.F4"
  TZ=UTC "$dump" --own-race Vorlani "$work/DEMO.MAP" "$work/$stem.F1" \
    --ally "$work/$stem.F2" --owner Quessari --ally "$work/$stem.F4" --owner Ozmari \
    --keep-history "$out/DEMO.MAP" > /dev/null
done
