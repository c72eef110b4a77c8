#!/usr/bin/env bash
# Sets everything up, builds Velloran and starts it on the example card.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

bash scripts/install-deps.sh
build=${VELLORAN_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_BUILD_TESTS=OFF -DVELLORAN_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target velloran

example="$here/examples/restaurant.vlr"
args=()
[ -f "$example" ] && args+=("$example")
exec "$build/app/velloran" "${args[@]}"
