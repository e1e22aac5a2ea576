// Painting the view for real: the picture is installed, the view painted
// into a DIB section (or by a real WM_PAINT) and its pixels compared with the
// picture's.
#include <windows.h>
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <vector>

#include "tests/support/main_window_fixture.h"
#include "viewer/layout.h"
#include "viewer/view.h"

namespace {

// A picture whose every pixel differs from its neighbours.
uint32_t pattern_colour(int x, int y) {
    int r = (x * 7 + y * 3) & 255, g = (y * 5 + 40) & 255, b = (x * 11 + 90) & 255;
    return (uint32_t)(r << 16 | g << 8 | b);
}

uint32_t picture_pixel(const Image* image, int x, int y) {
    const uint8_t* p = image_row(image, y) + 3 * x;
    return (uint32_t)(p[2] << 16 | p[1] << 8 | p[0]);
}

uint32_t as_rgb(COLORREF c) { return (uint32_t)(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); }

const uint32_t kSentinel = 0x00123456;

// The client area as painted by PaintView into a 32-bit DIB section that
// starts out filled with kSentinel.
struct Capture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[(size_t)y * width + x] & 0xFFFFFF; }
};

HBITMAP make_dib(HDC reference, int width, int height, uint32_t** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(reference, &info, DIB_RGB_COLORS, (void**)bits, nullptr, 0);
}

Capture paint_into_dib(HWND window) {
    Capture c;
    RECT client;
    GetClientRect(window, &client);
    c.width = client.right;
    c.height = client.bottom;
    HDC screen = GetDC(window);
    uint32_t* bits = nullptr;
    HBITMAP dib = make_dib(screen, c.width, c.height, &bits);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(window, screen);
    if (!dib || !memory) {
        ADD_FAILURE() << "no DIB section";
        return c;
    }
    HGDIOBJ old = SelectObject(memory, dib);
    for (int i = 0; i < c.width * c.height; ++i) bits[i] = kSentinel;
    PaintView(memory);
    GdiFlush();
    c.pixels.assign(bits, bits + c.width * c.height);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    return c;
}

// What a real WM_PAINT left on the window.
Capture paint_window(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    GdiFlush();
    Capture c;
    RECT client;
    GetClientRect(window, &client);
    c.width = client.right;
    c.height = client.bottom;
    HDC dc = GetDC(window);
    uint32_t* bits = nullptr;
    HBITMAP dib = make_dib(dc, c.width, c.height, &bits);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, c.width, c.height, dc, 0, 0, SRCCOPY);
    GdiFlush();
    c.pixels.assign(bits, bits + c.width * c.height);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    ReleaseDC(window, dc);
    return c;
}

struct ViewPaintTest : MainWindowTest {
    void SetUp() override {
        MainWindowTest::SetUp();
        SetClientSize(640, 480);
    }
    void TearDown() override {
        DropScaledCache();
        MainWindowTest::TearDown();
    }
    // Every pixel of the view: the picture where it is displayed at actual
    // size from origin (ox, oy) in client coordinates, else the background.
    void expect_actual_size(const Capture& c, const Image* image, POINT origin, uint32_t background) {
        RECT r = GetViewRect();
        int wrong = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                int px = x - origin.x, py = y - origin.y;
                bool inside = px >= 0 && py >= 0 && px < image->width && py < image->height;
                uint32_t want = inside ? picture_pixel(image, px, py) : background;
                if (c.at(x, y) != want && wrong++ < 5)
                    ADD_FAILURE() << "at (" << x << ", " << y << ") want " << std::hex << want << " have "
                                  << c.at(x, y);
            }
        EXPECT_EQ(wrong, 0);
    }
};

}  // namespace

TEST_F(ViewPaintTest, PictureCentredOnTheWorkspaceColour) {
    Image* picture = make_picture(100, 60, pattern_colour);
    install_frames({picture});
    g_viewer.zoom.mode = 2;  // shrink to fit: a small picture stays at actual size
    LayoutMainWindow();
    RECT r = GetViewRect();
    ASSERT_GT(r.top, 0) << "below the toolbar";
    ASSERT_LT(r.bottom, 480) << "above the status bar";
    POINT origin = GetPictureOrigin();
    EXPECT_EQ(origin.x, r.left + (r.right - r.left - 100) / 2);
    EXPECT_EQ(origin.y, r.top + (r.bottom - r.top - 60) / 2);

    Capture c = paint_into_dib(window);
    expect_actual_size(c, picture, origin, as_rgb(GetSysColor(COLOR_APPWORKSPACE)));
    // Nothing outside the view is touched: the toolbar and status bar paint themselves.
    EXPECT_EQ(c.at(5, r.top - 1), kSentinel);
    EXPECT_EQ(c.at(5, r.bottom), kSentinel);
}

TEST_F(ViewPaintTest, NoPictureIsOnlyBackground) {
    Capture c = paint_into_dib(window);
    RECT r = GetViewRect();
    uint32_t background = as_rgb(GetSysColor(COLOR_APPWORKSPACE));
    for (int y = r.top; y < r.bottom; y += 7)
        for (int x = r.left; x < r.right; x += 7) ASSERT_EQ(c.at(x, y), background) << x << ", " << y;
}

TEST_F(ViewPaintTest, FullScreenBackgroundIsBlack) {
    Image* picture = make_picture(100, 60, pattern_colour);
    install_frames({picture});
    g_viewer.zoom.mode = 2;
    g_viewer.fullscreen = true;  // only the flag: the painter reads it
    LayoutMainWindow();
    RECT r = GetViewRect();
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(r.top, 0) << "no toolbar in full screen without FsToolbar";
    EXPECT_EQ(r.bottom, client.bottom) << "no status bar in full screen";
    Capture c = paint_into_dib(window);
    expect_actual_size(c, picture, GetPictureOrigin(), 0x000000);
    g_viewer.fullscreen = false;
    LayoutMainWindow();
}

TEST_F(ViewPaintTest, RealPaintMessageDrawsTheSamePicture) {
    Image* picture = make_picture(120, 90, pattern_colour);
    install_frames({picture});
    g_viewer.zoom.mode = 2;
    LayoutMainWindow();
    Capture c = paint_window(window);
    expect_actual_size(c, picture, GetPictureOrigin(), as_rgb(GetSysColor(COLOR_APPWORKSPACE)));
}

TEST_F(ViewPaintTest, BestFitFillsTheViewHeight) {
    uint32_t (*red)(int, int) = [](int, int) -> uint32_t { return 0xC00000; };
    Image* picture = make_picture(50, 50, red);
    install_frames({picture});
    g_viewer.zoom.mode = 1;
    LayoutMainWindow();
    RECT r = GetViewRect();
    int dw, dh;
    GetDisplaySize(&dw, &dh);
    ASSERT_EQ(dh, r.bottom - r.top);
    ASSERT_EQ(dw, dh);
    Capture c = paint_into_dib(window);
    POINT o = GetPictureOrigin();
    uint32_t background = as_rgb(GetSysColor(COLOR_APPWORKSPACE));
    EXPECT_EQ(c.at(o.x, r.top), 0xC00000u);
    EXPECT_EQ(c.at(o.x + dw - 1, r.bottom - 1), 0xC00000u);
    EXPECT_EQ(c.at(o.x - 1, r.top + 10), background);
    EXPECT_EQ(c.at(o.x + dw, r.top + 10), background);
}

// 32x of a 100 x 100 picture is 3200 pixels wide: the large path stretches the
// visible part straight from the picture, partial pixels included.
TEST_F(ViewPaintTest, LargePathAt32xAfterScrolling) {
    Image* picture = make_picture(100, 100, pattern_colour);
    install_frames({picture});
    SendMessageA(window, WM_COMMAND, 40085, 0);  // 400%
    SetZoomScale(32.0);
    LayoutMainWindow();
    ASSERT_GT(g_viewer.scroll_max_x, 0);
    for (int i = 0; i < 5; ++i) SendMessageA(window, WM_HSCROLL, SB_LINERIGHT, 0);
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1234), 0);
    ASSERT_EQ(g_viewer.zoom.scroll_x, 200);
    ASSERT_EQ(g_viewer.zoom.scroll_y, 1234);

    PaintCounters before = GetPaintCounters();
    Capture c = paint_into_dib(window);
    PaintCounters after = GetPaintCounters();
    EXPECT_EQ(after.direct_stretches, before.direct_stretches + 1);
    EXPECT_EQ(after.cache_builds, before.cache_builds) << "no cache for a large display";

    RECT r = GetViewRect();
    int wrong = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            int px = (x - r.left + g_viewer.zoom.scroll_x) / 32, py = (y - r.top + g_viewer.zoom.scroll_y) / 32;
            uint32_t want = picture_pixel(picture, px, py);
            if (c.at(x, y) != want && wrong++ < 5)
                ADD_FAILURE() << "at (" << x << ", " << y << ") want " << std::hex << want << " have " << c.at(x, y);
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(ViewPaintTest, CacheIsReusedUntilItsKeyChanges) {
    Image* first = make_picture(300, 200, pattern_colour);
    uint32_t (*green)(int, int) = [](int, int) -> uint32_t { return 0x00A000; };
    Image* second = make_picture(300, 200, green);
    install_frames({first, second});
    g_viewer.zoom.mode = 2;
    LayoutMainWindow();

    PaintCounters start = GetPaintCounters();
    paint_into_dib(window);
    EXPECT_EQ(GetPaintCounters().cache_builds, start.cache_builds + 1);
    paint_into_dib(window);
    paint_window(window);
    paint_window(window);
    EXPECT_EQ(GetPaintCounters().cache_builds, start.cache_builds + 1) << "repaints only copy the cache";
    EXPECT_EQ(GetPaintCounters().direct_stretches, start.direct_stretches);

    // Another frame of the same size: the image identity is part of the key.
    g_viewer.frame_index = 1;
    g_viewer.shown = second;
    Capture c = paint_into_dib(window);
    EXPECT_EQ(GetPaintCounters().cache_builds, start.cache_builds + 2);
    POINT o = GetPictureOrigin();
    EXPECT_EQ(c.at(o.x + 150, o.y + 100), 0x00A000u);

    // Another displayed size.
    SetZoomScale(0.5);
    LayoutMainWindow();
    paint_into_dib(window);
    EXPECT_EQ(GetPaintCounters().cache_builds, start.cache_builds + 3);

    // Dropped by an edit.
    DropScaledCache();
    paint_into_dib(window);
    EXPECT_EQ(GetPaintCounters().cache_builds, start.cache_builds + 4);
}

TEST_F(ViewPaintTest, CacheUpTo1024DirectBeyond) {
    install_frames({make_picture(512, 512, pattern_colour)});
    SetZoomScale(2.0);  // 1024 x 1024
    LayoutMainWindow();
    PaintCounters start = GetPaintCounters();
    Capture c = paint_into_dib(window);
    EXPECT_EQ(GetPaintCounters().cache_builds, start.cache_builds + 1);
    EXPECT_EQ(GetPaintCounters().direct_stretches, start.direct_stretches);
    RECT r = GetViewRect();
    EXPECT_EQ(c.at(r.left, r.top), picture_pixel(g_viewer.shown, 0, 0));
    EXPECT_EQ(c.at(r.left + 3, r.top + 5), picture_pixel(g_viewer.shown, 1, 2));
    CloseDocument();

    Image* wide = make_picture(1025, 10, pattern_colour);
    install_frames({wide});
    SetZoomScale(1.0);
    LayoutMainWindow();
    start = GetPaintCounters();
    c = paint_into_dib(window);
    EXPECT_EQ(GetPaintCounters().direct_stretches, start.direct_stretches + 1);
    EXPECT_EQ(GetPaintCounters().cache_builds, start.cache_builds);
    expect_actual_size(c, wide, GetPictureOrigin(), as_rgb(GetSysColor(COLOR_APPWORKSPACE)));
}

TEST_F(ViewPaintTest, CropRectangleIsADottedYellowOutline) {
    uint32_t (*blue)(int, int) = [](int, int) -> uint32_t { return 0x0000B0; };
    install_frames({make_picture(2000, 2000, blue)});
    SetZoomScale(1.0);
    LayoutMainWindow();
    RECT r = GetViewRect();
    g_viewer.crop_mode = g_viewer.crop_dragging = true;
    // Dragged up and to the left: the outline runs between the two corners.
    g_viewer.crop_start_x = 400;
    g_viewer.crop_start_y = r.top + 300;
    g_viewer.crop_end_x = 100;
    g_viewer.crop_end_y = r.top + 100;
    Capture c = paint_into_dib(window);
    const uint32_t yellow = 0xFFFF00;
    int on_top = 0, on_left = 0, on_bottom = 0;
    for (int x = 100; x < 400; ++x) {
        on_top += c.at(x, r.top + 100) == yellow;
        on_bottom += c.at(x, r.top + 299) == yellow;
        EXPECT_EQ(c.at(x, r.top + 99), 0x0000B0u) << x;
        if (x > 100 && x < 399) EXPECT_EQ(c.at(x, r.top + 200), 0x0000B0u) << "hollow at " << x;
    }
    for (int y = r.top + 100; y < r.top + 300; ++y) on_left += c.at(100, y) == yellow;
    EXPECT_GT(on_top, 300 / 4) << "dotted: many yellow pixels";
    EXPECT_LT(on_top, 300 * 3 / 4) << "dotted: gaps show the picture";
    EXPECT_GT(on_bottom, 300 / 4);
    EXPECT_GT(on_left, 200 / 4);
    EXPECT_LT(on_left, 200 * 3 / 4);
    int on_right = 0;
    for (int y = r.top + 100; y < r.top + 300; ++y) on_right += c.at(399, y) == yellow;
    EXPECT_GT(on_right, 200 / 4);
    EXPECT_EQ(c.at(99, r.top + 200), 0x0000B0u);
    EXPECT_EQ(c.at(400, r.top + 200), 0x0000B0u) << "right edge exclusive";

    g_viewer.crop_dragging = false;  // crop mode without a drag draws nothing
    c = paint_into_dib(window);
    int yellow_left = 0;
    for (int x = 100; x < 400; ++x) yellow_left += c.at(x, r.top + 100) == yellow;
    EXPECT_EQ(yellow_left, 0);
    g_viewer.crop_mode = false;
}

TEST_F(ViewPaintTest, PauseSignIsTwoWhiteBarsWithAShadow) {
    g_viewer.slideshow = g_viewer.slideshow_paused = true;
    Capture c = paint_into_dib(window);
    RECT r = GetViewRect();
    int w = r.right - r.left;
    int left = r.left + w - 52, top = r.top;
    uint32_t background = as_rgb(GetSysColor(COLOR_APPWORKSPACE));
    const uint32_t white = 0xFFFFFF, black = 0x000000;
    for (int bar : {0, 22}) {
        int x0 = left + bar;
        for (int y = top + 18; y < top + 56; ++y)
            for (int x = x0; x < x0 + 12; ++x) ASSERT_EQ(c.at(x, y), white) << x << ", " << y;
        EXPECT_EQ(c.at(x0 + 12, top + 21), black) << "shadow right of the bar";
        EXPECT_EQ(c.at(x0 + 14, top + 58), black) << "shadow corner";
        EXPECT_EQ(c.at(x0 + 5, top + 57), black) << "shadow under the bar";
        EXPECT_EQ(c.at(x0 + 15, top + 30), background) << "shadow is 3 pixels";
        EXPECT_EQ(c.at(x0 + 12, top + 20), background) << "shadow starts 3 pixels down";
        EXPECT_EQ(c.at(x0, top + 17), background);
        EXPECT_EQ(c.at(x0 - 1, top + 30), background);
    }

    g_viewer.slideshow_paused = false;  // running: no sign
    c = paint_into_dib(window);
    EXPECT_EQ(c.at(left + 5, top + 30), background);
    g_viewer.slideshow = false;
}

// Xvfb runs at 24 bits: no palette, so palette handling stays off and the
// palette messages report no change.
TEST_F(ViewPaintTest, PaletteHandlingIsOffOnATrueColourDisplay) {
    HDC screen = GetDC(nullptr);
    bool palette_display = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    ReleaseDC(nullptr, screen);
    if (palette_display) GTEST_SKIP() << "a palette display";
    HDC dc = GetDC(window);
    EXPECT_EQ(RealizeHalftonePalette(dc, false, nullptr), 0u);
    EXPECT_EQ(RealizeHalftonePalette(dc, true, nullptr), 0u);
    ReleaseDC(window, dc);
    EXPECT_EQ(SendMessageA(window, WM_QUERYNEWPALETTE, 0, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_PALETTECHANGED, (WPARAM)GetDesktopWindow(), 0), 0);
}

// The browser's panes cover the client area: the view paints nothing there.
TEST_F(ViewPaintTest, BrowserModePaintsNoPicture) {
    install_frames({make_picture(100, 60, pattern_colour)});
    LayoutMainWindow();
    g_viewer.BrowseMode = true;
    Capture c = paint_into_dib(window);
    g_viewer.BrowseMode = false;
    int touched = 0;
    for (int y = 0; y < c.height; y += 3)
        for (int x = 0; x < c.width; x += 3) touched += c.at(x, y) != kSentinel;
    EXPECT_EQ(touched, 0);
}
