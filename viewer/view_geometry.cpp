#include "viewer/view.h"
#include "viewer/viewer_state.h"

// The picture area has no picture yet: the whole client area.
RECT GetViewRect() {
    RECT r = {};
    if (g_viewer.main_window) GetClientRect(g_viewer.main_window, &r);
    return r;
}

void GetDisplaySize(int* width, int* height) {
    *width = g_viewer.shown ? g_viewer.shown->width : 0;
    *height = g_viewer.shown ? g_viewer.shown->height : 0;
}

POINT GetPictureOrigin() {
    RECT r = GetViewRect();
    POINT p = {r.left, r.top};
    return p;
}

void SetZoomScale(double scale) {
    g_viewer.zoom_scale = scale < 0.02 ? 0.02 : scale > 32.0 ? 32.0 : scale;
    g_viewer.zoom_mode = 0;
    g_viewer.scroll_x = g_viewer.scroll_y = 0;
}

void ZoomBy(double) {}
void ZoomAt(double, int, int) {}

void UpdateScrollBars() {
    g_viewer.scroll_max_x = g_viewer.scroll_max_y = 0;
    g_viewer.scroll_x = g_viewer.scroll_y = 0;
    if (!g_viewer.main_window) return;
    SCROLLINFO si = {sizeof si, SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    SetScrollInfo(g_viewer.main_window, SB_HORZ, &si, TRUE);
    SetScrollInfo(g_viewer.main_window, SB_VERT, &si, TRUE);
}

void OnScrollMessage(int, WPARAM) {}

bool ZoomCommand(int) { return false; }
