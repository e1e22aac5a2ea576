#!/usr/bin/env bash
# lumora.exe started bare shows its 720 x 540 window titled "Lumora", paints
# the empty view, and ends with code 0 when the user closes it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
source "$root/scripts/display.sh"

wine "$LUMORA_EXE" >/dev/null 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
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
for _ in $(seq 1 50); do kill -0 $app 2>/dev/null || break; sleep 0.2; done
wait $app || code=$?
[ "$code" = 0 ] || { echo "exit code $code"; exit 1; }
echo "ok"
