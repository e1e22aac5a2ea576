#!/usr/bin/env bash
# Editing through the keyboard and the mouse: Ctrl+. rotates and the title
# gets its star, Ctrl+Z twice undoes and redoes, Ctrl+K and a drag crop the
# picture. Closing then asks to save; No closes without writing the file.
# The last screen is kept as build/e2e-edit.png for a person to look at.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
source "$root/scripts/display.sh"

work=$(mktemp -d)
cp "$root/samples/evening.bmp" "$work/"
before=$(md5sum < "$work/evening.bmp")
wine "$LUMORA_EXE" "$(lumora_windows_path "$work/evening.bmp")" >/dev/null 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true; rm -rf "$work"' EXIT
id=$(lumora_wait_window 60) || { echo "no window"; exit 1; }
wait_title() {  # waits until the title is $1
    local t=""
    for _ in $(seq 1 100); do
        t=$(xdotool getwindowname "$id")
        [ "$t" = "$1" ] && return 0
        sleep 0.1
    done
    echo "title is '$t', expected '$1'"
    exit 1
}
press() {
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key --window "$id" "$1"
}
wait_title "evening.bmp - Lumora"
press ctrl+period
wait_title "*evening.bmp (edited) - Lumora"
press ctrl+z
wait_title "evening.bmp - Lumora"
press ctrl+z
wait_title "*evening.bmp (edited) - Lumora"

# Crop: a drag across the middle of the window.
press ctrl+k
eval "$(xdotool getwindowgeometry --shell "$id")"
xdotool mousemove --window "$id" $((WIDTH / 3)) $((HEIGHT / 3)) mousedown 1
xdotool mousemove --window "$id" $((WIDTH / 2)) $((HEIGHT / 2))
xdotool mousemove --window "$id" $((WIDTH * 2 / 3)) $((HEIGHT * 2 / 3)) mouseup 1
sleep 1
import -window root "$root/build/e2e-edit.png"

lumora_close_window "$id"
# The save question (a message box titled Lumora): No.
for _ in $(seq 1 50); do
    box=$(xdotool search --onlyvisible --name '^Lumora$' 2>/dev/null | grep -v "^$id\$" | head -n 1 || true)
    [ -n "$box" ] && break
    sleep 0.2
done
[ -n "$box" ] || { echo "no save question on closing an edited picture"; exit 1; }
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key --window "$box" n
for _ in $(seq 1 50); do kill -0 $app 2>/dev/null || break; sleep 0.2; done
kill -0 $app 2>/dev/null && { echo "still running after No"; exit 1; }
[ "$(md5sum < "$work/evening.bmp")" = "$before" ] || { echo "the file changed without a save"; exit 1; }
echo "ok"
