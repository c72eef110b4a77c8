#!/usr/bin/env bash
# Starts the program under a virtual display and saves a screenshot of it.
# usage: scripts/screenshot.sh OUT.png [seconds] [-- program arguments]
set -euo pipefail
out=${1:?output png}; shift
wait=${1:-3}; [ $# -gt 0 ] && shift
[ "${1:-}" = "--" ] && shift
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${VELLORAN_BIN:-$here/build/app/velloran}
export DISPLAY=:${VELLORAN_DISPLAY:-97}
Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
xpid=$!
trap 'kill $xpid 2>/dev/null || true' EXIT
sleep 1
"$bin" "$@" &
apid=$!
sleep "$wait"
import -window root "$out"
kill $apid 2>/dev/null || true
wait $apid 2>/dev/null || true
