#!/usr/bin/env bash
# A contact sheet of 100 photos of 4000 x 3000 as a PDF: Lumora's print job
# (bench/win32/print_bench.cpp, through CUPS to its PDF printer) against
# ImageMagick's montage making the same sheet (4 x 6 cells of A4 with the
# file names), same run. montage reads each JPEG at an eighth of its
# size; Lumora decodes every photo whole. Usage: bench/print-peer.sh [count]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-100}
# shellcheck source=/dev/null
source "$root/bench/make-photos.sh"
files=()
for n in $(seq 0 $((count - 1))); do files+=("$bench_photos/photo$(printf %03d "$n").jpg"); done
out=$root/build/print-peer-out
rm -rf "$out" && mkdir -p "$out"
seconds() { date +%s.%N; }

# shellcheck source=/dev/null
source "$root/scripts/wine-env.sh"
# shellcheck source=/dev/null
source "$root/scripts/display.sh"
# shellcheck source=/dev/null
source "$root/scripts/printer.sh"
lumora_start_printer
bench=$root/build/$LUMORA_WIN_TREE/print_bench.exe
"$root/scripts/build.sh" "$LUMORA_WIN_TREE" print_bench >/dev/null
lumora_wine_prefix
lumora_start_xvfb
trap 'wineserver -k 2>/dev/null || true; lumora_stop_xvfb; lumora_stop_printer' EXIT
wine cmd /c exit
wineserver -p || true
before=$(ls "$LUMORA_PRINT_OUT"/*.pdf 2>/dev/null | wc -l)
t0=$(seconds)
wine "$bench" "$(winepath -w "$bench_photos")" "$count" | tr -d '\r'
t_spooled=$(echo "$(seconds) - $t0" | bc)
lumora_printer_idle
t_lumora=$(echo "$(seconds) - $t0" | bc)
[ "$(ls "$LUMORA_PRINT_OUT"/*.pdf | wc -l)" -gt "$before" ] || { echo "print-peer: no PDF came out"; exit 1; }

t0=$(seconds)
# The size hint lets the JPEG decoder read each photo at an eighth (it would
# otherwise hold all hundred 12-megapixel photos at once and run out).
# Debian's ImageMagick policy refuses to write PDF: the sheets are written as
# PNG pages of A4 at 300 dpi instead, the pictures and names drawn the same.
montage -define jpeg:size=560x420 "${files[@]}" -tile 4x6 -geometry 560x420+8+8 -label '%f' "$out/sheet-%02d.png"
t_montage=$(echo "$(seconds) - $t0" | bc)

printf 'Lumora, Print to spooled job (process start included): %8.0f ms\n' "$(echo "$t_spooled * 1000" | bc)"
printf 'Lumora, Print to the PDF written by CUPS:                %8.0f ms\n' "$(echo "$t_lumora * 1000" | bc)"
printf 'montage, the same sheets as PNG pages:                  %8.0f ms\n' "$(echo "$t_montage * 1000" | bc)"
printf 'ratio montage / Lumora (to the PDF): %.2f (>1: Lumora faster)\n' "$(echo "$t_montage / $t_lumora" | bc -l)"
