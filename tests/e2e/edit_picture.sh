#!/usr/bin/env bash
# Editing through the keyboard and the mouse: Ctrl+. rotates and the title
# gets its star, Ctrl+Z takes it away, Ctrl+K and a drag crop the picture.
# Closing then asks to save; No closes without writing the file. The last
# screen is kept as build/e2e-edit.png for a person to look at.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
source "$root/scripts/display.sh"

work=$(mktemp -d)
cp "$root/samples/evening.bmp" "$work/"
before=$(md5sum < "$work/evening.bmp")
lumora_launch "$work/evening.bmp"
trap 'kill $LUMORA_APP 2>/dev/null || true; rm -rf "$work"' EXIT
id=$(lumora_wait_window 60) || { echo "no window"; exit 1; }
expect_title() {  # $1 the title before the keys, $2 the title after them
    local t
    t=$(lumora_wait_title "$id" "$2")
    [ "$t" = "$2" ] || { echo "title is '$t', expected '$2' (was '$1')"; exit 1; }
}
expect_title "Lumora" "evening.bmp - Lumora"
lumora_keys "$id" ctrl+period
expect_title "evening.bmp - Lumora" "*evening.bmp (edited) - Lumora"
lumora_keys "$id" ctrl+z
expect_title "*evening.bmp (edited) - Lumora" "evening.bmp - Lumora"
lumora_keys "$id" ctrl+period ctrl+k
eval "$(xdotool getwindowgeometry --shell "$id")"
xdotool mousemove --window "$id" $((WIDTH / 3)) $((HEIGHT / 3)) mousedown 1
xdotool mousemove --window "$id" $((WIDTH / 2)) $((HEIGHT / 2))
xdotool mousemove --window "$id" $((WIDTH * 2 / 3)) $((HEIGHT * 2 / 3)) mouseup 1
sleep 1
import -window root "$root/build/e2e-edit.png"

lumora_close_window "$id"
# The save question (a message box titled Lumora): No.
box=""
for _ in $(seq 1 50); do
    box=$(xdotool search --onlyvisible --name '^Lumora$' 2>/dev/null | grep -v "^$id\$" | head -n 1 || true)
    [ -n "$box" ] && break
    sleep 0.2
done
[ -n "$box" ] || { echo "no save question on closing an edited picture"; exit 1; }
lumora_answer_box "$box" n || { echo "the save question took no answer"; exit 1; }
lumora_wait_exit || { echo "still running after No"; exit 1; }
[ "$(md5sum < "$work/evening.bmp")" = "$before" ] || { echo "the file changed without a save"; exit 1; }
echo "ok"
