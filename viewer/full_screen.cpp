// Full screen: the main window without frame or menu over the whole screen,
// black around the picture; leaving puts style, menu and place back.
#include <windows.h>

#include "browser/browser.h"
#include "shell/settings.h"
#include "app/layout.h"
#include "viewer/playback.h"
#include "viewer/viewer_state.h"

namespace {

HMENU mode_menu() { return g_viewer.BrowseMode ? g_viewer.browser_menu : g_viewer.viewer_menu; }

void enter_full_screen() {
    ViewerState& v = g_viewer;
    HWND window = v.main_window;
    v.saved_style = GetWindowLongA(window, GWL_STYLE);
    GetWindowRect(window, &v.saved_rect);
    v.saved_menu = GetMenu(window);
    v.fullscreen = true;
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
    if (!v.fullscreen) return;
    HWND window = v.main_window;
    v.fullscreen = false;
    if (v.cursor_hidden) {
        ShowCursor(TRUE);
        v.cursor_hidden = false;
    }
    StopSlideShow();
    SetWindowLongA(window, GWL_STYLE, v.saved_style);
    // The mode may have changed while in full screen: its menu, not the
    // one saved on entry.
    SetMenu(window, mode_menu());
    const RECT& r = v.saved_rect;
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_FRAMECHANGED);
    LayoutMainWindow();
}

void ToggleFullScreen() {
    if (g_viewer.fullscreen) {
        EndFullScreen();
        return;
    }
    if (!g_viewer.shown) return;  // nothing to show on the whole screen
    // The list has no full screen: the picture behind it has.
    if (g_viewer.BrowseMode) leave_browser();
    enter_full_screen();
    LayoutMainWindow();
}

void AttachModeMenu() {
    ViewerState& v = g_viewer;
    if (v.fullscreen) v.saved_menu = mode_menu();
    else SetMenu(v.main_window, mode_menu());
}
