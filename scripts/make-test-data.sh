#!/usr/bin/env bash
# Writes the test pictures of independent encoders (ImageMagick, netpbm) into
# the folder given, each X.bmp with X.ref.ppm: the same tool's own decode of it.
# The native and the Windows tests both compare Lumora's decode against these.
set -euo pipefail
out=${1:?usage: make-test-data.sh FOLDER}
mkdir -p "$out"
cd "$out"
stamp=".made-v1"
[ -f "$stamp" ] && exit 0
rm -f ./*.bmp ./*.ppm

# Sources: odd widths so every row has padding; one a single column wide.
convert -size 61x37 -seed 3 plasma:fractal src-a.ppm
convert -size 1x9 gradient:red-blue src-b.ppm
convert -size 259x130 -seed 11 plasma:fractal src-c.ppm

im_ref() { convert "$1" -alpha off -depth 8 "PPM:${1%.bmp}.ref.ppm"; }
np_ref() { bmptopnm "$1" 2>/dev/null | ppmtoppm > "${1%.bmp}.ref.ppm"; }

for s in a b c; do
  src=src-$s.ppm
  convert "$src" -compress None BMP3:im24-$s.bmp
  convert "$src" -alpha set -channel A -fx 'i/w' +channel -define bmp3:alpha=true BMP3:im32-$s.bmp
  convert "$src" -colors 200 -type Palette -compress None BMP3:im8-$s.bmp
  convert "$src" -colors 16 -type Palette -compress None BMP3:im4-$s.bmp
  convert "$src" -monochrome -compress None BMP3:im1-$s.bmp
  # The default writer puts a 124-byte header before the palette.
  convert "$src" -colors 16 -type Palette -compress None BMP:im4v5-$s.bmp
  convert "$src" -colors 100 -type Palette -compress None BMP:im8v5-$s.bmp
  for f in im*-$s.bmp; do im_ref "$f"; done

  ppmtobmp -windows -bpp 24 "$src" > np24-$s.bmp 2>/dev/null
  pnmquant 16 "$src" 2>/dev/null | ppmtobmp -windows -bpp 4 > np4-$s.bmp 2>/dev/null
  pnmquant 200 "$src" 2>/dev/null | ppmtobmp -windows -bpp 8 > np8-$s.bmp 2>/dev/null
  ppmtopgm "$src" | pgmtopbm | ppmtobmp -windows -bpp 1 > np1-$s.bmp 2>/dev/null
  for f in np*-$s.bmp; do np_ref "$f"; done
done
rm -f src-*.ppm
touch "$stamp"
