#!/usr/bin/env bash
# Sets everything up, builds Velloran and shows the example menu card:
#   with a display, the program starts on examples/restaurant.vlr;
#   without one (neither DISPLAY nor WAYLAND_DISPLAY set), the card is
#   rendered to a PDF with the program's own --export-pdf and its place is
#   printed.
# Arguments are passed to the program instead of the example card.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

bash scripts/install-deps.sh
build=${VELLORAN_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_BUILD_TESTS=OFF -DVELLORAN_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target velloran

example="$here/examples/restaurant.vlr"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ $# -eq 0 ]; then
  pdf="$(cd "$build" && pwd)/restaurant.pdf"
  "$build/app/velloran" --export-pdf "$pdf" "$example"
  echo "No display: the example menu card was rendered to $pdf"
  exit 0
fi

args=("$@")
if [ ${#args[@]} -eq 0 ] && [ -f "$example" ]; then
  args=("$example")
fi
exec "$build/app/velloran" "${args[@]}"
