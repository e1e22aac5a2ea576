#!/usr/bin/env bash
# The cost of converting a 12-megapixel Adobe RGB photo to sRGB, native, in
# one run: load_image with colour management on against off (the
# conversion's share of the decode), the same photo untagged on and off (no
# profile: no cost), and ImageMagick's -profile conversion of the same file
# (its decode with the conversion against its decode alone, one thread and
# all), as the ratio of its conversion time to ours.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=/dev/null
source "$root/bench/make-jpeg-photos.sh"
icc=/usr/share/color/icc
adobe=$jpeg_photos/adobe-420.jpg
[ -f "$adobe" ] || "$jpeg_magick" "$jpeg_photos/smooth-420.jpg" -profile $icc/compatibleWithAdobeRGB1998.icc \
    -quality 90 -sampling-factor 2x2 "$adobe"

"$root/scripts/build.sh" native lumora_bench >/dev/null
native=$("$root/build/native/lumora_bench" --benchmark_filter='load_photo' --benchmark_repetitions=7 \
    --benchmark_report_aggregates_only=true 2>/dev/null | grep '_median')
echo "$native"
ms() { echo "$native" | awk -v n="load_photo/$1_median" '$1 == n {print $2}'; }

# ImageMagick: the median of 5 runs of each, in milliseconds.
magick_ms() {
    local times=()
    for _ in 1 2 3 4 5; do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n 3p
}
out=$(mktemp --suffix=.ppm)
trap 'rm -f "$out"' EXIT
for threads in 1 0; do
    label="all threads"
    limit=()
    [ "$threads" = 1 ] && label="one thread" && limit=(-limit thread 1)
    plain=$(magick_ms "$jpeg_magick" "${limit[@]}" "$adobe" -strip "$out")
    converted=$(magick_ms "$jpeg_magick" "${limit[@]}" "$adobe" -intent perceptual -profile $icc/sRGB.icc "$out")
    ours=$(echo "$(ms adobe_on) - $(ms adobe_off)" | bc -l)
    printf 'ImageMagick (%s): decode and write %d ms, with the conversion %d ms: its conversion %d ms, %.2fx ours\n' \
        "$label" "$plain" "$converted" "$((converted - plain))" "$(echo "($converted - $plain) / $ours" | bc -l)"
done
printf 'Lumora: decode %.1f ms, with the conversion %.1f ms: the conversion costs %.2f of the decode\n' \
    "$(ms adobe_off)" "$(ms adobe_on)" "$(echo "($(ms adobe_on) - $(ms adobe_off)) / $(ms adobe_off)" | bc -l)"
printf 'Lumora, untagged photo: %.1f ms with colour management on, %.1f ms off\n' "$(ms untagged_on)" "$(ms untagged_off)"
