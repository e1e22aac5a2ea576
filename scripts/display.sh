# Sourced: a private Xvfb display and the helpers that drive lumora.exe on it.

# Starts Xvfb on a free display number and exports DISPLAY.
lumora_start_xvfb() {
    local fifo n
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    LUMORA_XVFB_PID=$!
    read -r -t 20 n <"$fifo" || n=""
    rm -f "$fifo"
    if [ -z "$n" ]; then
        echo "display: Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$n"
}

lumora_stop_xvfb() {
    if [ -n "${LUMORA_XVFB_PID:-}" ]; then
        kill "$LUMORA_XVFB_PID" 2>/dev/null || true
        wait "$LUMORA_XVFB_PID" 2>/dev/null || true
        LUMORA_XVFB_PID=""
    fi
}

# Prints the X window id of the visible Lumora main window (its title ends in
# "Lumora") once it appears;
# fails after $1 seconds.
lumora_wait_window() {
    local limit=${1:-60} id=""
    local end=$((SECONDS + limit))
    while [ $SECONDS -lt $end ]; do
        id=$(xdotool search --onlyvisible --name 'Lumora$' 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.3
    done
    return 1
}

# Asks the program to close, as the system does at log-off: WM_CLOSE to its
# top-level windows, so it ends through its own shutdown. (Without a window
# manager, Alt+F4 does not reliably reach an unmanaged window.)
lumora_close_window() {
    wine taskkill /im lumora.exe >/dev/null 2>&1 || true
}

# Converts a Linux path to the Windows path the program sees.
lumora_windows_path() {
    winepath -w "$1" 2>/dev/null
}
