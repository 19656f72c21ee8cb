#!/usr/bin/env bash
# Coverage-guided fuzzing with libFuzzer: installs what is missing (clang 14 and its
# runtime libraries), builds the harnesses of fuzz/ with clang in build-fuzz/ (coverage,
# AddressSanitizer, UndefinedBehaviorSanitizer) and runs each one in turn, one process at
# the lowest priority, for SECONDS (default 60). Prints per harness the executions, exec/s,
# coverage (cov: edges, ft: features), corpus size and findings. Exits non-zero when a
# harness found something.
#
#   scripts/fuzz.sh [SECONDS] [HARNESS ...]     HARNESS: map_reader first_report ally_merge settings kept_turn
#
# Each harness starts from fuzz/corpus/<harness>/ (the seeds, kept small; rewrite them with
# build-fuzz/fuzz/trevanor-fuzz-seeds fuzz/corpus) and what earlier runs found, kept in
# build-fuzz/corpus/<harness>/. Inputs that break something land in
# build-fuzz/findings/<harness>/ (crash-*, leak-*, timeout-*, oom-*); rerun one with
# build-fuzz/fuzz/fuzz_<harness> FILE. FUZZ_FLAGS adds libFuzzer options (e.g. -runs=N).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS] [HARNESS ...]" >&2; exit 2; }
shift $(($# > 0 ? 1 : 0))
all=(map_reader first_report ally_merge settings kept_turn)
harnesses=("${@:-${all[@]}}")
for h in "${harnesses[@]}"; do
    [[ " ${all[*]} " == *" $h "* ]] || { echo "unknown harness $h (one of: ${all[*]})" >&2; exit 2; }
done

bash scripts/deps.sh clang-14 libclang-rt-14-dev llvm-14
source scripts/compiler_cache.sh

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DTREVANOR_FUZZ=ON -DTREVANOR_TESTS=OFF -DTREVANOR_BENCH=OFF -DTREVANOR_SANITIZE=OFF "${compiler_cache[@]}" >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_map_reader fuzz_first_report fuzz_ally_merge fuzz_settings fuzz_kept_turn \
    trevanor-fuzz-seeds

export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
# A small quarantine still catches a use after free within one input, and keeps the settings
# harness (Qt allocates fresh memory for every file it writes) from spending its time in page faults.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=16}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen

# The settings harness runs through Qt's recursive readers of stored values, whose ever new
# call stacks would fill the sanitizer's store of allocation stacks without end: its reports
# leave out where memory was allocated and freed (rerun a finding with ASAN_OPTIONS=detect_leaks=1
# for those).
# A stored list claims how many elements it holds, and Qt reserves room for that many before
# it reads one: a damaged file can ask for gigabytes. The program never touches that room, and
# outside the sanitizer a reservation the system refuses is simply not made; under it, a refused
# one aborts the run and a granted one costs an eighth of its size in shadow memory. So here,
# as on the system, malloc of more than a gigabyte returns nothing (operator new still aborts).
declare -A asan=([settings]=malloc_context_size=0:allocator_may_return_null=1:max_allocation_size_mb=1024)
# Qt keeps the settings files it read in a cache from one input to the next, so a leak check
# after each input would scan the whole heap every time (a third of the run). The settings
# harness checks for leaks once per corpus input after its run instead.
declare -A leaks_after=([settings]=1)
declare -A dict=([map_reader]=map [first_report]=report [ally_merge]=report [settings]=settings [kept_turn]=kept_turn)
# Dozens of lines are all the structure the readers have (a MAP line is about 25 bytes, a fleet
# line about 110); larger inputs only slow a run down, and the bounded-input tests cover the
# size limits.
# A kept turn is a description and three small files.
declare -A maxlen=([map_reader]=1024 [first_report]=4096 [ally_merge]=4096 [settings]=4096 [kept_turn]=8192)
summary=()
found=0
for h in "${harnesses[@]}"; do
    corpus=build-fuzz/corpus/$h
    findings=build-fuzz/findings/$h
    log=build-fuzz/fuzz-$h.log
    mkdir -p "$corpus" "$findings"
    before=$(ls "$findings" | wc -l)
    rm -f "$log.leaks"
    echo
    echo "=== $h: $seconds s (log: $log)"
    status=0
    # shellcheck disable=SC2086 # FUZZ_FLAGS is a list of options
    ASAN_OPTIONS="$ASAN_OPTIONS${asan[$h]:+:${asan[$h]}}" nice -n 19 "build-fuzz/fuzz/fuzz_$h" \
        "$corpus" "fuzz/corpus/$h" -dict="fuzz/dict/${dict[$h]}.dict" \
        -max_len="${maxlen[$h]}" -timeout=25 -max_total_time="$seconds" -print_final_stats=1 \
        -detect_leaks=$((${leaks_after[$h]:-0} ? 0 : 1)) -artifact_prefix="$findings/" ${FUZZ_FLAGS:-} \
        >"$log" 2>&1 || status=$?
    if ((status == 0 && ${leaks_after[$h]:-0})); then
        echo "leak check over the corpus (log: $log.leaks)"
        ASAN_OPTIONS="$ASAN_OPTIONS${asan[$h]:+:${asan[$h]}}" nice -n 19 "build-fuzz/fuzz/fuzz_$h" \
            "$corpus" -runs=0 -detect_leaks=1 -max_len="${maxlen[$h]}" -timeout=25 \
            -artifact_prefix="$findings/" >"$log.leaks" 2>&1 || status=$?
    fi
    grep -E '^#[0-9]+[[:space:]]' "$log" | tail -n 1 || true
    stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -n 1; }
    last=$(grep -E '^#[0-9]+[[:space:]].*cov: ' "$log" | tail -n 1 || true)
    cov=$(sed -n 's/.*cov: \([0-9]*\).*/\1/p' <<<"$last")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
    corp=$(sed -n 's/.* corp: \([0-9]*\)\/\([0-9]*[a-zA-Z]*\).*/\1 \2/p' <<<"$last")
    new=$(( $(ls "$findings" | wc -l) - before ))
    if ((status != 0 || new > 0)); then
        found=1
        grep -h -m 3 -E 'ERROR: |broken rule|runtime error|Test unit written' "$log" "$log.leaks" 2>/dev/null || true
    fi
    summary+=("$(printf '%-13s %12s %8s %6s %7s %7s %9s %8s' "$h" "$(stat number_of_executed_units)" \
        "$(stat average_exec_per_sec)" "${cov:-?}" "${ft:-?}" "${corp% *}" "${corp#* }" "$new")")
done

echo
printf '%-13s %12s %8s %6s %7s %7s %9s %8s\n' harness executions exec/s cov ft corpus bytes findings
printf '%s\n' "${summary[@]}"
exit $found
