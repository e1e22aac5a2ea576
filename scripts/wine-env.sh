# Sourced by every script that calls Wine: one place for its environment.
# A private 32-bit prefix inside the build tree; no Mono or Gecko prompts.
LUMORA_ROOT=${LUMORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${LUMORA_WINEPREFIX:-$LUMORA_ROOT/build/win32/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

# Creates and boots the prefix once.
lumora_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        echo "wine: creating prefix $WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        [ -f "$WINEPREFIX/system.reg" ] || { echo "wine: could not create the prefix" >&2; return 1; }
    fi
    # There is no window manager on Xvfb: Wine draws frames and captions itself
    # and does not wait for one to map or unmap windows (that wait costs 2 s
    # per hidden window).
    if [ ! -f "$WINEPREFIX/.lumora-x11" ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 &&
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 &&
            touch "$WINEPREFIX/.lumora-x11"
        wineserver -w
    fi
}
