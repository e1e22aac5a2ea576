// Painting the view for real: the picture is installed, the view painted
// into a DIB section (or by a real WM_PAINT) and its pixels compared with the
// picture's. Which path a size takes and the stretch arithmetic are tested
// natively (tests/native/view_paint_test.cpp).
#include <string.h>

#include "tests/support/main_window_fixture.h"
#include "app/layout.h"
#include "viewer/paint_pure.h"
#include "viewer/view.h"

namespace {

uint32_t workspace() { return rgb_of(GetSysColor(COLOR_APPWORKSPACE)); }

const uint32_t kSentinel = 0x00123456;

struct Capture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[(size_t)y * width + x]; }
};

// The client area: PaintView drawing straight into a DIB section that starts
// out as kSentinel, or what a real WM_PAINT left on the window.
Capture capture(HWND window, bool real_paint = false) {
    if (real_paint) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client;
    GetClientRect(window, &client);
    return {client.right, client.bottom, client_pixels(window, kSentinel, [&](HDC memory, HDC dc) {
                if (real_paint) BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
                else PaintView(memory);
            })};
}

// Every pixel of the view against want(x, y), in client coordinates.
template <typename Want>
void expect_view(const Capture& c, Want want) {
    RECT r = GetViewRect();
    int wrong = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (c.at(x, y) != want(x, y) && wrong++ < 5)
                ADD_FAILURE() << "at (" << x << ", " << y << ") want " << std::hex << want(x, y) << " have "
                              << c.at(x, y);
    EXPECT_EQ(wrong, 0);
}

// The picture shown `scale` times enlarged from the current origin, on `background`.
auto shown_at(const Image* image, int scale, uint32_t background) {
    POINT o = GetPictureOrigin();
    return [=](int x, int y) {
        int px = x - o.x, py = y - o.y;
        if (px < 0 || py < 0 || px >= image->width * scale || py >= image->height * scale) return background;
        const uint8_t* p = image_row(image, py / scale) + 3 * (px / scale);
        return (uint32_t)(p[2] << 16 | p[1] << 8 | p[0]);
    };
}

struct ViewPaintTest : MainWindowTest {
    void SetUp() override {
        MainWindowTest::SetUp();
        SetClientSize(640, 480);
    }
    // The picture at actual size where it fits.
    Image* ShowPattern(int w, int h) {
        Image* picture = make_picture(w, h, pattern_colour);
        install_frames({picture});
        g_viewer.zoom.mode = kZoomShrinkToFit;
        LayoutMainWindow();
        return picture;
    }
};

}  // namespace

TEST_F(ViewPaintTest, PictureCentredOnTheWorkspaceColourByPaintViewAndByWmPaint) {
    expect_view(capture(window, true), [](int, int) { return workspace(); });  // nothing open
    Image* picture = ShowPattern(100, 60);
    RECT r = GetViewRect(), client, toolbar, status;
    GetClientRect(window, &client);
    GetWindowRect(g_frame.toolbar, &toolbar);
    GetWindowRect(g_frame.status_bar, &status);
    EXPECT_EQ(r.top, toolbar.bottom - toolbar.top) << "the view starts below the toolbar";
    EXPECT_EQ(r.bottom, client.bottom - (status.bottom - status.top)) << "and ends above the status bar";
    POINT o = GetPictureOrigin();
    EXPECT_LE(abs((o.x - r.left) - (r.right - o.x - 100)), 1) << "centred across";
    EXPECT_LE(abs((o.y - r.top) - (r.bottom - o.y - 60)), 1) << "centred down";

    Capture c = capture(window);
    expect_view(c, shown_at(picture, 1, workspace()));
    // Nothing outside the view is touched: the toolbar and status bar paint themselves.
    EXPECT_EQ(c.at(5, r.top - 1), kSentinel);
    EXPECT_EQ(c.at(5, r.bottom), kSentinel);
    expect_view(capture(window, true), shown_at(picture, 1, workspace()));

    g_frame.fullscreen = true;  // only the flag: the layout and the painter read it
    LayoutMainWindow();
    EXPECT_EQ(GetViewRect().bottom, client.bottom) << "no status bar in full screen";
    EXPECT_EQ(GetViewRect().top, 0) << "nor a toolbar without FsToolbar";
    expect_view(capture(window), shown_at(picture, 1, 0x000000));
    g_settings.FsToolbar = 1;
    EXPECT_EQ(GetViewRect().top, toolbar.bottom - toolbar.top) << "the toolbar stays with FsToolbar";
    g_frame.fullscreen = false;
}

// 32x of a 100 x 100 picture is 3200 pixels wide: the large path stretches the
// visible part straight from the picture, partial pixels included.
TEST_F(ViewPaintTest, LargePathDrawsTheRightPixelsAfterScrolling) {
    Image* picture = ShowPattern(100, 100);
    g_viewer.zoom = ZoomState{kZoomFixed, 32.0, 211, 1234};  // within the scroll range
    LayoutMainWindow();
    ASSERT_EQ(g_viewer.zoom.scroll_x + g_viewer.zoom.scroll_y, 211 + 1234);

    PaintCounters before = GetPaintCounters();
    Capture c = capture(window);
    EXPECT_EQ(GetPaintCounters().direct_stretches, before.direct_stretches + 1);
    EXPECT_EQ(GetPaintCounters().cache_builds, before.cache_builds) << "no cache for a large display";
    expect_view(c, shown_at(picture, 32, workspace()));
}

TEST_F(ViewPaintTest, CacheIsReusedUntilItsKeyChanges) {
    Image* second = make_picture(300, 200, [](int x, int y) { return pattern_colour(y, x); });
    install_frames({make_picture(300, 200, pattern_colour), second});
    g_viewer.zoom.mode = kZoomShrinkToFit;
    LayoutMainWindow();

    PaintCounters start = GetPaintCounters();
    capture(window);
    capture(window, true);
    EXPECT_EQ(GetPaintCounters().cache_builds, start.cache_builds + 1) << "repaints only copy the cache";
    EXPECT_EQ(GetPaintCounters().direct_stretches, start.direct_stretches);

    // Another frame of the same size: the image is part of the key.
    g_viewer.frame_index = 1;
    g_viewer.shown = second;
    expect_view(capture(window), shown_at(second, 1, workspace()));
    EXPECT_EQ(GetPaintCounters().cache_builds, start.cache_builds + 2);

    // Another displayed size: the cache holds the picture enlarged.
    SetZoomScale(2.0);
    LayoutMainWindow();
    expect_view(capture(window), shown_at(second, 2, workspace()));
    EXPECT_EQ(GetPaintCounters().cache_builds, start.cache_builds + 3);

    DropScaledCache();  // as an edit does
    capture(window);
    EXPECT_EQ(GetPaintCounters().cache_builds, start.cache_builds + 4);
}

TEST_F(ViewPaintTest, CropDragDrawsADottedYellowOutline) {
    RECT r = GetViewRect();
    g_viewer.crop_mode = g_viewer.crop_dragging = true;
    // Dragged up and to the left: the outline runs between the two corners.
    g_viewer.crop_start_x = 400, g_viewer.crop_start_y = r.top + 300;
    g_viewer.crop_end_x = 100, g_viewer.crop_end_y = r.top + 100;
    Capture c = capture(window);
    auto yellow_along = [&](int x, int y, int dx, int dy, int n) {
        int count = 0;
        for (int i = 0; i < n; ++i) count += c.at(x + i * dx, y + i * dy) == 0xFFFF00;
        return count;
    };
    const struct { int x, y, dx, dy, n; } sides[] = {
        {100, 100, 0, 1, 200}, {399, 100, 0, 1, 200}, {100, 100, 1, 0, 300}, {100, 299, 1, 0, 300}};
    for (auto s : sides) {  // dotted: many yellow pixels, and gaps
        int yellow = yellow_along(s.x, r.top + s.y, s.dx, s.dy, s.n);
        EXPECT_TRUE(yellow > s.n / 4 && yellow < s.n * 3 / 4) << yellow << " of " << s.n << " at " << s.x << ", " << s.y;
    }
    EXPECT_EQ(yellow_along(101, r.top + 101, 1, 1, 198), 0) << "hollow";
    g_viewer.crop_dragging = false;  // crop mode without a drag draws nothing
    c = capture(window);
    EXPECT_EQ(yellow_along(100, r.top + 100, 1, 0, 300), 0);
    g_viewer.crop_mode = false;
}

TEST_F(ViewPaintTest, PausedSlideShowShowsTwoWhiteBarsWithAShadow) {
    g_viewer.slideshow = g_viewer.slideshow_paused = true;
    Capture c = capture(window);
    RECT r = GetViewRect();
    PaintBox bars[2];
    PauseSignBars(r.right - r.left, bars);
    for (const PaintBox& b : bars) {
        int x0 = r.left + b.left, x1 = r.left + b.right, y0 = r.top + b.top, y1 = r.top + b.bottom;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) ASSERT_EQ(c.at(x, y), 0xFFFFFFu) << x << ", " << y;
        EXPECT_EQ(c.at(x1 + kPauseShadow - 1, y1 + kPauseShadow - 1), 0x000000u) << "shadow corner";
        EXPECT_EQ(c.at(x1 + kPauseShadow, y0 + 10), workspace()) << "shadow ends";
        EXPECT_EQ(c.at(x1, y0 + kPauseShadow - 1), workspace()) << "shadow starts lower";
    }
    g_viewer.slideshow_paused = false;  // running: no sign
    EXPECT_EQ(capture(window).at(r.left + bars[0].left, r.top + bars[0].top), workspace());
    g_viewer.slideshow = false;
}
