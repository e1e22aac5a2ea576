#include "viewer/mouse.h"

#include "viewer/edit_commands.h"
#include "viewer/navigation.h"
#include "viewer/playback.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

int clamp(int value, int high) { return value < 0 ? 0 : value > high ? high : value; }

}  // namespace

void OnLeftButtonDown(int x, int y) {
    ViewerState& v = g_viewer;
    if (v.crop_mode && v.shown) {
        v.crop_start_x = v.crop_end_x = x;
        v.crop_start_y = v.crop_end_y = y;
        v.crop_dragging = true;
        SetCapture(g_frame.window);
    } else if (v.shown && !g_frame.BrowseMode && (v.scroll_max_x > 0 || v.scroll_max_y > 0)) {
        v.pan_mouse_x = x;
        v.pan_mouse_y = y;
        v.pan_scroll_x = v.zoom.scroll_x;
        v.pan_scroll_y = v.zoom.scroll_y;
        v.panning = true;
        SetCapture(g_frame.window);
    }
}

void OnMouseMove(int x, int y) {
    ViewerState& v = g_viewer;
    if (v.crop_dragging) {
        v.crop_end_x = x;
        v.crop_end_y = y;
        InvalidateRect(g_frame.window, nullptr, FALSE);
    } else if (v.panning) {
        int sx = clamp(v.pan_scroll_x + v.pan_mouse_x - x, v.scroll_max_x);
        int sy = clamp(v.pan_scroll_y + v.pan_mouse_y - y, v.scroll_max_y);
        if (sx != v.zoom.scroll_x || sy != v.zoom.scroll_y) {
            v.zoom.scroll_x = sx;
            v.zoom.scroll_y = sy;
            SetScrollPos(g_frame.window, SB_HORZ, sx, TRUE);
            SetScrollPos(g_frame.window, SB_VERT, sy, TRUE);
            InvalidateRect(g_frame.window, nullptr, FALSE);
        }
    }
}

void OnLeftButtonUp(int x, int y) {
    ViewerState& v = g_viewer;
    bool crop = v.crop_dragging;
    v.crop_end_x = crop ? x : v.crop_end_x;
    v.crop_end_y = crop ? y : v.crop_end_y;
    v.crop_dragging = v.panning = false;
    // Whatever ended the drag meanwhile, the button is up: the mouse goes back.
    if (GetCapture() == g_frame.window) ReleaseCapture();
    if (crop) FinishCrop();
}

void OnCaptureChanged(HWND taker) {
    ViewerState& v = g_viewer;
    if (taker == g_frame.window) return;
    // Another window took the mouse (a message box, the system): the drag is
    // over without its button-up. Crop mode stays on for a new drag.
    if (v.crop_dragging) InvalidateRect(g_frame.window, nullptr, FALSE);
    v.crop_dragging = v.panning = false;
}

void OnMouseWheel(WPARAM wparam, LPARAM lparam) {
    short delta = (short)HIWORD(wparam);
    if (LOWORD(wparam) & MK_CONTROL) {
        POINT p = {(short)LOWORD(lparam), (short)HIWORD(lparam)};
        ScreenToClient(g_frame.window, &p);
        ZoomAt(delta > 0 ? kZoomInFactor : kZoomOutFactor, p.x, p.y);
    } else {
        StepImage(delta > 0 ? -1 : +1);
    }
}
