#!/usr/bin/env bash
# Draws the bundled sample pictures (samples/) with ImageMagick. The output is
# committed; run again only to change them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/samples
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# An evening landscape: sky, sun, two ranges of hills and a lake.
convert -size 480x320 gradient:'#1b2a6b'-'#f4a259' \
  -fill '#ffd27a' -draw 'circle 330,190 330,150' \
  -fill '#3d3054' -draw 'polygon 0,230 70,170 150,215 240,150 330,220 420,175 480,205 480,320 0,320' \
  -fill '#232038' -draw 'polygon 0,265 90,225 200,258 300,230 400,262 480,240 480,320 0,320' \
  -fill '#5a6fa8' -draw 'rectangle 0,285 480,320' \
  "$tmp/evening.ppm"
convert "$tmp/evening.ppm" -compress None BMP3:"$out/evening.bmp"

# A colour wheel in 256 colours: hue around, light at the centre; palette, bottom-up.
convert -size 256x256 xc: -fx 'atan2(j-128,i-128)/(2*pi)+0.5' "$tmp/hue.pgm"
convert -size 256x256 xc: -fx 'max(0.5, 1-hypot(i-128,j-128)/240)' "$tmp/light.pgm"
convert -size 256x256 xc: -fx 'hypot(i-128,j-128) <= 120 ? 1 : 0' "$tmp/mask.pgm"
convert "$tmp/hue.pgm" -size 256x256 xc:'#e6e6e6' "$tmp/light.pgm" \
  -set colorspace HSL -combine -colorspace sRGB "$tmp/wheel.ppm"
convert -size 256x256 xc:'#6b6b6b' "$tmp/wheel.ppm" "$tmp/mask.pgm" -composite \
  -colors 256 -type Palette -compress None BMP3:"$out/colour-wheel.bmp"

# A small black and white pattern at one bit per pixel.
convert -size 200x120 pattern:checkerboard -monochrome -compress None BMP3:"$out/checker-1bit.bmp"
