#!/usr/bin/env bash
# lumora.exe started with a picture shows it: the title names the file and
# the sun of samples/evening.bmp appears on screen in its exact colour. Then
# the Right key steps through samples/, showing every sample picture once
# whatever its format, and wraps around to the first.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
source "$root/scripts/display.sh"

lumora_launch "$root/samples/evening.bmp"
trap 'kill $LUMORA_APP 2>/dev/null || true' EXIT
id=$(lumora_wait_window 60) || { echo "no window"; exit 1; }
# The window shows before the picture is loaded: give the title a moment.
title=$(lumora_title_after "$id" "Lumora")
[ "$title" = "evening.bmp - Lumora" ] || { echo "title is '$title'"; exit 1; }
sleep 1
shot=$(mktemp --suffix=.png)
import -window root "$shot"
# Shown at 100 %, the sun has on screen exactly the pixels of #ffd27a it has in the file.
count_sun() { convert "$1" -fill black +opaque '#ffd27a' -fill white -opaque '#ffd27a' -format '%[fx:int(mean*w*h+0.5)]' info:; }
want=$(count_sun "$root/samples/evening.bmp")
have=$(count_sun "$shot")
rm -f "$shot"
echo "sun pixels: file $want, screen $have"
[ "$want" -gt 1000 ] && [ "$have" = "$want" ] || { echo "the picture is not on screen as it is in the file"; exit 1; }

mapfile -t samples < <(cd "$root/samples" && ls)
seen=()
for step in $(seq 1 "${#samples[@]}"); do
    lumora_keys "$id" Right
    next=$(lumora_title_after "$id" "$title")
    [ "$next" != "$title" ] || { echo "step $step: still '$title'"; exit 1; }
    title=$next
    seen+=("$title")
done
[ "$title" = "evening.bmp - Lumora" ] || { echo "did not wrap around: '$title' after ${#samples[@]} steps"; exit 1; }
for s in "${samples[@]}"; do
    found=0
    for t in "${seen[@]}"; do [ "$t" = "$s - Lumora" ] && found=$((found + 1)); done
    [ "$found" = 1 ] || { echo "$s was shown $found times"; exit 1; }
done
echo "shown in turn: ${seen[*]}"
lumora_close_window "$id"
lumora_wait_exit
echo "ok"
