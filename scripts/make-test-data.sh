#!/usr/bin/env bash
# Writes the test pictures of independent encoders (ImageMagick, netpbm) into
# the folder given, each X.bmp with X.ref.ppm: the same tool's own decode of it.
# The native and the Windows tests both compare Lumora's decode against these.
# Also the turns, mirrors and crops of a few sources as Pillow makes them.
set -euo pipefail
out=${1:?usage: make-test-data.sh FOLDER}
mkdir -p "$out"
cd "$out"
stamp=".made-v15"
[ -f "$stamp" ] && exit 0
rm -f ./*.bmp ./*.ppm ./stb-* ./jpeg-* ./tga-* ./exif-* ./tif-* ./tiv-* ./tvs-* ./pcd-* ./iff-* ./pcx-* ./icc-* ./webp-*

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

# --- The stb_image formats: stb-NAME.EXT with stb-NAME.ref.ppm, the decode of
# an independent decoder (netpbm's, or ImageMagick's where netpbm has none).
convert -size 61x37 -seed 3 plasma:fractal -depth 8 src.ppm
convert -size 16x16 xc:white -fill black -draw 'circle 8,8 8,3' -depth 8 src-bw.ppm
ref_of() { echo "${1%.*}.ref.ppm"; }
np() { "$@" 2>/dev/null | pnmtopnm 2>/dev/null | ppmtoppm > "$ref"; }

# JPEG: 4:4:4 and 4:2:0 baseline, progressive, gray; the 1 x 1 picture.
convert src.ppm -quality 90 -sampling-factor 1x1 stb-jpeg444.jpg
convert src.ppm -quality 85 -sampling-factor 2x2 stb-jpeg420.jpg
convert src.ppm -quality 85 -interlace JPEG -sampling-factor 2x2 stb-jpegprog.jpg
convert src.ppm -colorspace Gray -quality 90 stb-jpeggray.jpg
convert -size 1x1 xc:'#c08040' -quality 95 stb-jpeg1x1.jpg
# Adobe CMYK (Pillow), YCCK (ImageMagick writes CMYK so), restart markers after
# every MCU and every MCU row, progressive with restarts (cjpeg); a larger
# photo-like picture, baseline and progressive, for the files cut short.
/usr/bin/python3 -c "from PIL import Image; Image.open('src.ppm').convert('CMYK').save('jpeg-cmyk.jpg', quality=90)"
convert src.ppm -colorspace CMYK -quality 90 jpeg-ycck.jpg
cjpeg -quality 85 -sample 2x2 -restart 1B src.ppm > jpeg-rst-mcu.jpg
cjpeg -quality 85 -sample 1x1 -restart 1 src.ppm > jpeg-rst-row.jpg
cjpeg -quality 85 -progressive -restart 1 src.ppm > jpeg-prog-rst.jpg
convert -size 160x120 -seed 5 plasma:fractal -quality 85 -sampling-factor 2x2 jpeg-photo.jpg
convert -size 160x120 -seed 5 plasma:fractal -quality 85 -interlace JPEG jpeg-photo-prog.jpg
# ImageMagick's decode is the reference of every JPEG; the photos also at a
# quarter and half of each side, as the library decodes them smaller.
for f in stb-jpeg*.jpg jpeg-*.jpg; do convert "$f" -depth 8 "PPM:$(ref_of "$f")"; done
convert -define jpeg:size=40x30 jpeg-photo.jpg -depth 8 PPM:jpeg-photo-quarter.ref.ppm
convert -define jpeg:size=80x60 jpeg-photo-prog.jpg -depth 8 PPM:jpeg-photo-prog-half.ref.ppm

# PNG: 8-bit RGB, RGBA, palette, gray, 1-bit, interlaced, and 16-bit RGB and
# gray widened from 8 bits (so the top byte is the 8-bit value exactly).
convert src.ppm png24:stb-png-rgb.png
convert src.ppm -alpha set -channel A -fx 'i/w' +channel png32:stb-png-rgba.png
convert src.ppm -colors 50 png8:stb-png-palette.png
convert src.ppm -colorspace Gray -depth 8 png:stb-png-gray.png
convert src-bw.ppm -monochrome png:stb-png-1bit.png
convert src.ppm -interlace PNG png24:stb-png-interlaced.png
pnmdepth 65535 src.ppm | pnmtopng > stb-png-rgb16.png 2>/dev/null
ppmtopgm src.ppm | pnmdepth 65535 | pnmtopng > stb-png-gray16.png 2>/dev/null
# Genuine 16-bit samples (top and bottom bytes differ); netpbm rounds them to 8 bits.
convert -size 61x37 -seed 5 plasma:fractal -depth 16 src16.ppm
pnmtopng src16.ppm > stb-png-deep16.png 2>/dev/null
for f in stb-png-*.png; do ref=$(ref_of "$f"); np pngtopam "$f"; done
ref=stb-png-deep16.ref.ppm; pngtopam stb-png-deep16.png 2>/dev/null | pnmdepth 255 2>/dev/null | ppmtoppm > "$ref"

# GIF: one frame; an animation of three frames with delays; a frame with a
# transparent colour over the first frame; a single frame whose transparent
# pixels no frame covers.
convert src.ppm -colors 64 stb-gif-one.gif
convert -size 20x14 xc:'#203040' -fill '#e0c020' -draw 'rectangle 2,2 9,9' -depth 8 -colors 8 anim-0.gif
convert -size 6x5 xc:'#c02020' -colors 4 anim-1.gif
convert -size 7x4 xc:'#20c040' -fill '#0000ff' -draw 'point 3,2' -transparent '#20c040' anim-2.gif
convert -dispose None -delay 7 anim-0.gif -delay 25 -page +3+4 anim-1.gif -delay 120 -page +10+8 anim-2.gif \
  -loop 0 stb-gif-anim.gif
rm -f anim-*.gif
convert stb-gif-anim.gif -coalesce -alpha off -depth 8 stb-gif-anim-%d.ref.ppm
identify -format '%T\n' stb-gif-anim.gif > stb-gif-anim.delays
# Frame 1 asks to be undone by restoring what was there before it: frame 2
# shows frame 0 again around its one pixel.
convert -size 8x8 xc:'#208040' -fill '#c0c0ff' -draw 'rectangle 1,1 6,6' -colors 8 prev-0.gif
convert -size 4x4 xc:'#e02020' -colors 2 prev-1.gif
convert -size 1x1 xc:'#2020e0' prev-2.gif
convert -dispose None -delay 10 prev-0.gif -dispose Previous -delay 20 -page +2+2 prev-1.gif \
  -dispose None -delay 30 -page +0+0 prev-2.gif stb-gif-previous.gif
rm -f prev-*.gif
convert stb-gif-previous.gif -coalesce -alpha off -depth 8 stb-gif-previous-%d.ref.ppm
convert -size 9x6 xc:'#ff00ff' -fill '#3070b0' -draw 'rectangle 2,1 6,4' -transparent '#ff00ff' stb-gif-transparent.gif
ref=stb-gif-one.ref.ppm; np giftopnm stb-gif-one.gif
ref=stb-gif-transparent.ref.ppm; np giftopnm stb-gif-transparent.gif
giftopnm -alphaout=alpha.pbm stb-gif-transparent.gif > /dev/null 2>&1
ppmtoppm < alpha.pbm > stb-gif-transparent.alpha.ppm 2>/dev/null  # white: opaque
rm -f alpha.pbm

# TGA: run-length coded and raw, from two encoders.
convert src.ppm -compress RLE stb-tga-rle.tga
convert src.ppm -compress None stb-tga-raw.tga
ppmtotga -rgb -norle src.ppm > stb-tga-np-raw.tga 2>/dev/null
ppmtotga -rgb src.ppm > stb-tga-np-rle.tga 2>/dev/null
for f in stb-tga-*.tga; do ref=$(ref_of "$f"); np tgatoppm "$f"; done
# Pixels stored right to left: no common writer makes them, so the origin
# bits of written files are set (bottom-right, 24-bit RLE; top-right, 32-bit
# RLE); ImageMagick's decode turned as the bits say is the reference.
convert src.ppm -compress RLE tga-right.tga
convert src.ppm -alpha set -channel A -fx 'i/w' +channel -compress RLE tga-top-right.tga
/usr/bin/python3 - <<'PY'
for name, bits in (("tga-right.tga", 0x10), ("tga-top-right.tga", 0x30)):
    b = bytearray(open(name, "rb").read())
    b[17] = (b[17] & 0x0F) | bits
    open(name, "wb").write(b)
PY
for f in tga-*.tga; do convert "$f" -auto-orient -alpha off -depth 8 "PPM:$(ref_of "$f")"; done

# PSD: the merged picture the writer stores; its reference is the source.
convert src.ppm -depth 8 stb-psd.psd
cp src.ppm stb-psd.ref.ppm

# PNM: every kind netpbm writes. P1..P4 are plain text or bitmaps, P5 and P6 bytes.
pnmtopnm -plain src-bw.ppm | ppmtopgm | pgmtopbm -threshold | pnmtopnm -plain > stb-pnm-p1.pbm 2>/dev/null
ppmtopgm src.ppm | pnmtopnm -plain > stb-pnm-p2.pgm 2>/dev/null
pnmtopnm -plain src.ppm > stb-pnm-p3.ppm 2>/dev/null
ppmtopgm src-bw.ppm | pgmtopbm -threshold > stb-pnm-p4.pbm 2>/dev/null
ppmtopgm src.ppm > stb-pnm-p5.pgm
cp src.ppm stb-pnm-p6.ppm
ppmtopgm src.ppm | pnmdepth 65535 > stb-pnm-p5-16.pgm 2>/dev/null
pnmdepth 65535 src.ppm > stb-pnm-p6-16.ppm 2>/dev/null
for f in stb-pnm-*; do ref=$(ref_of "$f"); np cat "$f"; done
ppmtopgm src16.ppm > stb-pnm-deep16-gray.pgm
cp src16.ppm stb-pnm-deep16-rgb.ppm
ppmtopgm src.ppm | pnmdepth 100 | pnmtopnm -plain > stb-pnm-p2-max100.pgm 2>/dev/null
pnmdepth 1000 src.ppm | pnmtopnm -plain > stb-pnm-p3-max1000.ppm 2>/dev/null
for f in stb-pnm-p?-16.p?m stb-pnm-deep16-*.p?m stb-pnm-p?-max*.p?m; do ref=$(ref_of "$f"); pnmdepth 255 "$f" 2>/dev/null | ppmtoppm > "$ref"; done

# EXIF: one small JPEG tagged by exiftool for each orientation, in both byte
# orders, plus make, model and dates. Odd sides, so rows have padding either
# way the picture is turned.
convert src.ppm -resize '13x7!' -quality 80 exif-plain.jpg
for order in II MM; do
  name=Little-endian; [ $order = MM ] && name=Big-endian
  for o in 1 2 3 4 5 6 7 8; do
    cp exif-plain.jpg exif-$order-$o.jpg
    exiftool -q -overwrite_original -ExifByteOrder=$name -Orientation#=$o exif-$order-$o.jpg
  done
  cp exif-plain.jpg exif-$order-texts.jpg
  exiftool -q -overwrite_original -ExifByteOrder=$name -Make='Harbour Optics   ' -Model='HX-200' \
    -ModifyDate='2019:03:04 05:06:07' -DateTimeOriginal='2018:01:02 03:04:05' exif-$order-texts.jpg
done
cp exif-plain.jpg exif-original-only.jpg
exiftool -q -overwrite_original -DateTimeOriginal='2017:07:08 09:10:11' exif-original-only.jpg
cp exif-plain.jpg exif-model-only.jpg
exiftool -q -overwrite_original -Model='HX-200' exif-model-only.jpg
# ImageMagick's own writer re-encodes a tagged file with another orientation.
convert exif-II-1.jpg -orient RightTop exif-im-6.jpg
convert exif-MM-1.jpg -orient LeftBottom exif-im-8.jpg
rm -f src.ppm src-bw.ppm src16.ppm

# --- Transforms: xf-WxH.ppm of seeded noise and Pillow's results of it as
# xf-WxH-OP.ppm. Widths 1, 2, 3 and 5 meet every padding of a row, 4 none; all
# heights are odd, some above the turn's strips of 16 rows and one wider than
# its 1024 columns. The crop takes (W/3, H/3) with W/2 x H/2 (at least 1),
# halves and thirds rounded down.
# Debian's interpreter: the one that has Pillow.
/usr/bin/python3 - <<'PY'
import random
from PIL import Image
T = Image.Transpose
ops = {"cw": T.ROTATE_270, "ccw": T.ROTATE_90, "mirror": T.FLIP_LEFT_RIGHT, "flip": T.FLIP_TOP_BOTTOM,
       "180": T.ROTATE_180}
for w, h in [(1, 7), (2, 5), (3, 3), (5, 9), (4, 33), (67, 37), (1030, 19)]:
    im = Image.frombytes("RGB", (w, h), random.Random(w * 1000 + h).randbytes(3 * w * h))
    im.save(f"xf-{w}x{h}.ppm")
    for name, op in ops.items():
        im.transpose(op).save(f"xf-{w}x{h}-{name}.ppm")
    x, y = w // 3, h // 3
    im.crop((x, y, x + max(1, w // 2), y + max(1, h // 2))).save(f"xf-{w}x{h}-crop.ppm")
PY
# Fax pages: fax-ENCODER-W-pP.tif in one strip from Pillow, libtiff's tiffcp
# and ImageMagick, each with fax-....ref.ppm, libtiff's decode of it;
# fax-pages.txt lists them. Rows of every kind: white, black, long runs (past
# the extended make-up codes at 2561 and 6000), noise, and rows shifted a
# little from the one above (the vertical modes).
rm -f ./fax-*
for w in 1 7 8 9 1728 2561 6000; do
  h=31; [ $w = 1728 ] && h=96; [ $w = 2561 ] && h=90; [ $w = 6000 ] && h=24
  /usr/bin/python3 - "$w" "$h" <<'PY'
import random, sys
from PIL import Image
w, h = int(sys.argv[1]), int(sys.argv[2])
rnd = random.Random(w * 7 + h)
rows, prev, sweep = [], [0] * w, 0
for y in range(h):
    kind = y % 6
    if kind == 2 and w > 2000: kind = 1
    if kind == 0: row = [y % 12 // 6] * w
    elif kind == 1:
        row, c = [], rnd.randint(0, 1)
        while len(row) < w:
            row += [c] * rnd.choice([1, 2, 3, rnd.randint(1, 70), rnd.randint(60, 3000)])
            c ^= 1
    elif kind == 4:
        # Every make-up code in both colours, given rows enough.
        row, c = [], y // 6 % 2
        while len(row) < w:
            row += [c] * (64 * (1 + sweep // 2 % max(1, min(40, w // 64))) + sweep * 7 % 64)
            c ^= 1
            sweep += 1
    elif kind == 2: row = [rnd.randint(0, 1) for _ in range(w)]
    else:
        s = rnd.randint(-3, 3)
        row = [prev[min(max(x - s, 0), w - 1)] for x in range(w)]
        for _ in range(rnd.randint(0, 3)): row[rnd.randrange(w)] ^= 1
    row = row[:w]
    rows.append(row)
    prev = row
im = Image.new("1", (w, h))
im.putdata([0 if v else 255 for r in rows for v in r])
im.save(f"fax-src-{w}.tif")
for name, c in [("pil-mh", "tiff_ccitt"), ("pil-g3", "group3"), ("pil-g4", "group4")]:
    im.save(f"fax-{name}-{w}-p1.tif", compression=c)
PY
  convert fax-src-$w.tif -compress None -define quantum:polarity=min-is-white fax-src0-$w.tif
  for p in 0 1; do
    src=fax-src-$w.tif; [ $p = 0 ] && src=fax-src0-$w.tif
    for c in g3:1d g3:1d:fill g3:2d g4; do tiffcp -c $c -r 100000 $src fax-tc-${c//:/_}-$w-p$p.tif; done
  done
  convert fax-src-$w.tif -compress Fax -define tiff:rows-per-strip=100000 fax-im-g3-$w-p0.tif
  convert fax-src-$w.tif -compress Group4 -define tiff:rows-per-strip=100000 fax-im-g4-$w-p0.tif
  rm -f fax-src-$w.tif fax-src0-$w.tif
done
for f in fax-*.tif; do tifftopnm "$f" 2>/dev/null | ppmtoppm > "${f%.tif}.ref.ppm"; done
ls fax-*.tif > fax-pages.txt
# TIFF matrix
# tif-COMP-KIND-ORDER-wW-STRIPS.tif: every compression the reader takes
# (none, PackBits, LZW, LZW with the horizontal predictor) for every kind of
# page (gray, min-is-white, RGB, RGBA, palette) in both byte orders, widths
# 1, 3 and 17 and one strip or strips of 4 rows (11 rows: the last strip is
# short), all rewritten by tiffcp from Pillow's and ImageMagick's pages. Also
# Pillow's and ImageMagick's own compressed files and a three-page file. Each
# with tif-*.ref.ppm, netpbm's decode of it.
/usr/bin/python3 - <<'PY'
import random
from PIL import Image
for w in (1, 3, 17):
    rng = random.Random(w)
    # Runs and noise: both kinds of PackBits packet, long and short LZW strings.
    rgb = bytearray()
    for i in range(w * 11):
        rgb += bytes([i % 7 * 30, 200, 17]) if (i // 5) % 2 else rng.randbytes(3)
    im = Image.frombytes("RGB", (w, 11), bytes(rgb))
    im.save(f"tsrc-rgb-{w}.tif")
    im.convert("L").save(f"tsrc-gray-{w}.tif")
    a = im.copy()
    a.putalpha(Image.frombytes("L", (w, 11), rng.randbytes(w * 11)))
    a.save(f"tsrc-rgba-{w}.tif")
    im.quantize(40).save(f"tsrc-palette-{w}.tif")
    if w == 17:
        im.save("tif-pil-lzw-rgb.tif", compression="tiff_lzw")
        im.convert("L").save("tif-pil-packbits-gray.tif", compression="packbits")
        im.quantize(40).save("tif-pil-lzw-palette.tif", compression="tiff_lzw")
PY
for w in 1 3 17; do
  convert tsrc-gray-$w.tif -define quantum:polarity=min-is-white -compress none tsrc-miniswhite-$w.tif
done
i=0
for comp in none packbits lzw lzw:2; do
  for kind in gray miniswhite rgb rgba palette; do
    for order in L B; do
      w=$(( (i % 3 == 0) ? 1 : (i % 3 == 1) ? 3 : 17 ))
      rows=11; strips=one
      [ $(( (i / 3) % 2 )) = 1 ] && { rows=4; strips=several; }
      name=tif-${comp/:2/-pred}-$kind-$order-w$w-$strips.tif
      tiffcp -c "$comp" -$order -r $rows tsrc-$kind-$w.tif "$name"
      i=$((i + 1))
    done
  done
done
convert tsrc-rgb-17.tif -compress LZW tif-im-lzw-rgb.tif
convert tsrc-gray-17.tif -compress RLE tif-im-packbits-gray.tif
tiffcp -c lzw tsrc-rgb-17.tif tsrc-gray-17.tif tsrc-palette-17.tif tif-pages.tif
tifftopnm tsrc-rgb-17.tif 2>/dev/null | ppmtoppm > tif-pages-0.ref.ppm
tifftopnm tsrc-gray-17.tif 2>/dev/null | ppmtoppm > tif-pages-1.ref.ppm
tifftopnm tsrc-palette-17.tif 2>/dev/null | ppmtoppm > tif-pages-2.ref.ppm
rm -f tsrc-*.tif
# tif-dirfirst-NAME.tif: the page's strips copied behind its directory, the
# offsets pointing there: cut inside a copy, the directory still claims the
# whole strip (libtiff writes the strips first, its directory last).
/usr/bin/python3 - tif-none-rgb-L-w3-several.tif tif-packbits-gray-B-w17-several.tif \
  tif-lzw-pred-rgb-B-w17-several.tif fax-tc-g4-9-p0.tif <<'PY'
import struct, sys
for src in sys.argv[1:]:
    b = bytearray(open(src, "rb").read())
    e = "<" if b[:2] == b"II" else ">"
    ifd = struct.unpack_from(e + "I", b, 4)[0]
    arrays = {}  # tag: (format of its values, where they are)
    for at in range(ifd + 2, ifd + 2 + 12 * struct.unpack_from(e + "H", b, ifd)[0], 12):
        tag, typ, count = struct.unpack_from(e + "HHI", b, at)
        fmt = e + ("H" if typ == 3 else "I") * count
        arrays[tag] = (fmt, at + 8 if struct.calcsize(fmt) <= 4 else struct.unpack_from(e + "I", b, at + 8)[0])
    offsets, counts = (struct.unpack_from(arrays[tag][0], b, arrays[tag][1]) for tag in (273, 279))
    strips = b"".join(b[o:o + c] for o, c in zip(offsets, counts))
    struct.pack_into(arrays[273][0], b, arrays[273][1], *(len(b) + sum(counts[:k]) for k in range(len(counts))))
    open("tif-dirfirst-" + src.removeprefix("tif-"), "wb").write(b + strips)
PY
for f in tif-*.tif; do
  [ "$f" = tif-pages.tif ] || { tifftopnm "$f" 2>/dev/null | ppmtoppm > "${f%.tif}.ref.ppm"; }
done
# netpbm lays the colours of RGBA pages over a background; Pillow keeps them as stored.
/usr/bin/python3 - <<'PY'
import glob
from PIL import Image
for f in glob.glob("tif-*-rgba-*.tif"):
    Image.open(f).convert("RGB").save(f[:-4] + ".ref.ppm")
PY
# TIFF variants: tiv-NAME.tif with tiv-NAME.ref.ppm. 1, 2 and 4-bit gray,
# min-is-white and palette pages and 16-bit gray, RGB and RGBA pages from
# ImageMagick, each rewritten by tiffcp in every compression (Deflate too)
# and alternate byte orders; 8-bit pages in Deflate, tiles (edge tiles cut),
# one plane per sample, bits in reverse order (FillOrder 2), the eight
# orientations, CMYK; Pillow's two Deflate codes. References: libtiff's
# decode (tifftopnm, scaled to 255 by pnmdepth's rounding), ImageMagick's for
# RGBA and turned pages.
convert -size 17x11 -seed 4 plasma:fractal -depth 8 vsrc.ppm
convert -size 37x35 -seed 6 plasma:fractal -depth 8 vsrc-big.ppm
convert -size 17x11 -seed 5 plasma:fractal -depth 16 vsrc16.ppm
mw="-define quantum:polarity=min-is-white"
for d in 1 2 4; do
  convert vsrc.ppm -colorspace gray -depth $d -compress none tvs-gray$d.tif
  convert vsrc.ppm -colorspace gray -depth $d $mw -compress none tvs-miniswhite$d.tif
  convert vsrc.ppm -colors $((1 << d)) -type Palette -depth $d -compress none tvs-palette$d.tif
done
convert vsrc16.ppm -colorspace gray -depth 16 -compress none tvs-gray16.tif
convert vsrc16.ppm -depth 16 -compress none tvs-rgb16.tif
convert vsrc16.ppm -alpha set -channel A -fx 'i/w' +channel -depth 16 -compress none tvs-rgba16.tif
convert vsrc.ppm -depth 8 -compress none tvs-rgb8.tif
convert vsrc.ppm -colorspace gray -depth 8 -compress none tvs-gray8.tif
convert vsrc.ppm -alpha set -channel A -fx 'j/h' +channel -depth 8 -compress none tvs-rgba8.tif
convert vsrc.ppm -colors 40 -type Palette -depth 8 -compress none tvs-palette8.tif
convert vsrc-big.ppm -depth 8 -compress none tvs-rgbbig.tif
i=0
for src in tvs-*.tif; do
  kind=${src#tvs-}; kind=${kind%.tif}
  for comp in none lzw packbits zip zip:2; do
    case "$kind:$comp" in
      *[124]:zip:2 | palette*:zip:2 | rgbbig:*) continue ;;  # no predictor below 8 bits or on indexes
    esac
    order=L; [ $((i % 2)) = 1 ] && order=B
    i=$((i + 1))
    tiffcp -c "$comp" -$order "$src" "tiv-$kind-${comp/:2/-pred}-$order.tif"
  done
done
# Tiles of 16 x 16 (the edge tiles of 17 x 11 cut) and of 16 x 32; planes.
for kind in rgb8 gray4 palette4 gray1 rgb16 rgba8; do
  tiffcp -c lzw -t -w 16 -l 16 tvs-$kind.tif tiv-$kind-tiles.tif
done
tiffcp -c zip -t -w 16 -l 32 -B tvs-rgbbig.tif tiv-rgbbig-tiles-zip-B.tif
tiffcp -c none -t -w 32 -l 16 tvs-rgbbig.tif tiv-rgbbig-tiles-none.tif
tiffcp -c packbits -t -w 16 -l 16 tvs-palette8.tif tiv-palette8-tiles-packbits.tif
# (tiffcp splits 8-bit samples only)
for kind in rgb8 rgba8; do
  tiffcp -c lzw:2 -p separate -r 4 tvs-$kind.tif tiv-$kind-planes.tif
done
tiffcp -c none -p separate -B tvs-rgbbig.tif tiv-rgbbig-planes-none-B.tif
tiffcp -c zip -p separate -t -w 16 -l 16 tvs-rgbbig.tif tiv-rgbbig-planes-tiles.tif
# Bits of each byte in reverse order: bilevel pages and fax pages.
for comp in none packbits lzw; do tiffcp -c $comp -f lsb2msb tvs-gray1.tif tiv-gray1-fill2-$comp.tif; done
tiffcp -c none -f lsb2msb tvs-palette4.tif tiv-palette4-fill2.tif
convert vsrc-big.ppm -monochrome -depth 1 -type bilevel -compress none tvs-bw.tif
for c in g3:1d g3:2d g4; do tiffcp -c $c -f lsb2msb tvs-bw.tif tiv-fax-fill2-${c//:/_}.tif; done
# JPEG strips and tiles, the tables once in JPEGTables: YCbCr with its colour
# subsampled, RGB, gray and CMYK; 16 x 16 tiles with the edge ones cut.
tiffcp -c jpeg -r 16 tvs-rgbbig.tif tiv-jpeg-ycbcr.tif
tiffcp -c jpeg:r -r 8 -B tvs-rgb8.tif tiv-jpeg-rgb-B.tif
tiffcp -c jpeg -r 8 tvs-gray8.tif tiv-jpeg-gray.tif
tiffcp -c jpeg -t -w 16 -l 16 tvs-rgbbig.tif tiv-jpeg-tiles.tif
convert vsrc-big.ppm -colorspace CMYK -depth 8 -compress none tvs-cmykbig.tif
tiffcp -c jpeg tvs-cmykbig.tif tiv-jpeg-cmyk.tif
# Pillow's Deflate, under both codes.
/usr/bin/python3 - <<'PY'
from PIL import Image
im = Image.open("vsrc.ppm")
im.save("tiv-pil-deflate8-rgb.tif", compression="tiff_adobe_deflate")
im.convert("L").save("tiv-deflate32946-gray.tif", compression="tiff_adobe_deflate")
# The old code of the same Deflate: Pillow writes 8 for both names.
import struct
b = bytearray(open("tiv-deflate32946-gray.tif", "rb").read())
at = struct.unpack_from("<I", b, 4)[0]
for i in range(struct.unpack_from("<H", b, at)[0]):
    if struct.unpack_from("<H", b, at + 2 + 12 * i)[0] == 259:
        struct.pack_into("<H", b, at + 2 + 12 * i + 8, 32946)
open("tiv-deflate32946-gray.tif", "wb").write(b)
PY
for f in tiv-*.tif; do
  case $f in tiv-jpeg-*) continue ;; esac
  tifftopnm "$f" 2>/dev/null | pnmdepth 255 2>/dev/null | ppmtoppm > "${f%.tif}.ref.ppm"
done
for f in tiv-rgba8*.tif; do convert "$f" -alpha off -depth 8 "PPM:${f%.tif}.ref.ppm"; done
# 16-bit samples: libtiff undoes the compression and predictor into one
# little-endian strip (tiffcp), and each sample is rounded to 8 bits by the
# common rule (v * 255 + 32767) / 65535; alpha is left out. (tifftopnm keeps
# only the top byte of gray samples, ImageMagick rounds RGBA ones another way.)
for f in tiv-*16*.tif; do
  tiffcp -c none -L -s -r 100000 "$f" tvs-flat.tif
  /usr/bin/python3 - tvs-flat.tif "${f%.tif}.ref.ppm" <<'PY'
import struct, sys
b = open(sys.argv[1], "rb").read()
at = struct.unpack_from("<I", b, 4)[0]
tags = {}
for i in range(struct.unpack_from("<H", b, at)[0]):
    tag, typ, count, value = struct.unpack_from("<HHII", b, at + 2 + 12 * i)
    tags[tag] = value & 0xFFFF if typ == 3 else value
w, h, spp = tags[256], tags[257], tags.get(277, 1)
v = struct.unpack_from("<%dH" % (w * h * spp), b, tags[273])
px = bytearray()
for i in range(w * h):
    s = v[i * spp:(i + 1) * spp]
    px += bytes((c * 255 + 32767) // 65535 for c in (s[:3] if spp >= 3 else s[:1] * 3))
open(sys.argv[2], "wb").write(b"P6\n%d %d\n255\n" % (w, h) + px)
PY
done
rm -f tvs-flat.tif
# CMYK and JPEG (which tifftopnm refuses as YCbCr): libtiff's own conversion to RGB.
convert vsrc.ppm -colorspace CMYK -depth 8 -compress none tvs-cmyk.tif
tiffcp -c none tvs-cmyk.tif tiv-cmyk-none.tif
tiffcp -c lzw -B tvs-cmyk.tif tiv-cmyk-lzw-B.tif
for f in tiv-cmyk-*.tif tiv-jpeg-*.tif; do tiff2rgba -n "$f" tvs-rgba.tif && tifftopnm tvs-rgba.tif 2>/dev/null > "${f%.tif}.ref.ppm"; done
# The eight orientations, set by libtiff's tiffset on one page; ImageMagick
# turns each upright.
for o in 1 2 3 4 5 6 7 8; do
  tiffcp -c lzw tvs-rgb8.tif tiv-orient$o.tif
  tiffset -s 274 $o tiv-orient$o.tif
  convert tiv-orient$o.tif -auto-orient -depth 8 PPM:tiv-orient$o.ref.ppm
done
rm -f tvs-*.tif vsrc*.ppm
# Strips and tiles behind the directory (as the tif-dirfirst- files), so that
# a file cut short still has its directory.
/usr/bin/python3 - tiv-rgb16-zip-pred-*.tif tiv-rgb8-tiles.tif tiv-rgbbig-planes-tiles.tif \
  tiv-gray4-lzw-*.tif tiv-fax-fill2-g4.tif tiv-jpeg-tiles.tif tiv-jpeg-ycbcr.tif <<'PY'
import struct, sys
for src in sys.argv[1:]:
    b = bytearray(open(src, "rb").read())
    e = "<" if b[:2] == b"II" else ">"
    ifd = struct.unpack_from(e + "I", b, 4)[0]
    arrays = {}
    for at in range(ifd + 2, ifd + 2 + 12 * struct.unpack_from(e + "H", b, ifd)[0], 12):
        tag, typ, count = struct.unpack_from(e + "HHI", b, at)
        fmt = e + ("H" if typ == 3 else "I") * count
        arrays[tag] = (fmt, at + 8 if struct.calcsize(fmt) <= 4 else struct.unpack_from(e + "I", b, at + 8)[0])
    off, cnt = (273, 279) if 273 in arrays else (324, 325)
    offsets, counts = (struct.unpack_from(arrays[tag][0], b, arrays[tag][1]) for tag in (off, cnt))
    blocks = b"".join(b[o:o + c] for o, c in zip(offsets, counts))
    struct.pack_into(arrays[off][0], b, arrays[off][1], *(len(b) + sum(counts[:k]) for k in range(len(counts))))
    name = "tiv-dirfirst-" + src.removeprefix("tiv-").replace("-L.tif", ".tif").replace("-B.tif", ".tif")
    open(name, "wb").write(b + blocks)
    open(name[:-4] + ".ref.ppm", "wb").write(open(src[:-4] + ".ref.ppm", "rb").read())
PY
# BMP variants: bmv-NAME.bmp with bmv-NAME.ref.ppm. ImageMagick's RLE8 and
# bit fields (5-6-5, 5-5-5 and 32-bit masks in version 5 headers) and OS/2
# 1.x files of ImageMagick's and netpbm's. No writer here makes RLE4, bit
# fields after a 40-byte header, 16 bits without masks or wide masks, so the
# small writer below does (every escape, odd literal runs, runs and jumps);
# all decoded by ImageMagick (and bit fields by Pillow), never by Lumora's
# rules.
convert -size 61x37 -seed 3 plasma:fractal -depth 8 bsrc.ppm
convert -size 9x5 -seed 8 plasma:fractal -depth 8 bsrc-small.ppm
for s in bsrc bsrc-small; do
  n=${s#bsrc}; n=${n#-}; n=${n:-a}
  convert $s.ppm -colors 200 -compress RLE BMP3:bmv-im-rle8-$n.bmp
  convert $s.ppm -colors 12 -compress RLE BMP:bmv-im-rle8v5-$n.bmp
  convert $s.ppm -define bmp:subtype=RGB565 BMP:bmv-im-565-$n.bmp
  convert $s.ppm -define bmp:subtype=RGB555 BMP:bmv-im-555-$n.bmp
  convert $s.ppm -alpha set -channel A -fx 'i/w' +channel BMP:bmv-im-32fields-$n.bmp
  convert $s.ppm BMP2:bmv-im-os2-24-$n.bmp
  convert $s.ppm -colors 16 BMP2:bmv-im-os2-4-$n.bmp
  convert $s.ppm -colors 200 BMP2:bmv-im-os2-8-$n.bmp
  ppmtobmp -os2 -bpp 24 $s.ppm > bmv-np-os2-24-$n.bmp 2>/dev/null
  pnmquant 16 $s.ppm 2>/dev/null | ppmtobmp -os2 -bpp 4 > bmv-np-os2-4-$n.bmp 2>/dev/null
  ppmtopgm $s.ppm | pgmtopbm | ppmtobmp -os2 -bpp 1 > bmv-np-os2-1-$n.bmp 2>/dev/null
done
/usr/bin/python3 - <<'PY'
import random, struct
from PIL import Image

def bmp(name, w, h, bits, compression, pixels, palette=None, masks=None, header=40):
    pal = b"".join(bytes([b, g, r, 0]) for r, g, b in (palette or []))
    extra = struct.pack("<III", *masks) if masks else b""
    info = struct.pack("<IiiHHIIiiII", header, w, h, 1, bits, compression, len(pixels), 2835, 2835,
                       len(palette or []), 0)
    offset = 14 + len(info) + len(extra) + len(pal)
    data = info + extra + pal + pixels
    open(name, "wb").write(b"BM" + struct.pack("<IHHI", 14 + len(data), 0, 0, offset) + data)

rng = random.Random(30)
for w, h, tag in ((61, 37, "a"), (9, 5, "small")):
    src = Image.open("bsrc.ppm" if tag == "a" else "bsrc-small.ppm")
    q4 = src.quantize(16)
    pal = q4.getpalette()[:48]
    palette = [tuple(pal[3 * i:3 * i + 3]) for i in range(16)]
    idx = list(q4.getdata())
    # RLE4: per row, runs of one or two alternating indexes, odd and even
    # literal groups, a jump right within the row now and then, and rows
    # left to end-of-line early; a jump of rows near the top; end of bitmap.
    out = bytearray()
    y = 0
    while y < h:
        row = idx[(h - 1 - y) * w:(h - y) * w]
        x = 0
        while x < w:
            left = w - x
            kind = rng.choice("rrlldE")
            if kind == "r":
                n = min(left, rng.randint(1, 20))
                out += bytes([n, row[x] << 4 | row[min(x + 1, w - 1)]])
                x += n  # the file's pixels: alternating, as written
            elif kind == "l" and left >= 3:
                n = min(left, rng.randint(3, 15))
                packed = bytearray()
                for i in range(0, n, 2):
                    packed.append(row[x + i] << 4 | (row[x + i + 1] if i + 1 < n else 0))
                if len(packed) % 2: packed.append(0)
                out += bytes([0, n]) + packed
                x += n
            elif kind == "d" and left > 2:
                n = rng.randint(1, min(left - 1, 6))
                out += bytes([0, 2, n, 0])
                x += n
            elif kind == "E" and x > 0:
                break
            else:
                out += bytes([1, row[x] << 4])
                x += 1
        if y == h - 3 and h > 4:
            out += bytes([0, 2, 0, 1])  # up one row (from column 0)
            y += 1
        out += bytes([0, 0])
        y += 1
    out += bytes([0, 1])
    bmp(f"bmv-rle4-{tag}.bmp", w, h, 4, 2, bytes(out), palette)
    # RLE8 of the same kind, with a jump right and up at once.
    q8 = src.quantize(200)
    pal8 = q8.getpalette()
    palette8 = [tuple(pal8[3 * i:3 * i + 3]) for i in range(len(pal8) // 3)]
    idx8 = list(q8.getdata())
    out = bytearray()
    for y in range(h):
        row = idx8[(h - 1 - y) * w:(h - y) * w]
        x = 0
        while x < w:
            n = 1
            while x + n < w and row[x + n] == row[x] and n < 255: n += 1
            if n > 1 or w - x < 3:
                out += bytes([n, row[x]])
                x += n
            else:
                n = min(w - x, rng.randint(3, 9))
                out += bytes([0, n]) + bytes(row[x:x + n]) + (b"\0" if n % 2 else b"")
                x += n
        if y == 1:
            out += bytes([0, 2, 3, 1])  # row 2 starts at column 3: the rest of row 1 and the start of row 2 unset
            continue
        out += bytes([0, 0])
    bmp(f"bmv-rle8-{tag}.bmp", w, h, 8, 1, bytes(out), palette8)
    # Bit fields after a 40-byte header, 16 bits without masks (5-5-5), and
    # masks wider than 8 bits: 10-10-10 in 32 bits.
    rgb = list(src.getdata())
    def rows(bits, pack):
        stride = (w * bits + 31) // 32 * 4
        data = bytearray()
        for y in range(h - 1, -1, -1):
            line = b"".join(pack(*rgb[y * w + x]) for x in range(w))
            data += line + bytes(stride - len(line))
        return bytes(data)
    p565 = lambda r, g, b: struct.pack("<H", (r >> 3) << 11 | (g >> 2) << 5 | b >> 3)
    p555 = lambda r, g, b: struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)
    p1010 = lambda r, g, b: struct.pack("<I", (r * 4 + 3) << 20 | (g * 4 + 1) << 10 | b * 4)
    bmp(f"bmv-565-40-{tag}.bmp", w, h, 16, 3, rows(16, p565), masks=(0xF800, 0x7E0, 0x1F))
    bmp(f"bmv-555-nomasks-{tag}.bmp", w, h, 16, 0, rows(16, p555))
    bmp(f"bmv-1010-{tag}.bmp", w, h, 32, 3, rows(32, p1010), masks=(0x3FF00000, 0xFFC00, 0x3FF))
PY
rm -f bsrc.ppm bsrc-small.ppm
for f in bmv-*.bmp; do convert "$f" -alpha off -depth 8 "PPM:${f%.bmp}.ref.ppm"; done
# Bit fields Pillow reads (5-6-5, 5-5-5, 8-bit masks): Pillow's decode instead.
/usr/bin/python3 - bmv-*565*.bmp bmv-*555*.bmp bmv-im-32fields-*.bmp <<'PY'
import sys
from PIL import Image
for f in sys.argv[1:]:
    Image.open(f).convert("RGB").save(f[:-4] + ".ref.ppm")
PY
# Photo CD: a pack of flat blocks of colour written by ImageMagick, with
# ImageMagick's own read of it.
convert -size 768x512 xc:gray50 \
  -fill '#c03020' -draw 'rectangle 0,0 191,255' -fill '#20a040' -draw 'rectangle 192,0 383,255' \
  -fill '#3050d0' -draw 'rectangle 384,0 575,255' -fill white -draw 'rectangle 576,0 767,255' \
  -fill black -draw 'rectangle 0,256 191,511' -fill '#e0e020' -draw 'rectangle 192,256 383,511' \
  -fill '#20c0c0' -draw 'rectangle 384,256 575,511' pcd-blocks.ppm
convert pcd-blocks.ppm pcd-blocks.pcd
convert pcd-blocks.pcd -depth 8 pcd-blocks.ref.ppm
rm -f pcd-blocks.ppm
# IFF: netpbm's ILBM writer for 1 to 8 planes, stored and ByteRun1-packed, at
# widths 61, 16, 17 and 1 (rows of several plane words, exactly one, one bit
# into a second, one pixel); a picture with a mask plane; HAM6 and HAM8. Each
# iff-*.ref.ppm is ilbmtoppm's decode, except for HAM: netpbm scales the
# modified component to the full range where Lumora shifts it (15 becomes 240,
# not 255), so those references come from the small decoder below, which
# follows the shifting rule.
convert -size 61x37 -seed 7 plasma:fractal -depth 8 isrc-61.ppm
for w in 16 17 1; do convert isrc-61.ppm -resize ${w}x23\! -depth 8 isrc-$w.ppm; done
widths=(- 16 17 1 61 16 17 61 61)  # by planes; enough pixels for 2^planes colours
for n in 1 2 3 4 5 6 7 8; do
  w=${widths[$n]}
  pnmquant $((1 << n)) isrc-$w.ppm > isrc-q.ppm 2>/dev/null
  for c in none byterun1; do
    ppmtoilbm -maxplanes $n -cmethod $c isrc-q.ppm > iff-p$n-$c-w$w.iff 2>/dev/null
  done
done
pnmquant 16 isrc-61.ppm 2>/dev/null > isrc-q.ppm
pbmmake -gray 61 37 > isrc-mask.pbm
ppmtoilbm -mmethod maskplane -maskfile isrc-mask.pbm isrc-q.ppm > iff-maskplane.iff 2>/dev/null
for f in iff-*.iff; do ilbmtoppm "$f" 2>/dev/null | ppmtoppm > "${f%.iff}.ref.ppm"; done
for c in none byterun1; do
  ppmtoilbm -hamforce -ham6 -cmethod $c isrc-61.ppm > iff-ham6-$c.iff 2>/dev/null
  ppmtoilbm -hamforce -ham8 -cmethod $c isrc-61.ppm > iff-ham8-$c.iff 2>/dev/null
done
rm -f isrc-*
/usr/bin/python3 - <<'PY'
import glob, struct

def chunks(data):
    at = 12
    while at + 8 <= len(data):
        size = struct.unpack(">I", data[at + 4:at + 8])[0]
        yield data[at:at + 4], data[at + 8:at + 8 + size]
        at += 8 + size + size % 2

def byterun1(src, need):
    out, i = bytearray(), 0
    while len(out) < need and i < len(src):
        n, i = src[i], i + 1
        if n < 128:
            out += src[i:i + n + 1]
            i += n + 1
        elif n > 128:
            out += bytes([src[i] if i < len(src) else 0]) * (257 - n)
            i += 1
    return (bytes(out) + bytes(need))[:need]

for name in sorted(glob.glob("iff-ham*.iff")):
    c = dict(chunks(open(name, "rb").read()))  # the last chunk of a kind wins
    w, h = struct.unpack(">HH", c[b"BMHD"][:4])
    planes, masking, packing = c[b"BMHD"][8:11]
    cmap = c.get(b"CMAP", b"")
    pal = [list(cmap[3 * i:3 * i + 3]) for i in range(min(len(cmap) // 3, 256))]
    pal += [[0, 0, 0]] * (256 - len(pal))
    words = (w + 15) // 16 * 2
    lines = planes + (1 if masking == 1 else 0)
    need = words * lines * h
    body = byterun1(c[b"BODY"], need) if packing == 1 else (c[b"BODY"] + bytes(need))[:need]
    k = planes - 2
    out = bytearray()
    for y in range(h):
        row = body[y * words * lines:(y + 1) * words * lines]
        colour = list(pal[0])
        for x in range(w):
            v = sum(((row[p * words + x // 8] >> (7 - x % 8)) & 1) << p for p in range(planes))
            control, value = v >> k, v % (1 << k)
            if control == 0:
                colour = list(pal[value])
            else:
                colour[(None, 2, 0, 1)[control]] = value * (256 >> k)
            out += bytes(colour)
    open(name[:-4] + ".ref.ppm", "wb").write(b"P6\n%d %d\n255\n" % (w, h) + bytes(out))
PY
# PCX: pcx-ENCODER-KIND-wW.pcx of widths 1, 7, 8, 9 and 31 (bit planes that
# end inside a byte, on one and one past it) and 203 (long lines, decoded a
# word at a time), each with pcx-....ref.ppm,
# netpbm's decode of it: netpbm's writer in each of its layouts, Pillow's
# modes and ImageMagick's true colour and palette files (it writes no 1-bit
# ones). Pillow's RGB writer loses data at width 1 (no reader takes its file
# back), so that one is left out.
for w in 1 7 8 9 31 203; do
  src=pcx-src-$w.ppm
  convert -size ${w}x11 -seed $w plasma:fractal -depth 8 $src
  ppmtopcx -24bit $src > pcx-np-24bit-w$w.pcx 2>/dev/null
  pnmquant 200 $src 2>/dev/null | ppmtopcx -8bit > pcx-np-8bit-w$w.pcx 2>/dev/null
  pnmquant 16 $src 2>/dev/null | ppmtopcx -packed > pcx-np-packed-w$w.pcx 2>/dev/null
  for k in 1 2 3 4; do
    pnmquant $((1 << k)) $src 2>/dev/null | ppmtopcx -planes $k > pcx-np-planes$k-w$w.pcx 2>/dev/null
  done
  # A palette file of the colours in reverse order of first use.
  pnmquant 16 $src 2>/dev/null > pcx-q16.ppm
  pnmcolormap all pcx-q16.ppm 2>/dev/null | pnmflip -lr > pcx-map.ppm
  ppmtopcx -palette=pcx-map.ppm pcx-q16.ppm > pcx-np-palette-w$w.pcx 2>/dev/null
  pnmremap -nofloyd -mapfile=/usr/share/netpbm/pcxstd.ppm $src 2>/dev/null |
    ppmtopcx -stdpalette > pcx-np-stdpalette-w$w.pcx 2>/dev/null
  /usr/bin/python3 - $src $w <<'PY'
import sys
from PIL import Image
im, w = Image.open(sys.argv[1]), sys.argv[2]
for mode in ("1", "L", "P", "RGB"):
    if mode != "RGB" or w != "1":
        (im.quantize(40) if mode == "P" else im.convert(mode)).save(f"pcx-pil-{mode}-w{w}.pcx")
PY
  convert $src PCX:pcx-im-rgb-w$w.pcx
  convert $src -colors 60 -type Palette PCX:pcx-im-palette-w$w.pcx
  rm -f $src pcx-q16.ppm pcx-map.ppm
done
for f in pcx-*.pcx; do pcxtoppm "$f" 2>/dev/null | ppmtoppm > "${f%.pcx}.ref.ppm"; done
# DCX: three pages of ImageMagick's (true colour, one flat colour, a palette),
# each page's reference ImageMagick's read of that page.
convert -size 13x7 -seed 1 plasma:fractal -depth 8 dcx-0.ppm
convert -size 5x9 xc:'#c08040' -depth 8 dcx-1.ppm
convert -size 9x4 -seed 2 plasma:fractal -colors 20 -type Palette -depth 8 dcx-2.png
convert dcx-0.ppm dcx-1.ppm dcx-2.png DCX:pcx-pages.dcx
for i in 0 1 2; do convert "pcx-pages.dcx[$i]" -depth 8 PPM:pcx-pages-$i.ref.ppm; done
rm -f dcx-0.ppm dcx-1.ppm dcx-2.png
# Embedded colour profiles: icc-PROFILE.EXT tagged (not converted) with a
# profile of Debian's icc-profiles-free or colord-data, each with
# icc-....ref.ppm, ImageMagick's perceptual conversion of it to sRGB.
# icc-srgb* carry sRGB profiles (version 2 and 4): their decode is the
# untagged one's. A JPEG whose wide-gamut profile spans three APP2 segments
# written out of order, and hostile ones (icc-bad-*) that must show as if
# untagged.
icc=/usr/share/color/icc
convert -size 97x61 -seed 5 plasma:fractal -modulate 100,180 -depth 8 icc-src.ppm
convert icc-src.ppm -quality 92 -profile $icc/compatibleWithAdobeRGB1998.icc icc-adobe.jpg
convert icc-src.ppm -quality 92 -profile $icc/colord/WideGamutRGB.icc icc-wide.jpg
convert icc-src.ppm -profile $icc/colord/ProPhotoRGB.icc icc-prophoto.png
convert icc-src.ppm -compress lzw -profile $icc/compatibleWithAdobeRGB1998.icc icc-adobe-lzw.tif
for f in icc-adobe.jpg icc-wide.jpg icc-prophoto.png icc-adobe-lzw.tif; do
  convert "$f" -intent perceptual -profile $icc/sRGB.icc -depth 8 "PPM:${f%.*}.ref.ppm"
done
convert icc-src.ppm -quality 92 icc-none.jpg
convert icc-src.ppm -quality 92 -profile $icc/sRGB.icc icc-srgb2.jpg
convert icc-src.ppm -profile $icc/colord/sRGB.icc icc-srgb4.png
/usr/bin/python3 - <<'PY'
import struct
data = open("icc-wide.jpg", "rb").read()
profile = open("/usr/share/color/icc/colord/WideGamutRGB.icc", "rb").read()
# The file's own segments without its profile.
segments, at = [], 2
while data[at + 1] != 0xDA:
    n = struct.unpack(">H", data[at + 2:at + 4])[0]
    if not (data[at + 1] == 0xE2 and data[at + 4:at + 16] == b"ICC_PROFILE\0"):
        segments.append(data[at:at + 2 + n])
    at += 2 + n
rest = data[at:]
def app2(number, count, chunk):
    body = b"ICC_PROFILE\0" + bytes([number, count]) + chunk
    return b"\xff\xe2" + struct.pack(">H", len(body) + 2) + body
def write(name, profile, order, count=None, numbers=None):
    k = len(profile) // 3 + 1
    chunks = [profile[i * k:(i + 1) * k] for i in range(3)]
    numbers = numbers or [1, 2, 3]
    marks = b"".join(app2(numbers[i], count or 3, chunks[i]) for i in order)
    open(name, "wb").write(data[:2] + segments[0] + marks + b"".join(segments[1:]) + rest)
write("icc-wide-3chunks.jpg", profile, [1, 2, 0])
write("icc-bad-missing-chunk.jpg", profile, [2, 0])
write("icc-bad-duplicate-chunk.jpg", profile, [0, 1, 2], numbers=[1, 2, 2])
write("icc-bad-chunk-count.jpg", profile, [0, 1, 2], count=4)
def changed(at, value):
    p = bytearray(profile)
    p[at:at + 4] = struct.pack(">I", value)
    return bytes(p)
tags = struct.unpack(">I", profile[128:132])[0]
write("icc-bad-size-field.jpg", changed(0, len(profile) + 1), [0, 1, 2])
write("icc-bad-tag-count.jpg", changed(128, 0x10000000), [0, 1, 2])
write("icc-bad-tag-offset.jpg", changed(132 + 4, len(profile) - 4), [0, 1, 2])
write("icc-bad-tag-in-table.jpg", changed(132 + 4, 132), [0, 1, 2])
# A tag whose size runs past the end by one byte.
off, size = struct.unpack(">II", profile[132 + 4:132 + 12])
write("icc-bad-tag-size.jpg", changed(132 + 8, len(profile) - off + 1), [0, 1, 2])
PY
# WebP carries its profile in an ICCP chunk (webpmux); the reference converts
# dwebp's decode of the untagged file.
cwebp -quiet -lossless icc-src.ppm -o icc-plain.webp
webpmux -set icc $icc/compatibleWithAdobeRGB1998.icc icc-plain.webp -o icc-adobe-lossless.webp >/dev/null 2>&1
dwebp -quiet icc-plain.webp -ppm -o icc-plain.ppm
convert icc-plain.ppm -profile $icc/compatibleWithAdobeRGB1998.icc -intent perceptual -profile $icc/sRGB.icc \
  -depth 8 PPM:icc-adobe-lossless.ref.ppm
rm -f icc-src.ppm icc-plain.webp icc-plain.ppm
# WebP (cwebp, img2webp), each still picture's reference dwebp's decode:
# lossy, lossless, alpha in both (-exact keeps the colours under transparent
# pixels, which show), one carrying a colour profile (odd-length, so padded),
# a larger lossy photo for the files cut short and its quarter-size decode.
convert -size 61x37 -seed 3 plasma:fractal -depth 8 webp-src.ppm
convert webp-src.ppm -alpha set -channel A -fx 'i/w' +channel png32:webp-src-alpha.png
cwebp -quiet -q 80 webp-src.ppm -o webp-lossy.webp
cwebp -quiet -lossless webp-src.ppm -o webp-lossless.webp
cwebp -quiet -q 80 -exact webp-src-alpha.png -o webp-alpha.webp
cwebp -quiet -lossless -exact webp-src-alpha.png -o webp-alpha-lossless.webp
head -c 131 webp-src.ppm > webp-icc.icc
webpmux -set icc webp-icc.icc webp-lossy.webp -o webp-icc.webp >/dev/null 2>&1
convert -size 160x120 -seed 5 plasma:fractal -depth 8 webp-src-photo.ppm
cwebp -quiet -q 85 webp-src-photo.ppm -o webp-photo.webp
for f in webp-*.webp; do dwebp -quiet "$f" -ppm -o "${f%.webp}.ref.ppm"; done
dwebp -quiet -scale 40 30 webp-photo.webp -ppm -o webp-photo-quarter.ref.ppm
# An animation of lossless frames with their own delays: img2webp stores the
# later ones as blended parts of the canvas, which must come out as the
# frames that went in. webpmux reads the delays back.
convert -size 24x16 -seed 7 plasma:fractal -depth 8 webp-anim-0.ref.ppm
convert webp-anim-0.ref.ppm -fill '#e0c020' -draw 'rectangle 3,2 9,8' webp-anim-1.ref.ppm
convert webp-anim-1.ref.ppm -fill '#2040c0' -draw 'rectangle 12,6 20,13' webp-anim-2.ref.ppm
img2webp -loop 0 -lossless -d 70 webp-anim-0.ref.ppm -d 250 webp-anim-1.ref.ppm -d 1200 webp-anim-2.ref.ppm \
  -o webp-anim.webp >/dev/null 2>&1
webpmux -info webp-anim.webp | awk '/^ *[0-9]+:/ {print $7}' > webp-anim.delays
rm -f webp-src*.ppm webp-src-alpha.png
touch "$stamp"
