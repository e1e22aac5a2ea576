// Painting the picture area: every pixel of the view goes through one back
// buffer (no flicker, no background erase); pictures displayed up to
// 1024 x 1024 are stretched once into a cached bitmap, larger ones have only
// their visible part stretched at every paint.
#include <string.h>

#include "viewer/paint_pure.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

struct BackBuffer {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old_bitmap;
    int width, height;
};

// The shown picture stretched to its displayed size, valid while the image
// and the displayed size it was made for still match.
struct ScaledCache {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old_bitmap;
    const Image* image;
    int width, height;
};

struct ViewPalette {
    bool decided;      // the display was asked once
    HPALETTE palette;  // null: palette handling is off
};

BackBuffer s_back;
ScaledCache s_cache;
ViewPalette s_palette;
PaintCounters s_counters;

void fill_dib_header(const Image* image, BITMAPINFO* info) {
    memset(info, 0, sizeof *info);
    BitmapInfoHeader header;
    image_fill_bitmap_header(image, &header);
    static_assert(sizeof header == sizeof info->bmiHeader, "same 40-byte header");
    memcpy(&info->bmiHeader, &header, sizeof header);
}

// Sources larger than this are drawn in bands of rows, each into its share
// of the destination: Wine stretches a source only after copying all of it,
// which for a picture of a gigabyte is a second gigabyte that is not there.
const size_t kStretchBandBytes = (size_t)256 << 20;

// Stretches the source rectangle of image (src_dib_y counted from the
// bottom, as in a bottom-up DIB) into dc.
void stretch_picture(HDC dc, const Image* image, int dest_x, int dest_y, int dest_w, int dest_h, int src_x,
                     int src_dib_y, int src_w, int src_h) {
    BITMAPINFO info;
    fill_dib_header(image, &info);
    int old_mode = SetStretchBltMode(dc, COLORONCOLOR);
    POINT old_origin;
    SetBrushOrgEx(dc, 0, 0, &old_origin);
    const int band = (int)(kStretchBandBytes / (size_t)image->stride);
    if (src_h <= band) {
        StretchDIBits(dc, dest_x, dest_y, dest_w, dest_h, src_x, src_dib_y, src_w, src_h, image->pixels, &info,
                      DIB_RGB_COLORS, SRCCOPY);
    } else {
        // Each band a bottom-up DIB of its own rows, from the top of the source down.
        const int src_top = image->height - (src_dib_y + src_h);
        info.bmiHeader.biSizeImage = 0;
        for (int t = 0; t < src_h;) {
            const int next = t + band < src_h ? t + band : src_h;
            const int d0 = (int)((long long)t * dest_h / src_h), d1 = (int)((long long)next * dest_h / src_h);
            if (d1 > d0) {
                info.bmiHeader.biHeight = next - t;
                StretchDIBits(dc, dest_x, dest_y + d0, dest_w, d1 - d0, src_x, 0, src_w, next - t,
                              image_row(image, src_top + next - 1), &info, DIB_RGB_COLORS, SRCCOPY);
            }
            t = next;
        }
    }
    SetBrushOrgEx(dc, old_origin.x, old_origin.y, nullptr);
    if (old_mode) SetStretchBltMode(dc, old_mode);
}

bool ensure_back_buffer(HDC dc, int width, int height) {
    if (s_back.dc && s_back.width == width && s_back.height == height) return true;
    ReleaseBackBuffer();
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, width, height) : nullptr;
    if (!memory || !bitmap) {
        if (bitmap) DeleteObject(bitmap);
        if (memory) DeleteDC(memory);
        return false;
    }
    s_back = BackBuffer{memory, bitmap, SelectObject(memory, bitmap), width, height};
    return true;
}

// Rebuilds the cache when its key no longer matches. False when the bitmap
// cannot be made; the cache then stays empty.
bool ensure_scaled_cache(HDC dc, const Image* image, int dw, int dh) {
    if (s_cache.bitmap && s_cache.image == image && s_cache.width == dw && s_cache.height == dh) return true;
    DropScaledCache();
    // No wait cursor while an animation runs: frame changes would flicker it.
    bool show_wait = !g_viewer.animating;
    HCURSOR previous = show_wait ? SetCursor(LoadCursor(nullptr, IDC_WAIT)) : nullptr;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, dw, dh) : nullptr;
    bool made = memory && bitmap;
    if (made) {
        s_cache = ScaledCache{memory, bitmap, SelectObject(memory, bitmap), image, dw, dh};
        RealizeHalftonePalette(memory, false, nullptr);  // put back when the cache goes
        stretch_picture(memory, image, 0, 0, dw, dh, 0, 0, image->width, image->height);
        ++s_counters.cache_builds;
    } else {
        if (bitmap) DeleteObject(bitmap);
        if (memory) DeleteDC(memory);
    }
    if (show_wait) SetCursor(previous);
    return made;
}

}  // namespace

HBITMAP PrerenderScaledPicture(const Image* image, int dw, int dh) {
    if (!image || dw < 1 || dh < 1 || UsesDirectStretch(dw, dh)) return nullptr;
    HDC screen = GetDC(nullptr);
    if (!screen) return nullptr;
    HBITMAP bitmap = nullptr;
    if (!(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE)) {
        HDC memory = CreateCompatibleDC(screen);
        bitmap = memory ? CreateCompatibleBitmap(screen, dw, dh) : nullptr;
        if (bitmap) {
            HGDIOBJ old = SelectObject(memory, bitmap);
            stretch_picture(memory, image, 0, 0, dw, dh, 0, 0, image->width, image->height);
            GdiFlush();
            SelectObject(memory, old);
        }
        if (memory) DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return bitmap;
}

void AdoptScaledCache(const Image* image, HBITMAP bitmap, int dw, int dh) {
    DropScaledCache();
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory) {
        DeleteObject(bitmap);
        return;
    }
    s_cache = ScaledCache{memory, bitmap, SelectObject(memory, bitmap), image, dw, dh};
    ++s_counters.cache_builds;
}

namespace {

void draw_picture(HDC dc, HDC back, int view_w, int view_h) {
    const Image* image = g_viewer.shown;
    int dw, dh;
    GetDisplaySize(&dw, &dh);
    if (dw < 1 || dh < 1) return;
    RECT r = GetViewRect();
    POINT origin = GetPictureOrigin();
    int ox = origin.x - r.left, oy = origin.y - r.top;
    if (UsesDirectStretch(dw, dh)) {
        DropScaledCache();
        StretchPlan plan = PlanVisibleStretch(view_w, view_h, ox, oy, dw, dh, image->width, image->height);
        if (!plan.draw) return;
        stretch_picture(back, image, plan.dest_x, plan.dest_y, plan.dest_w, plan.dest_h, plan.src_x0,
                        plan.dib_src_y, plan.src_x1 - plan.src_x0, plan.src_y1 - plan.src_y0);
        ++s_counters.direct_stretches;
        return;
    }
    if (!ensure_scaled_cache(dc, image, dw, dh)) return;
    BitBlt(back, ox, oy, dw, dh, s_cache.dc, 0, 0, SRCCOPY);
}

void draw_crop_outline(HDC back, const RECT& view) {
    const ViewerState& v = g_viewer;
    PaintBox box = CropOutline(v.crop_start_x, v.crop_start_y, v.crop_end_x, v.crop_end_y, view.left, view.top);
    HPEN pen = CreatePen(PS_DOT, 1, RGB(255, 255, 0));
    if (!pen) return;
    HGDIOBJ old_pen = SelectObject(back, pen);
    HGDIOBJ old_brush = SelectObject(back, GetStockObject(HOLLOW_BRUSH));
    int old_mode = SetBkMode(back, TRANSPARENT);
    Rectangle(back, box.left, box.top, box.right, box.bottom);
    SetBkMode(back, old_mode);
    SelectObject(back, old_brush);
    SelectObject(back, old_pen);
    DeleteObject(pen);
}

void draw_pause_sign(HDC back, int view_w) {
    PaintBox bars[2];
    PauseSignBars(view_w, bars);
    for (const PaintBox& b : bars) {
        RECT shadow = {b.left + kPauseShadow, b.top + kPauseShadow, b.right + kPauseShadow, b.bottom + kPauseShadow};
        FillRect(back, &shadow, (HBRUSH)GetStockObject(BLACK_BRUSH));
    }
    for (const PaintBox& b : bars) {
        RECT bar = {b.left, b.top, b.right, b.bottom};
        FillRect(back, &bar, (HBRUSH)GetStockObject(WHITE_BRUSH));
    }
}

}  // namespace

void PaintView(HDC dc) {
    const ViewerState& v = g_viewer;
    // In the browser the view rectangle is empty: its panes paint themselves.
    RECT r = GetViewRect();
    int view_w = r.right - r.left, view_h = r.bottom - r.top;
    if (view_w <= 0 || view_h <= 0) return;
    if (!ensure_back_buffer(dc, view_w, view_h)) return;
    HDC back = s_back.dc;
    HPALETTE previous = nullptr;
    RealizeHalftonePalette(dc, false, &previous);
    RealizeHalftonePalette(back, false, nullptr);  // put back when the buffer goes

    RECT all = {0, 0, view_w, view_h};
    FillRect(back, &all, g_frame.fullscreen ? (HBRUSH)GetStockObject(BLACK_BRUSH) : GetSysColorBrush(COLOR_APPWORKSPACE));
    if (v.shown && !g_frame.BrowseMode) draw_picture(dc, back, view_w, view_h);
    if (v.crop_mode && v.crop_dragging) draw_crop_outline(back, r);
    if (v.slideshow && v.slideshow_paused) draw_pause_sign(back, view_w);
    BitBlt(dc, r.left, r.top, view_w, view_h, back, 0, 0, SRCCOPY);
    if (previous) SelectPalette(dc, previous, FALSE);
}

UINT RealizeHalftonePalette(HDC dc, bool background, HPALETTE* previous) {
    if (previous) *previous = nullptr;
    if (!s_palette.decided) {
        s_palette.decided = true;
        HDC screen = GetDC(nullptr);
        if (screen) {
            if (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) s_palette.palette = CreateHalftonePalette(screen);
            ReleaseDC(nullptr, screen);
        }
    }
    if (!s_palette.palette || !dc) return 0;
    HPALETTE old = SelectPalette(dc, s_palette.palette, background ? TRUE : FALSE);
    if (previous) *previous = old;
    UINT changed = RealizePalette(dc);
    return changed == GDI_ERROR ? 0 : changed;
}

namespace {

// Puts back what was selected into a memory context, then deletes it and its bitmap.
void release_memory_dc(HDC dc, HGDIOBJ old_bitmap, HBITMAP bitmap) {
    if (dc) {
        SelectObject(dc, old_bitmap);
        SelectPalette(dc, (HPALETTE)GetStockObject(DEFAULT_PALETTE), FALSE);
        DeleteDC(dc);
    }
    if (bitmap) DeleteObject(bitmap);
}

}  // namespace

void DropScaledCache() {
    release_memory_dc(s_cache.dc, s_cache.old_bitmap, s_cache.bitmap);
    s_cache = ScaledCache{};
}

void ReleaseBackBuffer() {
    release_memory_dc(s_back.dc, s_back.old_bitmap, s_back.bitmap);
    s_back = BackBuffer{};
}

void ReleaseViewPalette() {
    // A palette still selected into a context cannot be deleted.
    if (s_back.dc) SelectPalette(s_back.dc, (HPALETTE)GetStockObject(DEFAULT_PALETTE), FALSE);
    if (s_cache.dc) SelectPalette(s_cache.dc, (HPALETTE)GetStockObject(DEFAULT_PALETTE), FALSE);
    if (s_palette.palette) DeleteObject(s_palette.palette);
    s_palette = ViewPalette{};
}

LRESULT OnPaletteMessage(UINT message, WPARAM wparam) {
    HWND window = g_frame.window;
    if (!window) return 0;
    if (message == WM_PALETTECHANGED && (HWND)wparam == window) return 0;
    HDC dc = GetDC(window);
    if (!dc) return 0;
    HPALETTE previous = nullptr;
    UINT changed = RealizeHalftonePalette(dc, message == WM_PALETTECHANGED, &previous);
    if (previous) SelectPalette(dc, previous, FALSE);
    ReleaseDC(window, dc);
    if (changed) InvalidateRect(window, nullptr, FALSE);
    return message == WM_QUERYNEWPALETTE && changed ? TRUE : 0;
}

PaintCounters GetPaintCounters() { return s_counters; }
