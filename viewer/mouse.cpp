#include <string.h>

#include "platform/bridge.h"
#include "shell/settings.h"
#include "browser/browser.h"
#include "browser/file_list.h"
#include "viewer/document.h"
#include "viewer/edit_commands.h"
#include "viewer/input.h"
#include "viewer/layout.h"
#include "viewer/playback.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"

void OnLeftButtonDown(int x, int y) {
    ViewerState& v = g_viewer;
    if (v.crop_mode && v.shown) {
        v.crop_start_x = v.crop_end_x = x;
        v.crop_start_y = v.crop_end_y = y;
        v.crop_dragging = true;
        SetCapture(v.main_window);
    } else if (v.shown && !v.BrowseMode && (v.scroll_max_x > 0 || v.scroll_max_y > 0)) {
        v.pan_mouse_x = x;
        v.pan_mouse_y = y;
        v.pan_scroll_x = v.scroll_x;
        v.pan_scroll_y = v.scroll_y;
        v.panning = true;
        SetCapture(v.main_window);
    }
}

static int clamp(int value, int high) { return value < 0 ? 0 : value > high ? high : value; }

void OnMouseMove(int x, int y) {
    ViewerState& v = g_viewer;
    if (v.crop_dragging) {
        v.crop_end_x = x;
        v.crop_end_y = y;
        InvalidateRect(v.main_window, nullptr, FALSE);
    } else if (v.panning) {
        int sx = clamp(v.pan_scroll_x + v.pan_mouse_x - x, v.scroll_max_x);
        int sy = clamp(v.pan_scroll_y + v.pan_mouse_y - y, v.scroll_max_y);
        if (sx != v.scroll_x || sy != v.scroll_y) {
            v.scroll_x = sx;
            v.scroll_y = sy;
            SetScrollPos(v.main_window, SB_HORZ, sx, TRUE);
            SetScrollPos(v.main_window, SB_VERT, sy, TRUE);
            InvalidateRect(v.main_window, nullptr, FALSE);
        }
    }
}

void OnLeftButtonUp(int x, int y) {
    ViewerState& v = g_viewer;
    if (v.crop_dragging) {
        v.crop_end_x = x;
        v.crop_end_y = y;
        ReleaseCapture();
        ApplyCrop();
    } else if (v.panning) {
        v.panning = false;
        ReleaseCapture();
    }
}

void OnDoubleClick() {
    if (!g_viewer.crop_mode) ToggleFullScreen();
}

void OnMouseWheel(WPARAM wparam, LPARAM lparam) {
    short delta = (short)HIWORD(wparam);
    if (LOWORD(wparam) & MK_CONTROL) {
        POINT p = {(short)LOWORD(lparam), (short)HIWORD(lparam)};
        ScreenToClient(g_viewer.main_window, &p);
        ZoomAt(delta > 0 ? 1.25 : 0.8, p.x, p.y);
    } else {
        StepImage(delta > 0 ? -1 : +1);
    }
}

void OnEscapeKey() {
    ViewerState& v = g_viewer;
    if (v.crop_mode) {
        v.crop_mode = v.crop_dragging = false;
        UpdateStatusBar();
        InvalidateRect(v.main_window, nullptr, FALSE);
    } else if (v.slideshow) {
        StopSlideShow();
    } else if (v.fullscreen) {
        EndFullScreen();
    }
}

void OnDropFiles(HDROP drop) {
    char path[260] = "";
    bool got = dropped_file_path(drop, path);
    DragFinish(drop);
    if (!got || !path[0]) return;
    if (IsFolderPath(path)) {
        size_t n = strlen(path);
        if (n > 0 && path[n - 1] != '\\' && n < 258) lstrcatA(path, "\\");
        scan_folder(path);
        enter_browser();  // no question about unsaved changes: the picture stays open
        return;
    }
    OpenFileInViewer(path);
}

LRESULT OnCopyData(const COPYDATASTRUCT* data) {
    char path[260] = "";
    if (data && data->lpData && data->cbData) {
        DWORD n = data->cbData < 259 ? data->cbData : 259;
        memcpy(path, data->lpData, n);
        path[n] = 0;
    }
    if (IsIconic(g_viewer.main_window)) ShowWindow(g_viewer.main_window, SW_RESTORE);
    SetForegroundWindow(g_viewer.main_window);
    if (path[0]) OpenPath(path);
    return TRUE;
}
