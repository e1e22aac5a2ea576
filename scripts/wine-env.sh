# Sourced by every script that calls Wine: one place for its environment.
# A private prefix inside the build tree; no Mono or Gecko prompts.
LUMORA_ROOT=${LUMORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

# The Windows tree that runs here: win32, the program as shipped, wherever the
# kernel runs the 32-bit Wine loader; win64, the same sources built for 64-bit
# Windows, on machines whose kernel has no 32-bit support.
if [ -z "${LUMORA_WIN_TREE:-}" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then LUMORA_WIN_TREE=win32; else LUMORA_WIN_TREE=win64; fi
fi
export LUMORA_WIN_TREE
export WINEPREFIX=${LUMORA_WINEPREFIX:-$LUMORA_ROOT/build/$LUMORA_WIN_TREE/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$LUMORA_WIN_TREE" = win64 ]; then
    export WINEARCH=win64
    # Debian's wine and winepath start the 32-bit loader whenever it is
    # installed; these stand-ins start the 64-bit one.
    export WINELOADER=/usr/lib/wine/wine64
    LUMORA_WINE_BIN=$LUMORA_ROOT/build/wine64-bin
    if [ ! -x "$LUMORA_WINE_BIN/wine-stable" ]; then
        mkdir -p "$LUMORA_WINE_BIN"
        printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$LUMORA_WINE_BIN/wine"
        cp "$LUMORA_WINE_BIN/wine" "$LUMORA_WINE_BIN/wine-stable"
        chmod +x "$LUMORA_WINE_BIN/wine" "$LUMORA_WINE_BIN/wine-stable"
    fi
    case ":$PATH:" in *":$LUMORA_WINE_BIN:"*) ;; *) export PATH=$LUMORA_WINE_BIN:$PATH ;; esac
else
    export WINEARCH=win32
fi
# The program as the tests and run.sh start it.
export LUMORA_EXE=$LUMORA_ROOT/build/$LUMORA_WIN_TREE/lumora.exe

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
