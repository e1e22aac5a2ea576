# Sourced by the benchmarks that work on photos: 500 photos of 4000 x 3000
# (JPEG quality 90) in build/thumb-photos, 10 distinct pictures copied to
# 500 names, made once. Sets bench_photos and bench_magick.
bench_magick=/usr/bin/convert  # the real ImageMagick, not a stand-in earlier on PATH
[ -x "$bench_magick" ] || bench_magick=$(command -v convert)
bench_photos=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/thumb-photos
if [ ! -f "$bench_photos/photo499.jpg" ]; then
    mkdir -p "$bench_photos/sources"
    echo "bench: making the photos"
    for i in $(seq 0 9); do
        # Fractal plasma, blurred a little: smooth areas and fine detail like a photo.
        [ -f "$bench_photos/sources/$i.jpg" ] ||
            "$bench_magick" -size 4000x3000 -seed $((i + 1)) plasma:fractal -blur 0x1 -quality 90 "$bench_photos/sources/$i.jpg"
    done
    for n in $(seq 0 499); do cp "$bench_photos/sources/$((n % 10)).jpg" "$bench_photos/photo$(printf %03d "$n").jpg"; done
fi
