#!/usr/bin/env bash
# The mutation check: applies simple slips one at a time to the lines of src/
# changed since BASE (default: the commit before HEAD), or with --all to every
# line of the folders named, rebuilds incrementally in build-mutation/ (the test
# build's sanitizers, no benchmarks, the compiler cache when there is one), runs
# the tests quickest first without the Windows and scaled-screen runs, and
# prints each slip no test caught with its place, and the score.
#
#   scripts/mutation.sh [BASE]
#   scripts/mutation.sh --all src/model src/map [--most N] [--seed S]
#
# See scripts/mutation.py --help for the slips made.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh python3
source scripts/compiler_cache.sh
# The test build's flags, so that what it compiled is in the compiler cache already.
cmake -S . -B build-mutation -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  -DTREVANOR_SANITIZE=ON -DTREVANOR_BENCH=OFF "${compiler_cache[@]}" >/dev/null
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
exec /usr/bin/env python3 scripts/mutation.py --build build-mutation "$@"
