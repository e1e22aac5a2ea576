# Sourced by the JPEG benchmarks: two 12-megapixel photos made once in
# build/jpeg-photos, a smooth one in 4:2:0 (about 1.4 MB) and one of fine
# detail in 4:4:4 (about 3.7 MB). Sets jpeg_photos.
jpeg_photos=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/jpeg-photos
jpeg_magick=/usr/bin/convert  # the real ImageMagick, not a stand-in earlier on PATH
[ -x "$jpeg_magick" ] || jpeg_magick=$(command -v convert)
mkdir -p "$jpeg_photos"
[ -f "$jpeg_photos/smooth-420.jpg" ] ||
    "$jpeg_magick" -size 4000x3000 -seed 1 plasma:fractal -blur 0x1 -quality 90 -sampling-factor 2x2 \
        "$jpeg_photos/smooth-420.jpg"
[ -f "$jpeg_photos/detailed-444.jpg" ] ||
    "$jpeg_magick" -size 4000x3000 -seed 2 plasma:fractal -attenuate 0.15 +noise Gaussian -quality 90 \
        -sampling-factor 1x1 "$jpeg_photos/detailed-444.jpg"
# The smooth photo as lossy WebP (cwebp) for the WebP benchmark.
[ -f "$jpeg_photos/smooth.webp" ] || cwebp -quiet -q 90 "$jpeg_photos/smooth-420.jpg" -o "$jpeg_photos/smooth.webp"
