#!/usr/bin/env bash
# Builds lumora.exe and runs it under Wine with the given file or folder (the
# samples folder when none is given). Without a display it runs on a private
# one, saves lumora-screenshot.png and closes the program again.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

scripts/setup.sh
source scripts/wine-env.sh
scripts/build.sh "$LUMORA_WIN_TREE" lumora >/dev/null

source scripts/display.sh
lumora_wine_prefix

target=${1:-$root/samples}
[ -e "$target" ] || { echo "run: no such file or folder: $target" >&2; exit 2; }
target=$(cd "$(dirname "$target")" && pwd)/$(basename "$target")
exe=$LUMORA_EXE

if [ -n "${DISPLAY:-}" ] && [ -z "${LUMORA_HEADLESS:-}" ]; then
    exec wine "$exe" "$(lumora_windows_path "$target")"
fi

lumora_start_xvfb
trap 'wineserver -k 2>/dev/null || true; lumora_stop_xvfb' EXIT
wine "$exe" "$(lumora_windows_path "$target")" >/dev/null 2>&1 &
app=$!
if ! id=$(lumora_wait_window 90); then
    echo "run: the Lumora window never appeared" >&2
    kill "$app" 2>/dev/null || true
    exit 1
fi
sleep 2  # let it finish painting
import -window root "$root/lumora-screenshot.png"
lumora_close_window "$id"
for _ in $(seq 1 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
kill "$app" 2>/dev/null || true
echo "run: screenshot saved to $root/lumora-screenshot.png"
