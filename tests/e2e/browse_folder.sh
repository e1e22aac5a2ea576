#!/usr/bin/env bash
# lumora.exe started with a folder shows it in the browser as thumbnails:
# the title names the folder and the list holds pictures. F12 switches to
# Details, Enter on the first entry opens it in the viewer, F4 goes back to
# the browser and Escape back to the picture.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
source "$root/scripts/display.sh"

lumora_launch "$root/samples"
trap 'kill $LUMORA_APP 2>/dev/null || true' EXIT
id=$(lumora_wait_window 60) || { echo "no window"; exit 1; }
title=$(lumora_title_after "$id" "Lumora")
[ "$title" != "Image Explorer - generating thumbnails..." ] || title=$(lumora_title_after "$id" "$title")
case "$title" in *samples" - Image Explorer") ;; *) echo "title is '$title'"; exit 1 ;; esac
sleep 1
shot=$(mktemp --suffix=.png)
import -window root "$shot"
eval "$(xdotool getwindowgeometry --shell "$id")"
# The thumbnails fill the list with colour; an empty list is one flat colour.
colours=$(convert "$shot" -crop 400x200+$((X + 10))+$((Y + 90)) -unique-colors txt:- | grep -c '^[0-9]')
rm -f "$shot"
echo "colours in the list: $colours"
[ "$colours" -gt 100 ] || { echo "no thumbnails on screen"; exit 1; }

lumora_keys "$id" F12 Home Return
first=$(cd "$root/samples" && ls | head -n 1)
viewer=$(lumora_wait_title "$id" "$first - Lumora")
[ "$viewer" = "$first - Lumora" ] || { echo "Enter showed '$viewer', not $first"; exit 1; }
lumora_keys "$id" F4
back=$(lumora_wait_title "$id" "$title")
[ "$back" = "$title" ] || { echo "F4 showed '$back'"; exit 1; }
lumora_keys "$id" Escape
again=$(lumora_wait_title "$id" "$viewer")
[ "$again" = "$viewer" ] || { echo "Escape showed '$again'"; exit 1; }
lumora_close_window "$id"
lumora_wait_exit
echo "ok"
