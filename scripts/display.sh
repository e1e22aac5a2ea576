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
# "Lumora", or in "Image Explorer" while browsing) once it appears; fails
# after $1 seconds.
lumora_wait_window() {
    local limit=${1:-60} id=""
    local end=$((SECONDS + limit))
    while [ $SECONDS -lt $end ]; do
        id=$(xdotool search --onlyvisible --name '(Lumora|Image Explorer)$' 2>/dev/null | head -n 1)
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

# Starts lumora.exe in the background on the given file or folder (none:
# bare) and sets LUMORA_APP to its process; lumora_wait_window finds it.
lumora_launch() {
    if [ $# -gt 0 ]; then
        wine "$LUMORA_EXE" "$(lumora_windows_path "$1")" >/dev/null 2>&1 &
    else
        wine "$LUMORA_EXE" >/dev/null 2>&1 &
    fi
    LUMORA_APP=$!
}

# Prints the title of window $1 once it is no longer $2 (or after 10 s).
lumora_title_after() {
    local t=$2
    for _ in $(seq 1 100); do
        t=$(xdotool getwindowname "$1")
        [ "$t" != "$2" ] && break
        sleep 0.1
    done
    echo "$t"
}

# Waits up to 10 s for window $1 to carry the title $2 (passing titles shown
# on the way, such as the browser's "generating thumbnails"), then prints
# the title it has.
lumora_wait_title() {
    local t=""
    for _ in $(seq 1 100); do
        t=$(xdotool getwindowname "$1")
        [ "$t" = "$2" ] && break
        sleep 0.1
    done
    echo "$t"
}

# Types keys into window $1 as a user would: the window is focused first and
# the keys go through the X server's input path. (Keys sent to a window as
# synthetic events are lost by message boxes and dialogs of the 32-bit tree.)
# Fails when the window never takes the focus.
lumora_keys() {
    local id=$1 focused=""
    shift
    for _ in $(seq 1 50); do
        xdotool windowfocus --sync "$id" 2>/dev/null || true
        focused=$(xdotool getwindowfocus 2>/dev/null || true)
        [ "$focused" = "$id" ] && break
        sleep 0.1
    done
    [ "$focused" = "$id" ] || { echo "window $id does not take the focus" >&2; return 1; }
    xdotool key "$@"
}

# Answers message box $1 with the key $2 and waits until the box is gone.
# The key is typed again while the box stays: a box can hold the focus
# before it takes keys. Fails when the box never goes.
lumora_answer_box() {
    local box=$1 key=$2
    for _ in 1 2 3 4 5; do
        lumora_keys "$box" "$key" || true
        for _ in $(seq 1 20); do
            xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$box" || return 0
            sleep 0.1
        done
    done
    return 1
}

# Waits up to 10 s for LUMORA_APP to end; fails when it does not.
lumora_wait_exit() {
    for _ in $(seq 1 50); do
        kill -0 "$LUMORA_APP" 2>/dev/null || return 0
        sleep 0.2
    done
    return 1
}
