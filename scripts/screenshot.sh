#!/usr/bin/env bash
# Starts the program under a virtual display (1024x768) and takes screenshots.
# usage: scripts/screenshot.sh STEP... [-- program arguments]
#   STEP is  shot:FILE.png  (screenshot of the screen),
#            click:X,Y      (left click at screen position X,Y),
#            key:KEYS       (xdotool key names, e.g. ctrl+s; several with spaces),
#            type:TEXT      (types the text), or
#            sleep:SECONDS
# Needs Xvfb, ImageMagick (import) and xdotool.
set -euo pipefail
steps=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do steps+=("$1"); shift; done
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
sleep 3
for s in "${steps[@]}"; do
  case "$s" in
    shot:*) import -window root "${s#shot:}" ;;
    click:*) xy=${s#click:}; xdotool mousemove "${xy%,*}" "${xy#*,}" click 1; sleep 1 ;;
    key:*) read -r -a keys <<< "${s#key:}"; xdotool key "${keys[@]}"; sleep 1 ;;
    type:*) xdotool type "${s#type:}"; sleep 1 ;;
    sleep:*) sleep "${s#sleep:}" ;;
  esac
done
kill $apid 2>/dev/null || true
wait $apid 2>/dev/null || true
