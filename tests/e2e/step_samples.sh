#!/usr/bin/env bash
# Stepping with the Right key through samples/ shows every sample picture once,
# whatever its format, and then wraps around to the first.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
source "$root/scripts/display.sh"

mapfile -t samples < <(cd "$root/samples" && ls)
first=$(lumora_windows_path "$root/samples/${samples[0]}")
wine "$LUMORA_EXE" "$first" >/dev/null 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
id=$(lumora_wait_window 60) || { echo "no window"; exit 1; }
# The window shows before the picture is loaded: wait for the first title.
start="${samples[0]} - Lumora"
for _ in $(seq 1 100); do
    title=$(xdotool getwindowname "$id")
    [ "$title" = "$start" ] && break
    sleep 0.1
done
[ "$title" = "$start" ] || { echo "first title is '$title'"; exit 1; }
seen=("$title")
for step in $(seq 1 "${#samples[@]}"); do
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key --window "$id" Right
    next=$title
    for _ in $(seq 1 100); do
        next=$(xdotool getwindowname "$id")
        [ "$next" != "$title" ] && break
        sleep 0.1
    done
    [ "$next" != "$title" ] || { echo "step $step: still '$title'"; exit 1; }
    title=$next
    [ "$step" = "${#samples[@]}" ] || seen+=("$title")
done
[ "$title" = "$start" ] || { echo "did not wrap around: '$title' after ${#samples[@]} steps"; exit 1; }
for s in "${samples[@]}"; do
    found=0
    for t in "${seen[@]}"; do [ "$t" = "$s - Lumora" ] && found=$((found + 1)); done
    [ "$found" = 1 ] || { echo "$s was shown $found times"; exit 1; }
done
echo "shown in turn: ${seen[*]}"
lumora_close_window "$id"
for _ in $(seq 1 50); do kill -0 $app 2>/dev/null || break; sleep 0.2; done
echo "ok"
