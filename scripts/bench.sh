#!/usr/bin/env bash
# Builds an optimised tree in build-bench/ and runs the benchmarks (medians of repeated runs).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTREVANOR_TESTS=OFF -DTREVANOR_BENCH=ON
cmake --build build-bench -j "$(nproc)" --target bench_import bench_map bench_merge bench_navigation bench_movement bench_long_use \
  bench_history bench_trails bench_statistics_chart
for b in bench_import bench_map bench_merge bench_navigation bench_movement bench_history bench_trails \
         bench_statistics_chart; do
  build-bench/bench/$b --benchmark_repetitions=10 --benchmark_report_aggregates_only=true "$@"
done
# 300 rounds of a whole turn in one run: its memory counters tell whether anything leaks.
build-bench/bench/bench_long_use "$@"
