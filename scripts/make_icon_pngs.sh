#!/usr/bin/env bash
# Renders the application icon (data/icons/velloran.svg) to the PNG sizes that are
# installed into the hicolor icon theme. Run it again after editing the SVG and commit
# the PNGs; the build itself does not need ImageMagick.
#
# ImageMagick's own SVG renderer draws small sizes coarsely, so the icon is drawn once at
# 1024 pixels and averaged down (box filter) to each size; that matches what Qt draws from
# the SVG within a few levels per channel (the icon test checks this).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
svg="$here/data/icons/velloran.svg"
out="$here/data/icons"

command -v convert >/dev/null || { echo "make_icon_pngs.sh: ImageMagick 'convert' is needed" >&2; exit 1; }

# The SVG's size in user units (width="64"); ImageMagick counts 96 of them per inch.
base=$(sed -n 's/.*<svg[^>]* width="\([0-9.]*\)".*/\1/p' "$svg" | head -n1)
base=${base:-64}
density=$(awk -v b="$base" 'BEGIN { printf "%d", 96 * 1024 / b }')

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -background none -density "$density" "$svg" -resize 1024x1024 "PNG32:$tmp/master.png"

for size in 48 128 256; do
  convert "$tmp/master.png" -filter Box -resize "${size}x${size}" \
          -strip -define png:exclude-chunks=date,time -depth 8 \
          "PNG32:$out/velloran-$size.png"
  echo "$out/velloran-$size.png"
done
