// Times the view's repaint of a 4000 x 3000 picture on the real main window,
// under Wine or Windows: at best fit (the scaled-picture cache is copied) and
// at 400 % while scrolling (the visible part is stretched at every paint).
// Prints milliseconds per paint. Usage: paint_bench [paints per case]
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "bench/win32/bench_support.h"
#include "shell/settings.h"
#include "viewer/document.h"
#include "app/layout.h"
#include "app/main_window.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"

namespace {

// A photo-like picture: smooth gradients with some fine detail.
Image* make_picture(int w, int h) {
    Image* image = image_create(w, h);
    if (!image) return nullptr;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = image_row(image, y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = (uint8_t)(x * 255 / w);
            row[3 * x + 1] = (uint8_t)(y * 255 / h);
            row[3 * x + 2] = (uint8_t)((x ^ y) & 0x3F) + 96;
        }
    }
    return image;
}

struct Figures {
    double best, median, mean, worst;
};

Figures summarize(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    double total = 0;
    for (double t : times) total += t;
    return Figures{times.front(), times[times.size() / 2], total / times.size(), times.back()};
}

void report(const char* label, const std::vector<double>& times, PaintCounters before, PaintCounters after) {
    Figures f = summarize(times);
    printf("%-44s best %6.2f  median %6.2f  mean %6.2f  worst %6.2f ms/paint  (%u cache builds, %u direct)\n", label,
           f.best, f.median, f.mean, f.worst, after.cache_builds - before.cache_builds,
           after.direct_stretches - before.direct_stretches);
}

// One paint as WM_PAINT does it, into the window's own context.
double timed_paint(HWND window) {
    HDC dc = GetDC(window);
    double t0 = now_ms();
    PaintView(dc);
    GdiFlush();
    double t = now_ms() - t0;
    ReleaseDC(window, dc);
    return t;
}

// A scroll position that wanders over the whole range, as a drag would.
void scroll_step(int i) {
    ViewerState& v = g_viewer;
    int span_x = v.scroll_max_x > 0 ? v.scroll_max_x : 1, span_y = v.scroll_max_y > 0 ? v.scroll_max_y : 1;
    v.zoom.scroll_x = (i * 37) % span_x;
    v.zoom.scroll_y = (i * 23) % span_y;
}

}  // namespace

int main(int argc, char** argv) {
    int paints = argc > 1 ? atoi(argv[1]) : 300;
    if (paints < 10) paints = 10;
    HWND window = open_bench_window();
    if (!window) return 1;
    RECT frame = {0, 0, 1024, 768};
    AdjustWindowRect(&frame, kMainWindowStyle, TRUE);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOZORDER);
    pump();

    Image* picture = make_picture(4000, 3000);
    if (!picture) return 1;
    g_viewer.document.frames = (Image**)calloc(1, sizeof(Image*));
    g_viewer.document.frames[0] = picture;
    g_viewer.document.count = 1;
    g_viewer.shown = picture;
    RECT view = GetViewRect();
    printf("view %ld x %ld, picture 4000 x 3000, %d paints per case\n", view.right - view.left,
           view.bottom - view.top, paints);

    // Best fit: the first paint stretches the whole picture into the cache.
    g_viewer.zoom.mode = 1;
    LayoutMainWindow();
    pump();
    DropScaledCache();
    PaintCounters before = GetPaintCounters();
    std::vector<double> first = {timed_paint(window)};
    report("best fit, first paint (cache built)", first, before, GetPaintCounters());
    before = GetPaintCounters();
    std::vector<double> times;
    for (int i = 0; i < paints; ++i) times.push_back(timed_paint(window));
    report("best fit, repaint (cache hit)", times, before, GetPaintCounters());

    // The large path: 400 % (16000 x 12000 displayed) and the extremes, actual
    // size and 32x; the visible part is stretched on every paint.
    const double scales[] = {4.0, 1.0, 32.0};
    for (double scale : scales) {
        SetZoomScale(scale);
        LayoutMainWindow();
        pump();
        before = GetPaintCounters();
        times.clear();
        for (int i = 0; i < paints; ++i) {
            scroll_step(i);
            times.push_back(timed_paint(window));
        }
        char label[64];
        snprintf(label, sizeof label, "%.0f %%, scrolling (direct stretch)", scale * 100);
        report(label, times, before, GetPaintCounters());
    }

    // The whole WM_PAINT round at 400 %: invalidate, paint, validate.
    SetZoomScale(4.0);
    LayoutMainWindow();
    pump();
    before = GetPaintCounters();
    times.clear();
    for (int i = 0; i < paints; ++i) {
        scroll_step(i);
        InvalidateRect(window, nullptr, FALSE);
        double t0 = now_ms();
        UpdateWindow(window);
        GdiFlush();
        times.push_back(now_ms() - t0);
    }
    report("400 %, WM_PAINT round trip", times, before, GetPaintCounters());

    g_settings.RememberPos = 0;  // nothing to write at destruction
    DestroyWindow(window);
    pump();
    CloseDocument();
    return 0;
}
