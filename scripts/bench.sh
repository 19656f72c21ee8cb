#!/usr/bin/env bash
# Builds an optimised tree without sanitizers in build-bench/ and runs the benchmarks
# (medians of repeated runs). With --brief (as scripts/test.sh runs it) each benchmark
# runs once, with a minimal time, only to show that it still builds and runs.
#
#   scripts/bench.sh [--brief] [BENCHMARK OPTIONS ...]
set -euo pipefail
cd "$(dirname "$0")/.."
brief=0
if [ "${1:-}" = --brief ]; then brief=1; shift; fi
bash scripts/deps.sh
source scripts/compiler_cache.sh
benches=(bench_import bench_map bench_merge bench_navigation bench_movement bench_history bench_trails
         bench_statistics_chart)
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTREVANOR_TESTS=OFF -DTREVANOR_BENCH=ON \
  "${compiler_cache[@]}" >/dev/null
cmake --build build-bench -j "$(nproc)" --target "${benches[@]}" bench_long_use
export QT_QPA_PLATFORM=offscreen
if ((brief)); then
  for b in "${benches[@]}"; do
    echo "== $b"
    build-bench/bench/$b --benchmark_min_time=0 --benchmark_repetitions=1 "$@"
  done
  TREVANOR_BENCH_ROUNDS=2 build-bench/bench/bench_long_use "$@"
  exit 0
fi
for b in "${benches[@]}"; do
  build-bench/bench/$b --benchmark_repetitions=10 --benchmark_report_aggregates_only=true "$@"
done
# 300 rounds of a whole turn in one run: its memory counters tell whether anything leaks.
build-bench/bench/bench_long_use "$@"
