#!/usr/bin/env bash
# The slide show from the Go menu: the window covers the screen in black
# around the picture, Space pauses and the pause sign's two white bars stand
# at the top right; Escape ends show and full screen in one press and the
# window returns to its place. The paused screen is kept as
# build/e2e-slide-show.png for a person to look at.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
source "$root/scripts/display.sh"

lumora_launch "$root/samples/evening.bmp"
trap 'kill $LUMORA_APP 2>/dev/null || true' EXIT
id=$(lumora_wait_window 60) || { echo "no window"; exit 1; }
sleep 1
before=$(xdotool getwindowgeometry "$id" | tail -n 2 | tr -s ' ')
lumora_keys "$id" alt+g d  # Go, Slide Show
sleep 1
lumora_keys "$id" space
sleep 1
shot="$root/build/e2e-slide-show.png"
import -window root "$shot"
read -r sw sh < <(identify -format '%w %h\n' "$shot")
eval "$(xdotool getwindowgeometry --shell "$id")"
[ "$WIDTH" = "$sw" ] && [ "$HEIGHT" = "$sh" ] || { echo "window ${WIDTH}x$HEIGHT, screen ${sw}x$sh"; exit 1; }
pixel() { convert "$shot" -format "%[hex:p{$1,$2}]" info:; }
[ "$(pixel 2 $((sh - 3)))" = "000000" ] || { echo "no black around the picture: $(pixel 2 $((sh - 3)))"; exit 1; }
# The bars: 12 x 38 pixels each, 18 below the top, the right one 18 from the edge.
for x in $((sw - 52 + 5)) $((sw - 30 + 5)); do
    [ "$(pixel $x 36)" = "FFFFFF" ] || { echo "no pause bar at $x,36: $(pixel $x 36)"; exit 1; }
done
[ "$(pixel $((sw - 52 + 17)) 36)" != "FFFFFF" ] || { echo "the bars run together"; exit 1; }
lumora_keys "$id" Escape
sleep 1
after=$(xdotool getwindowgeometry "$id" | tail -n 2 | tr -s ' ')
[ "$after" = "$before" ] || { echo "window not back in place: '$before' -> '$after'"; exit 1; }
lumora_close_window "$id"
lumora_wait_exit
echo "ok"
