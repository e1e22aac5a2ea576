#!/usr/bin/env bash
# The first Thumbnails fill of 500 photos of 4000 x 3000 (JPEG quality 90)
# against two other thumbnailers on the same files: vipsthumbnail and
# ImageMagick's convert -thumbnail 96x96, one file per call. Then Lumora's
# own bench (bench/win32/thumb_bench.cpp) under Wine: first fills with the
# decoding workers and on one thread, and the warm fill from the cache.
# The photos are made once in build/thumb-photos (10 distinct pictures,
# copied to 500 names). Usage: bench/thumb-peers.sh [warm rounds] [cold rounds]
# [convert: 0 leaves ImageMagick out, whose 500 calls take minutes]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
photos=$root/build/thumb-photos  # bench/make-photos.sh makes them
out=$root/build/thumb-peers-out
warm=${1:-10}
cold=${2:-2}
with_convert=${3:-1}

if ! command -v vipsthumbnail >/dev/null; then
    echo "thumb-peers: installing libvips-tools"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get install -y -q --no-install-recommends libvips-tools >/dev/null
fi
# shellcheck source=/dev/null
source "$root/bench/make-photos.sh"
magick=$bench_magick
files=("$photos"/photo*.jpg)
echo "thumb-peers: ${#files[@]} photos of $(identify -format '%wx%h' "${files[0]}"), $(nproc) cores," \
    "$(du -sh "$photos" | cut -f1)"

seconds() { date +%s.%N; }
rm -rf "$out" && mkdir -p "$out/vips" "$out/magick"

t0=$(seconds)
vipsthumbnail --size 96x96 -o "$out/vips/%s.jpg" "${files[@]}"
t_vips=$(echo "$(seconds) - $t0" | bc)

t_magick=0
if [ "$with_convert" != 0 ]; then
    t0=$(seconds)
    for f in "${files[@]}"; do "$magick" "$f" -thumbnail 96x96 "$out/magick/$(basename "$f")"; done
    t_magick=$(echo "$(seconds) - $t0" | bc)
fi

printf 'vipsthumbnail --size 96x96, all files in one call: %8.0f ms\n' "$(echo "$t_vips * 1000" | bc)"
[ "$with_convert" = 0 ] ||
    printf 'convert -thumbnail 96x96, one call per file:       %8.0f ms\n' "$(echo "$t_magick * 1000" | bc)"

# shellcheck source=/dev/null
source "$root/scripts/wine-env.sh"
# shellcheck source=/dev/null
source "$root/scripts/display.sh"
bench=$root/build/$LUMORA_WIN_TREE/thumb_bench.exe
[ -f "$bench" ] || "$root/scripts/build.sh" "$LUMORA_WIN_TREE" thumb_bench
lumora_wine_prefix
lumora_start_xvfb
trap 'wineserver -k 2>/dev/null || true; lumora_stop_xvfb' EXIT
wine cmd /c exit
wineserver -p || true  # keeps the server up between calls; "already running" is fine
result=$(wine "$bench" "$(winepath -w "$photos")" "$warm" "$cold" | tr -d '\r')
echo "$result"
lumora_ms=$(echo "$result" | awk '/first fill, decoding workers/ {print $6}')
one_ms=$(echo "$result" | awk '/first fill, one thread/ {print $6}')
if [ "$with_convert" = 0 ]; then
    printf 'first fill, Lumora (workers) against: vipsthumbnail %.2fx, one thread %.2fx (time ratios, >1: Lumora faster)\n' \
        "$(echo "$t_vips * 1000 / $lumora_ms" | bc -l)" "$(echo "$one_ms / $lumora_ms" | bc -l)"
    exit 0
fi
printf 'first fill, Lumora (workers) against: vipsthumbnail %.2fx, convert %.2fx, one thread %.2fx (time ratios, >1: Lumora faster)\n' \
    "$(echo "$t_vips * 1000 / $lumora_ms" | bc -l)" "$(echo "$t_magick * 1000 / $lumora_ms" | bc -l)" \
    "$(echo "$one_ms / $lumora_ms" | bc -l)"
