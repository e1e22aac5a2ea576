#!/usr/bin/env bash
# lumora.exe started bare shows its 720 x 540 window titled "Lumora", paints
# the empty view, and ends with code 0 when the user closes it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
source "$root/scripts/display.sh"

lumora_launch
trap 'kill $LUMORA_APP 2>/dev/null || true' EXIT
id=$(lumora_wait_window 60) || { echo "no window"; exit 1; }
title=$(xdotool getwindowname "$id")
[ "$title" = "Lumora" ] || { echo "title is '$title'"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$id")"
echo "window $WIDTH x $HEIGHT"
sleep 1
shot=$(mktemp --suffix=.png)
import -window root "$shot"
# The middle of the view shows the empty workspace: one flat colour, not black garbage.
colours=$(convert "$shot" -crop 200x150+$((X + WIDTH / 2 - 100))+$((Y + HEIGHT / 2 - 75)) -unique-colors txt:- | grep -c '^[0-9]')
rm -f "$shot"
[ "$colours" = 1 ] || { echo "view centre has $colours colours"; exit 1; }
lumora_close_window "$id"
code=0
lumora_wait_exit || true
wait $LUMORA_APP || code=$?
[ "$code" = 0 ] || { echo "exit code $code"; exit 1; }
echo "ok"
