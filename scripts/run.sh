#!/usr/bin/env bash
# Installs what is missing, builds Trevanor in build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTREVANOR_TESTS=OFF -DTREVANOR_BENCH=OFF
cmake --build build -j "$(nproc)"

# The windows come next; until then this shows the import of the demo game.
exec build/tools/trevanor-dump samples/DEMO.MAP samples/DEMO.F1 "$@"
