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

# One picture for each format read through stb_image.
convert "$tmp/evening.ppm" -quality 88 "$out/evening.jpg"
convert "$tmp/wheel.ppm" "$tmp/mask.pgm" -alpha off -compose CopyOpacity -composite PNG32:"$out/colour-wheel.png"
# netpbm writes the Targa: this ImageMagick reads and writes its rows the
# other way up from every other reader.
convert "$tmp/evening.ppm" -resize 200x ppm:- | ppmtotga -rgb > "$out/evening-small.tga" 2>/dev/null
convert "$tmp/wheel.ppm" -resize 128x128 -depth 8 "$out/colour-wheel.psd"
convert "$tmp/evening.ppm" -resize 160x -colorspace Gray -depth 8 "$tmp/evening-gray.pgm"
cp "$tmp/evening-gray.pgm" "$out/evening-gray.pgm"

# A ball bouncing over a floor, twelve frames of 80 ms.
frames=()
for i in $(seq 0 11); do
  y=$(( 20 + (i < 6 ? i * i * 3 : (11 - i) * (11 - i) * 3) ))
  convert -size 120x120 xc:'#dfe8f2' -fill '#5b6b7b' -draw 'rectangle 0,110 120,120' \
    -fill '#d9482b' -draw "circle 60,$y 60,$((y - 12))" "$tmp/ball-$i.gif"
  frames+=("$tmp/ball-$i.gif")
done
convert -delay 8 -loop 0 "${frames[@]}" -layers Optimize "$out/bouncing-ball.gif"

# Softimage PIC: no tool here writes it, so a few lines of Python do, one
# run-length packet of red, green and blue per row.
convert "$tmp/wheel.ppm" -resize 96x96 -depth 8 "$tmp/pic-src.ppm"
python3 - "$tmp/pic-src.ppm" "$out/colour-wheel.pic" <<'PY'
import re, struct, sys
data = open(sys.argv[1], 'rb').read()
head = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', data)
w, h, pixels = int(head.group(1)), int(head.group(2)), data[head.end():]
out = bytearray(struct.pack('>I', 0x5380F634) + struct.pack('>f', 3.71) + b'Lumora sample'.ljust(80, b'\0') + b'PICT')
out += struct.pack('>HHfHH', w, h, 1.0, 3, 0) + bytes([0, 8, 2, 0xE0])
for y in range(h):
    row = [tuple(pixels[(y * w + x) * 3:(y * w + x) * 3 + 3]) for x in range(w)]
    x = 0
    while x < w:
        run = 1
        while x + run < w and run < 127 and row[x + run] == row[x]:
            run += 1
        if run >= 2:
            out += bytes([127 + run]) + bytes(row[x])
        else:
            raw = 1
            while x + raw < w and raw < 128 and row[x + raw] != row[x + raw - 1]:
                raw += 1
            if x + raw < w and raw > 1:
                raw -= 1  # leave the start of the next run to the run
            out += bytes([raw - 1]) + b''.join(bytes(p) for p in row[x:x + raw])
            run = raw
        x += run
open(sys.argv[2], 'wb').write(out)
PY

# A three-page TIFF (an LZW photo, a palette page and a Group 4 fax page) and
# the same pages as a DCX bundle of PCX pages.
convert "$tmp/evening.ppm" -resize 240x -depth 8 "$tmp/page1.ppm"
convert "$tmp/wheel.ppm" -resize 160x160 -colors 64 -depth 8 "$tmp/page2.png"
convert -size 400x260 xc:white -fill black -font DejaVu-Sans -pointsize 28 \
  -draw "text 30,70 'Lumora fax page'" -draw 'rectangle 30,100 370,104' -monochrome "$tmp/page3.png"
convert "$tmp/page1.ppm" -compress LZW "$tmp/p1.tif"
convert "$tmp/page2.png" -type Palette -compress LZW "$tmp/p2.tif"
convert "$tmp/page3.png" -compress Group4 "$tmp/p3.tif"
tiffcp "$tmp/p1.tif" "$tmp/p2.tif" "$tmp/p3.tif" "$out/three-pages.tif"
convert "$tmp/page1.ppm" "$tmp/page2.png" "$tmp/page3.png" DCX:"$out/three-pages.dcx"

# One picture each for PCX (24-bit), Amiga IFF (eight planes with a palette)
# and Photo CD (the Base size, 768 x 512).
ppmtopcx -24bit "$tmp/page1.ppm" > "$out/evening.pcx" 2>/dev/null
convert "$tmp/wheel.ppm" -resize 128x128 -colors 256 "$tmp/wheel-small.ppm"
ppmtoilbm -maxplanes 8 -cmethod byterun1 "$tmp/wheel-small.ppm" > "$out/colour-wheel.iff" 2>/dev/null
convert "$tmp/evening.ppm" -resize 768x512! "$out/evening.pcd"
# WebP: the evening landscape lossy (cwebp).
cwebp -quiet -q 80 "$tmp/evening.ppm" -o "$out/evening.webp"

# A Windows metafile: no tool here writes one, so a few lines of Python pack the records.
python3 "$root/scripts/make-wmf-sample.py" "$out/evening.wmf"
