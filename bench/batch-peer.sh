#!/usr/bin/env bash
# Resize Selected on 100 photos of 4000 x 3000 to 50 % as JPEG quality 90:
# Lumora (bench/win32/batch_bench.cpp under Wine) on one thread and on its
# workers, against ImageMagick's mogrify doing the same to copies of the same
# files, same run. The workers' files must equal the one thread's byte for
# byte. Usage: bench/batch-peer.sh [count]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-100}
# shellcheck source=/dev/null
source "$root/bench/make-photos.sh"
work=$root/build/batch-peer
rm -rf "$work" && mkdir -p "$work/lumora" "$work/magick"
for n in $(seq 0 $((count - 1))); do
    name=photo$(printf %03d "$n").jpg
    cp "$bench_photos/$name" "$work/lumora/$name"
    cp "$bench_photos/$name" "$work/magick/$name"
done
seconds() { date +%s.%N; }

# shellcheck source=/dev/null
source "$root/scripts/wine-env.sh"
# shellcheck source=/dev/null
source "$root/scripts/display.sh"
bench=$root/build/$LUMORA_WIN_TREE/batch_bench.exe
"$root/scripts/build.sh" "$LUMORA_WIN_TREE" batch_bench >/dev/null
lumora_wine_prefix
lumora_start_xvfb
trap 'wineserver -k 2>/dev/null || true; lumora_stop_xvfb' EXIT
wine cmd /c exit
wineserver -p || true
folder=$(winepath -w "$work/lumora")

lumora_run() {  # workers; prints the seconds, process start included
    rm -f "$work"/lumora/*_resized.jpg
    local t0
    t0=$(seconds)
    wine "$bench" "$folder" "$count" "$1" | tr -d '\r' >&2
    echo "$(seconds) - $t0" | bc
}
t_one=$(lumora_run 1)
(cd "$work/lumora" && md5sum ./*_resized.jpg) > "$work/one-thread.md5"
t_workers=$(lumora_run 0)
(cd "$work/lumora" && md5sum -c --quiet "$work/one-thread.md5") ||
    { echo "batch-peer: the workers' files differ from the one thread's"; exit 1; }

t0=$(seconds)
(cd "$work/magick" && mogrify -resize 50% -quality 90 ./photo*.jpg)
t_magick=$(echo "$(seconds) - $t0" | bc)

printf 'Lumora, one thread:          %8.0f ms\n' "$(echo "$t_one * 1000" | bc)"
printf 'Lumora, workers (%d cores):   %8.0f ms (files identical to one thread)\n' "$(nproc)" "$(echo "$t_workers * 1000" | bc)"
printf 'mogrify -resize 50%% -quality 90: %8.0f ms\n' "$(echo "$t_magick * 1000" | bc)"
printf 'ratio mogrify / Lumora workers: %.2f (>1: Lumora faster)\n' "$(echo "$t_magick / $t_workers" | bc -l)"
