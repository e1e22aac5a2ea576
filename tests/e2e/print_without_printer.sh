#!/usr/bin/env bash
# With no printer at all (no CUPS to ask), Print tells the user it could not
# open the printer, in one message of its own, and the program goes on.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
source "$root/scripts/display.sh"

CUPS_SERVER=/nonexistent/cups.sock lumora_launch "$root/samples/evening.bmp"
trap 'kill $LUMORA_APP 2>/dev/null || true' EXIT
id=$(lumora_wait_window 60) || { echo "no window"; exit 1; }
[ "$(lumora_wait_title "$id" "evening.bmp - Lumora")" = "evening.bmp - Lumora" ] || { echo "no picture"; exit 1; }
# The first of these windows to appear, other than the main window.
appears() {
    for _ in $(seq 1 100); do
        w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -v "^$id\$" | head -n 1 || true)
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.1
    done
    return 1
}
lumora_keys "$id" ctrl+p
dialog=$(appears '^Print$') || { echo "no print dialog"; exit 1; }
lumora_keys "$dialog" Return
box=$(appears '^Lumora$') || { echo "no message"; exit 1; }
[ -z "$(xdotool search --onlyvisible --name '^Print$' 2>/dev/null || true)" ] || { echo "the system's warning came too"; exit 1; }
lumora_answer_box "$box" Return || { echo "the message took no answer"; exit 1; }
kill -0 "$LUMORA_APP" 2>/dev/null || { echo "the program went away"; exit 1; }
lumora_close_window "$id"
lumora_wait_exit
echo "ok"
