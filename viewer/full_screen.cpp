// Full screen: the main window without frame or menu over the whole screen,
// black around the picture; leaving puts style, menu and place back.
#include <windows.h>

#include "shell/settings.h"
#include "viewer/playback.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

void enter_full_screen() {
    ViewerState& v = g_viewer;
    HWND window = g_frame.window;
    v.saved_style = GetWindowLongA(window, GWL_STYLE);
    GetWindowRect(window, &v.saved_rect);
    g_frame.fullscreen = true;
    SetMenu(window, nullptr);
    SetWindowLongA(window, GWL_STYLE, WS_POPUP | WS_VISIBLE);
    SetWindowPos(window, HWND_TOP, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_FRAMECHANGED);
    if (g_settings.HideCursorFS && !v.cursor_hidden) {
        ShowCursor(FALSE);
        v.cursor_hidden = true;
    }
}

}  // namespace

void EndFullScreen() {
    ViewerState& v = g_viewer;
    if (!g_frame.fullscreen) return;
    HWND window = g_frame.window;
    g_frame.fullscreen = false;
    if (v.cursor_hidden) {
        ShowCursor(TRUE);
        v.cursor_hidden = false;
    }
    StopSlideShow();
    SetWindowLongA(window, GWL_STYLE, v.saved_style);
    // The mode may have changed while in full screen: its menu, not the
    // one saved on entry.
    SetMenu(window, frame_mode_menu());
    const RECT& r = v.saved_rect;
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_FRAMECHANGED);
    frame_relayout();
}

void ToggleFullScreen() {
    if (g_frame.fullscreen) {
        EndFullScreen();
        return;
    }
    if (!g_viewer.shown) return;  // nothing to show on the whole screen
    enter_full_screen();
    frame_relayout();
}
