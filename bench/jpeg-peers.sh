#!/usr/bin/env bash
# JPEG speed, native and under Wine, with the ratios in one run: load_image
# against the stb_image path (>1: Lumora faster) and against libjpeg-turbo's
# tjDecompress2 floor (Lumora's time over the floor's), on the photos of
# bench/make-jpeg-photos.sh; then the Next latency with read-ahead under Wine
# (bench/win32/jpeg_bench.cpp) on 12 such photos.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=/dev/null
source "$root/bench/make-jpeg-photos.sh"
for i in $(seq -w 0 11); do
    src=$jpeg_photos/smooth-420.jpg
    [ $((10#$i % 2)) = 1 ] && src=$jpeg_photos/detailed-444.jpg
    [ -f "$jpeg_photos/step$i.jpg" ] || cp "$src" "$jpeg_photos/step$i.jpg"
done

"$root/scripts/build.sh" native lumora_bench >/dev/null
native=$("$root/build/native/lumora_bench" --benchmark_filter='load_lumora/(smooth|detailed)|load_stb|turbo_floor' \
    --benchmark_repetitions=7 --benchmark_report_aggregates_only=true 2>/dev/null | grep '_median')
echo "$native"
ms() { echo "$native" | awk -v n="$1/$2_median" '$1 == n {print $2}'; }
for p in smooth_420 detailed_444; do
    printf 'native %-13s load_image against the stb path %.2fx, against the tjDecompress2 floor %.2fx\n' "$p" \
        "$(echo "$(ms load_stb $p) / $(ms load_lumora $p)" | bc -l)" \
        "$(echo "$(ms load_lumora $p) / $(ms turbo_floor $p)" | bc -l)"
done

# shellcheck source=/dev/null
source "$root/scripts/wine-env.sh"
# shellcheck source=/dev/null
source "$root/scripts/display.sh"
"$root/scripts/build.sh" "$LUMORA_WIN_TREE" jpeg_bench >/dev/null
lumora_wine_prefix
lumora_start_xvfb
trap 'wineserver -k 2>/dev/null || true; lumora_stop_xvfb' EXIT
wine cmd /c exit
wineserver -p || true
wine "$root/build/$LUMORA_WIN_TREE/jpeg_bench.exe" "$(winepath -w "$jpeg_photos")" | tr -d '\r'
