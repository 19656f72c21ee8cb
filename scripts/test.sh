#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test; then builds the benchmarks without sanitizers and runs each once,
# briefly, so that none of them rots. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
source scripts/compiler_cache.sh

# The Windows program and its Setup (Qt for MinGW is built once and cached), checked
# under Wine by tests/windows.
windows=()
if { [ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null; } && command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  bash scripts/windows.sh
  windows=(-DTREVANOR_WINDOWS_BUILD="$PWD/build-win")
else
  echo "NOT CHECKED: no Wine or MinGW here, so the Windows program is neither built nor tested"
fi

# -O1 with line tables only: what the sanitizers need for their reports, at half the
# compiler's time of -O2 with full debug information.
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  -DTREVANOR_SANITIZE=ON -DTREVANOR_BENCH=OFF "${compiler_cache[@]}" "${windows[@]}"
cmake --build build-test -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-test --output-on-failure -j "$(nproc)" --timeout 300

bash scripts/bench.sh --brief
