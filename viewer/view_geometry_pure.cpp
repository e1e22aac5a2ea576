#include "viewer/view_geometry_pure.h"

#include "res/resource.h"

ViewBox ViewBoxInClient(const ViewBox& client, int toolbar_height, int status_height) {
    ViewBox view = client;
    view.top = toolbar_height > 0 ? toolbar_height : 0;
    view.bottom = client.bottom - (status_height > 0 ? status_height : 0);
    if (view.bottom < view.top) view.bottom = view.top;
    return view;
}

double ClampZoomScale(double scale) {
    if (!(scale >= kMinZoomScale)) return kMinZoomScale;  // also catches NaN
    if (scale > kMaxZoomScale) return kMaxZoomScale;
    return scale;
}

static double shown_scale(const ZoomState& zoom, int view_w, int view_h, int w, int h) {
    if (zoom.mode == kZoomFixed) return zoom.scale;
    double s = (double)view_w / w;
    double t = (double)view_h / h;
    double scale = s >= t ? t : s;
    if (scale <= 0.0) scale = 1.0;  // the view has collapsed
    if (zoom.mode == kZoomShrinkToFit && scale > 1.0) scale = 1.0;
    return scale;
}

static int rounded_side(double scale, int side) {
    double value = scale * side + 0.5;
    if (value > 2147483647.0) return 2147483647;
    int result = (int)value;
    return result < 1 ? 1 : result;
}

void DisplaySizeFor(const ZoomState& zoom, int view_w, int view_h, int w, int h, int* dw, int* dh) {
    if (w < 1 || h < 1) {
        *dw = *dh = 0;
        return;
    }
    double scale = shown_scale(zoom, view_w, view_h, w, h);
    *dw = rounded_side(scale, w);
    *dh = rounded_side(scale, h);
}

double EffectiveScale(const ZoomState& zoom, int dw, int w) {
    if (zoom.mode == kZoomFixed) return zoom.scale;
    return w > 0 ? (double)dw / w : 1.0;
}

int ScalePercent(double scale) { return (int)(scale * 100.0 + 0.5); }

int PictureOffset(int view_extent, int display_extent, int scroll) {
    if (view_extent < display_extent) return -scroll;
    return (view_extent - display_extent) / 2;
}

int PictureCoordinate(int offset, int display_extent, int size) {
    if (display_extent < 1 || size < 1) return 0;
    double value = (double)offset / display_extent * size + 0.5;
    if (value <= 0) return 0;
    return value >= size ? size : (int)value;
}

int ScrollLimit(int display_extent, int view_extent) {
    int limit = display_extent - view_extent;
    return limit > 0 ? limit : 0;
}

void ClampScrollToView(ZoomState* zoom, int view_w, int view_h, int w, int h, int* max_x, int* max_y) {
    int dw, dh;
    DisplaySizeFor(*zoom, view_w, view_h, w, h, &dw, &dh);
    *max_x = ScrollLimit(dw, view_w);
    *max_y = ScrollLimit(dh, view_h);
    if (zoom->scroll_x > *max_x) zoom->scroll_x = *max_x;
    if (zoom->scroll_y > *max_y) zoom->scroll_y = *max_y;
    if (zoom->mode != kZoomFixed) zoom->scroll_x = zoom->scroll_y = 0;
}

void SetFixedScale(ZoomState* zoom, double scale) {
    zoom->scale = ClampZoomScale(scale);
    zoom->mode = kZoomFixed;
    zoom->scroll_x = zoom->scroll_y = 0;
}

void ZoomByFactor(ZoomState* zoom, double factor, int view_w, int view_h, int w, int h) {
    double from = zoom->scale;
    if (zoom->mode != kZoomFixed) {
        int dw, dh;
        DisplaySizeFor(*zoom, view_w, view_h, w, h, &dw, &dh);
        from = EffectiveScale(*zoom, dw, w);
    }
    double to = ClampZoomScale(from * factor);
    // A fit mode can show a picture beyond the limits (a tiny one far above
    // 3200 %); the clamp must not turn a step the other way.
    if ((factor > 1.0 && to < from) || (factor < 1.0 && to > from)) return;
    zoom->mode = kZoomFixed;
    zoom->scale = to;
}

static double relative_point(int p, int offset, int display) {
    if (display < 1) return 0.5;
    double f = (double)(p - offset) / display;
    return f < 0.0 ? 0.0 : f > 1.0 ? 1.0 : f;
}

static int scroll_keeping(double f, int p, int display, int view) {
    if (display <= view) return 0;
    double value = display * f - p + 0.5;
    int limit = display - view;
    if (value <= 0.0) return 0;
    if (value >= limit) return limit;
    return (int)value;
}

void ZoomAtPoint(ZoomState* zoom, double factor, const ViewBox& view, int w, int h, int x, int y) {
    int view_w = view.right - view.left, view_h = view.bottom - view.top;
    int dw, dh;
    DisplaySizeFor(*zoom, view_w, view_h, w, h, &dw, &dh);
    int px = x - view.left, py = y - view.top;
    double fx = relative_point(px, PictureOffset(view_w, dw, zoom->scroll_x), dw);
    double fy = relative_point(py, PictureOffset(view_h, dh, zoom->scroll_y), dh);

    ZoomByFactor(zoom, factor, view_w, view_h, w, h);

    DisplaySizeFor(*zoom, view_w, view_h, w, h, &dw, &dh);
    zoom->scroll_x = scroll_keeping(fx, px, dw, view_w);
    zoom->scroll_y = scroll_keeping(fy, py, dh, view_h);
}

int ScrollTarget(int request, int position, int page, int limit, int thumb) {
    long long p = position;  // page steps near INT_MAX must not wrap
    switch (request) {
    case kScrollLineBack: p -= kScrollLine; break;
    case kScrollLineForward: p += kScrollLine; break;
    case kScrollPageBack: p -= page; break;
    case kScrollPageForward: p += page; break;
    case kScrollThumbPosition:
    case kScrollThumbTrack: p = thumb; break;
    default: break;  // top, bottom, end of scrolling: no change
    }
    if (p > limit) p = limit;
    if (p < 0) p = 0;
    return (int)p;
}

int ThumbPosition(int message_position, int tracking_position) {
    if (tracking_position >= 0 && (tracking_position & 0xFFFF) == (message_position & 0xFFFF))
        return tracking_position;
    return message_position & 0xFFFF;
}

namespace {

const ZoomCommandRow kZoomCommands[] = {
    {IDM_VIEW_BEST_FIT, kZoomSetMode, kZoomBestFit, false},
    {IDM_VIEW_ACTUAL_SIZE, kZoomActualSize, 1.0, false},
    {IDM_VIEW_ZOOM_IN, kZoomStep, kZoomInFactor, true},
    {IDM_VIEW_ZOOM_OUT, kZoomStep, kZoomOutFactor, true},
    {IDM_ZOOM_25, kZoomPreset, 0.25, true},
    {IDM_ZOOM_50, kZoomPreset, 0.5, true},
    {IDM_ZOOM_75, kZoomPreset, 0.75, true},
    {IDM_ZOOM_100, kZoomPreset, 1.0, true},
    {IDM_ZOOM_200, kZoomPreset, 2.0, true},
    {IDM_ZOOM_400, kZoomPreset, 4.0, true},
    {IDM_ZOOM_CUSTOM_SCALE, kZoomCustomScale, 0.0, true},
    {IDM_VIEW_SHRINK_TO_FIT, kZoomSetMode, kZoomShrinkToFit, false},
};

}  // namespace

const ZoomCommandRow* FindZoomCommand(int id) {
    for (const ZoomCommandRow& row : kZoomCommands)
        if (row.id == id) return &row;
    return nullptr;
}

bool ApplyZoomRow(ZoomState* zoom, const ZoomCommandRow& row, bool image_shown, int view_w, int view_h, int w,
                  int h) {
    if (row.needs_image && !image_shown) return false;
    switch (row.action) {
    case kZoomSetMode: zoom->mode = (int32_t)row.value; return true;
    case kZoomActualSize:
        zoom->scale = 1.0;
        zoom->mode = kZoomFixed;
        zoom->scroll_x = zoom->scroll_y = 0;
        return true;
    case kZoomPreset: SetFixedScale(zoom, row.value); return true;
    case kZoomStep: ZoomByFactor(zoom, row.value, view_w, view_h, w, h); return true;
    case kZoomCustomScale: return false;  // the dialog decides
    }
    return false;
}

uint32_t ParseScaleField(const char* text) {
    if (!text) return 0;
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p < '0' || *p > '9') return 0;
    uint64_t value = 0;
    bool too_large = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (uint64_t)(*p - '0');
        if (value > 0xFFFFFFFFu) {
            too_large = true;
            value = 0xFFFFFFFFu;
        }
    }
    while (*p == ' ' || *p == '\t') ++p;
    if (*p) return 0;  // not a number
    return too_large ? 0xFFFFFFFFu : (uint32_t)value;
}

bool ScalePercentValid(uint32_t percent) {
    return percent >= (uint32_t)kMinScalePercent && percent <= (uint32_t)kMaxScalePercent;
}

uint32_t ClampScalePercent(uint32_t percent) {
    if (percent < (uint32_t)kMinScalePercent) return kMinScalePercent;
    return percent > (uint32_t)kMaxScalePercent ? kMaxScalePercent : percent;
}
