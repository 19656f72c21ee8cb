#!/usr/bin/env bash
# Installs what is missing, builds Trevanor in build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTREVANOR_TESTS=OFF -DTREVANOR_BENCH=OFF
cmake --build build -j "$(nproc)"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Trevanor on a virtual one (xvfb-run)." >&2
  exec xvfb-run -a build/src/trevanor "$@"
fi
exec build/src/trevanor "$@"
