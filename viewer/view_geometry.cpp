// The window side of the view geometry: reads the view rectangle and the
// zoom fields of g_viewer, hands them to the rules of view_geometry_pure and
// writes the results back to the fields and the scroll bars.
#include "viewer/view.h"
#include "viewer/view_geometry_pure.h"

#include "shell/settings.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

static_assert(kScrollLineBack == SB_LINEUP && kScrollLineForward == SB_LINEDOWN && kScrollPageBack == SB_PAGEUP &&
                  kScrollPageForward == SB_PAGEDOWN && kScrollThumbPosition == SB_THUMBPOSITION &&
                  kScrollThumbTrack == SB_THUMBTRACK && kScrollTop == SB_TOP && kScrollBottom == SB_BOTTOM &&
                  kScrollEnd == SB_ENDSCROLL,
              "scroll requests are the system's codes");

namespace {

// The shown picture's size; (0, 0) when there is none.
void picture_size(int* w, int* h) {
    *w = g_viewer.shown ? g_viewer.shown->width : 0;
    *h = g_viewer.shown ? g_viewer.shown->height : 0;
}

void view_size(int* view_w, int* view_h) {
    RECT r = GetViewRect();
    *view_w = r.right - r.left;
    *view_h = r.bottom - r.top;
}

// A bar whose page covers its range is hidden by the system, so the bars
// appear only while the picture is larger than the view at a fixed scale.
void set_bar(int bar, int display_extent, int page, int position, bool fit) {
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = fit || display_extent < 1 ? 0 : display_extent - 1;
    si.nPage = page > 0 ? (UINT)page : 0;
    si.nPos = position;
    SetScrollInfo(g_frame.window, bar, &si, TRUE);
}

bool same_rect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

RECT GetViewRect() {
    RECT r = {};
    if (!g_frame.window) return r;
    // The browser's panes own the client area; the picture has no place there.
    if (g_frame.BrowseMode && !g_frame.fullscreen) return r;
    RECT client;
    GetClientRect(g_frame.window, &client);
    bool toolbar = g_frame.toolbar && (g_frame.fullscreen ? g_settings.FsToolbar : g_settings.ShowToolbar);
    bool status = g_frame.status_bar && !g_frame.fullscreen && g_settings.ShowStatus;
    ViewBox box = ViewBoxInClient(ViewBox{client.left, client.top, client.right, client.bottom},
                                  toolbar ? WindowHeight(g_frame.toolbar) : 0, status ? WindowHeight(g_frame.status_bar) : 0);
    r.left = box.left;
    r.top = box.top;
    r.right = box.right;
    r.bottom = box.bottom;
    return r;
}

void GetDisplaySize(int* width, int* height) {
    int view_w, view_h, w, h;
    view_size(&view_w, &view_h);
    picture_size(&w, &h);
    DisplaySizeFor(g_viewer.zoom, view_w, view_h, w, h, width, height);
}

POINT GetPictureOrigin() {
    RECT r = GetViewRect();
    int dw, dh;
    GetDisplaySize(&dw, &dh);
    POINT p;
    p.x = r.left + PictureOffset(r.right - r.left, dw, g_viewer.zoom.scroll_x);
    p.y = r.top + PictureOffset(r.bottom - r.top, dh, g_viewer.zoom.scroll_y);
    return p;
}

double GetEffectiveScale() {
    if (!g_viewer.shown) return 1.0;
    int dw, dh;
    GetDisplaySize(&dw, &dh);
    return EffectiveScale(g_viewer.zoom, dw, g_viewer.shown->width);
}

void SetZoomScale(double scale) {
    SetFixedScale(&g_viewer.zoom, scale);
}

void ZoomBy(double factor) {
    int view_w, view_h, w, h;
    view_size(&view_w, &view_h);
    picture_size(&w, &h);
    ZoomByFactor(&g_viewer.zoom, factor, view_w, view_h, w, h);
}

void ZoomAt(double factor, int x, int y) {
    if (!g_viewer.shown) return;
    RECT r = GetViewRect();
    ZoomAtPoint(&g_viewer.zoom, factor, ViewBox{r.left, r.top, r.right, r.bottom}, g_viewer.shown->width,
                g_viewer.shown->height, x, y);
    frame_relayout();
}

void UpdateScrollBars() {
    ViewerState& v = g_viewer;
    if (!g_frame.window) return;
    // Showing or hiding a bar changes the client area (and sends WM_SIZE,
    // which comes back here); go round until the view keeps its size.
    for (int pass = 0; pass < 4; ++pass) {
        RECT before = GetViewRect();
        int view_w = before.right - before.left, view_h = before.bottom - before.top;
        int w, h;
        picture_size(&w, &h);
        if (g_frame.BrowseMode) w = h = 0;  // no picture to scroll in the browser
        ZoomState zoom = g_viewer.zoom;
        int max_x, max_y;
        ClampScrollToView(&zoom, view_w, view_h, w, h, &max_x, &max_y);
        if (w > 0) v.zoom = zoom;
        v.scroll_max_x = max_x;
        v.scroll_max_y = max_y;
        int dw, dh;
        DisplaySizeFor(zoom, view_w, view_h, w, h, &dw, &dh);
        bool fit = zoom.mode != kZoomFixed;
        set_bar(SB_HORZ, dw, view_w, v.zoom.scroll_x, fit);
        set_bar(SB_VERT, dh, view_h, v.zoom.scroll_y, fit);
        RECT after = GetViewRect();
        if (same_rect(before, after)) break;
    }
}

void OnScrollMessage(int bar, WPARAM wparam) {
    ViewerState& v = g_viewer;
    RECT r = GetViewRect();
    bool horizontal = bar == SB_HORZ;
    int page = horizontal ? r.right - r.left : r.bottom - r.top;
    int limit = horizontal ? v.scroll_max_x : v.scroll_max_y;
    int32_t* position = horizontal ? &v.zoom.scroll_x : &v.zoom.scroll_y;
    int request = LOWORD(wparam);
    int thumb = HIWORD(wparam);
    if (request == SB_THUMBTRACK || request == SB_THUMBPOSITION) {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(g_frame.window, bar, &si)) thumb = ThumbPosition(thumb, si.nTrackPos);
    }
    int target = ScrollTarget(request, *position, page, limit, thumb);
    if (target == *position) return;
    *position = target;
    SetScrollPos(g_frame.window, bar, target, TRUE);
    InvalidateRect(g_frame.window, nullptr, FALSE);
}

bool ZoomCommand(int id) {
    const ZoomCommandRow* row = FindZoomCommand(id);
    if (!row) return false;
    bool shown = g_viewer.shown != nullptr;
    if (row->action == kZoomCustomScale) {
        if (!shown) return true;
        unsigned percent = AskScalePercent(g_frame.window, (unsigned)ScalePercent(GetEffectiveScale()));
        if (!ScalePercentValid(percent)) return true;  // cancelled
        SetZoomScale(percent / 100.0);
        frame_relayout();
        return true;
    }
    int view_w, view_h, w, h;
    view_size(&view_w, &view_h);
    picture_size(&w, &h);
    if (ApplyZoomRow(&g_viewer.zoom, *row, shown, view_w, view_h, w, h)) frame_relayout();
    return true;
}
