#include <gtest/gtest.h>

#include <math.h>

#include <tuple>
#include <vector>

#include "res/resource.h"
#include "viewer/view_geometry_pure.h"

namespace {

typedef std::vector<int> Ints;

ZoomState mode(int m, double scale = 1.0, int scroll_x = 0, int scroll_y = 0) {
    return ZoomState{m, scale, scroll_x, scroll_y};
}

Ints edges(const ViewBox& b) { return {b.left, b.top, b.right, b.bottom}; }

Ints shown(const ZoomState& z, int view_w, int view_h, int w, int h) {
    int dw = -1, dh = -1;
    DisplaySizeFor(z, view_w, view_h, w, h, &dw, &dh);
    return {dw, dh};
}

}  // namespace

TEST(ViewGeometry, DisplayedSizePerMode) {
    const struct { const char* what; ZoomState zoom; int view_w, view_h, w, h, dw, dh; } cases[] = {
        {"shrink to fit keeps a small picture", mode(kZoomShrinkToFit), 500, 400, 100, 100, 100, 100},
        {"best fit enlarges to the shorter side", mode(kZoomBestFit), 500, 400, 100, 100, 400, 400},
        {"a tall picture fits the height", mode(kZoomShrinkToFit), 800, 600, 300, 1200, 150, 600},
        {"halves round up", mode(kZoomFixed, 0.5), 10, 10, 3, 5, 2, 3},
        {"less than a half rounds down", mode(kZoomFixed, 0.25), 10, 10, 5, 5, 1, 1},
        {"far beyond the view", mode(kZoomFixed, 32.0), 10, 10, 30000, 30000, 960000, 960000},
        {"a side is at least one pixel", mode(kZoomShrinkToFit), 100, 100, 30000, 1, 100, 1},
        {"a collapsed view shows actual size", mode(kZoomBestFit), 0, 300, 120, 80, 120, 80},
        {"nothing shown has no size", mode(kZoomBestFit), 500, 400, 0, 0, 0, 0},
    };
    for (auto c : cases) EXPECT_EQ(shown(c.zoom, c.view_w, c.view_h, c.w, c.h), Ints({c.dw, c.dh})) << c.what;
}

TEST(ViewGeometry, ViewBoxLiesBetweenToolbarAndStatusBar) {
    const struct { ViewBox client; int toolbar, status; ViewBox view; } cases[] = {
        {{0, 0, 700, 480}, 28, 20, {0, 28, 700, 460}},
        {{0, 0, 700, 480}, 0, 0, {0, 0, 700, 480}},
        {{0, 0, 300, 30}, 28, 20, {0, 28, 300, 28}},  // a window shorter than its chrome
    };
    for (auto c : cases)
        EXPECT_EQ(edges(ViewBoxInClient(c.client, c.toolbar, c.status)), edges(c.view)) << c.toolbar << " " << c.status;
}

TEST(ViewGeometry, LargerPicturesScrollSmallerOnesAreCentred) {
    const struct { int view, display, scroll, offset; } cases[] = {
        {500, 1200, 37, -37}, {500, 500, 37, 0}, {500, 101, 0, 199}, {500, 100, 0, 200}};
    for (auto c : cases)
        EXPECT_EQ(PictureOffset(c.view, c.display, c.scroll), c.offset) << c.display << " in " << c.view;
}

// Each zoom command on a picture in a view (2000 x 1000 in 800 x 600 unless
// the row says), where the fit modes show it at 0.4. The presets' scales are
// checked against their menu labels on the window.
TEST(Zoom, CommandsOnAShownPicture) {
    const int kKept = -1;
    const struct {
        const char* what; int id; ZoomState start; int mode; double scale; int scroll;
        int w = 2000, h = 1000, view_h = 600;
    } cases[] = {
        {"best fit", IDM_VIEW_BEST_FIT, mode(kZoomFixed, 3.0, 50, 60), kZoomBestFit, 3.0, kKept},
        {"shrink to fit", IDM_VIEW_SHRINK_TO_FIT, mode(kZoomFixed, 3.0, 50, 60), kZoomShrinkToFit, 3.0, kKept},
        {"actual size", IDM_VIEW_ACTUAL_SIZE, mode(kZoomShrinkToFit, 3.0, 50, 60), kZoomFixed, 1.0, 0},
        {"a preset", IDM_ZOOM_50, mode(kZoomShrinkToFit, 3.0, 50, 60), kZoomFixed, 0.5, 0},
        {"zoom in from best fit: from the scale shown", IDM_VIEW_ZOOM_IN, mode(kZoomBestFit), kZoomFixed, 0.5, kKept},
        {"zoom in not beyond the top", IDM_VIEW_ZOOM_IN, mode(kZoomFixed, 30.0), kZoomFixed, 32.0, kKept},
        {"zoom in at the top", IDM_VIEW_ZOOM_IN, mode(kZoomFixed, 32.0), kZoomFixed, 32.0, kKept},
        {"zoom out not below the bottom", IDM_VIEW_ZOOM_OUT, mode(kZoomFixed, 0.021), kZoomFixed, 0.02, kKept},
        {"zoom out keeps the scroll", IDM_VIEW_ZOOM_OUT, mode(kZoomFixed, 2.0, 120, 80), kZoomFixed, 1.6, kKept},
        // Best fit shows 1 x 1 at 60000 %, 30000 x 30000 in 800 x 300 at 1 %: no step goes the wrong way.
        {"zoom in above the top stays", IDM_VIEW_ZOOM_IN, mode(kZoomBestFit), kZoomBestFit, 1.0, kKept, 1, 1},
        {"zoom out from above the top", IDM_VIEW_ZOOM_OUT, mode(kZoomBestFit), kZoomFixed, 32.0, kKept, 1, 1},
        {"zoom out at the bottom stays", IDM_VIEW_ZOOM_OUT, mode(kZoomBestFit), kZoomBestFit, 1.0, kKept, 30000, 30000,
         300},
    };
    for (auto c : cases) {
        ZoomState z = c.start;
        ASSERT_NE(FindZoomCommand(c.id), nullptr) << c.what;
        EXPECT_TRUE(ApplyZoomRow(&z, *FindZoomCommand(c.id), true, 800, c.view_h, c.w, c.h)) << c.what;
        EXPECT_EQ(z.mode, c.mode) << c.what;
        EXPECT_DOUBLE_EQ(z.scale, c.scale) << c.what;
        Ints scroll = c.scroll == kKept ? Ints({c.start.scroll_x, c.start.scroll_y}) : Ints({c.scroll, c.scroll});
        EXPECT_EQ(Ints({z.scroll_x, z.scroll_y}), scroll) << c.what;
    }
}

// Without a picture only the commands that just set fields act.
TEST(Zoom, WithoutAPictureOnlyTheFitModesAndActualSizeAct) {
    for (int id : {IDM_VIEW_BEST_FIT, IDM_VIEW_ACTUAL_SIZE, IDM_VIEW_ZOOM_IN, IDM_VIEW_ZOOM_OUT, IDM_ZOOM_25,
                   IDM_ZOOM_50, IDM_ZOOM_75, IDM_ZOOM_100, IDM_ZOOM_200, IDM_ZOOM_400, IDM_ZOOM_CUSTOM_SCALE,
                   IDM_VIEW_SHRINK_TO_FIT}) {
        bool acts = id == IDM_VIEW_BEST_FIT || id == IDM_VIEW_SHRINK_TO_FIT || id == IDM_VIEW_ACTUAL_SIZE;
        ZoomState z = mode(kZoomFixed, 3.0, 50, 60);
        ASSERT_NE(FindZoomCommand(id), nullptr) << id;
        EXPECT_EQ(ApplyZoomRow(&z, *FindZoomCommand(id), false, 800, 600, 0, 0), acts) << id;
        if (!acts) EXPECT_TRUE(z.mode == kZoomFixed && z.scale == 3.0 && z.scroll_x == 50) << id << " acted";
    }
}

// The mode and the scroll as a preset sets them above.
TEST(Zoom, FixedScaleIsClamped) {
    const struct { double scale, want; } cases[] = {{0.001, 0.02}, {0.75, 0.75}, {40.0, 32.0}, {NAN, 0.02}};
    for (auto c : cases) {
        ZoomState z = mode(kZoomBestFit);
        SetFixedScale(&z, c.scale);
        EXPECT_DOUBLE_EQ(z.scale, c.want) << c.scale;
    }
}

// Wherever the cursor, the picture point under it stays there within one
// displayed pixel, unless an edge of the scroll range stopped the scroll.
TEST(ZoomAt, KeepsThePointUnderTheCursor) {
    const ViewBox view = {0, 30, 500, 430};  // 500 x 400 below a toolbar
    const int size[2] = {1000, 800}, extent[2] = {500, 400};
    int checked = 0;
    for (double factor : {kZoomInFactor, kZoomOutFactor}) {
        for (int x = 0; x < 500; x += 37) {
            for (int y = 30; y < 430; y += 41) {
                ZoomState z = mode(kZoomFixed, 1.0, 250, 200);
                const int cursor[2] = {x - view.left, y - view.top};
                // The picture point (in fractional picture pixels) under the cursor, per axis.
                auto under_cursor = [&](int axis) {
                    int display = shown(z, 500, 400, size[0], size[1])[axis];
                    int scroll = axis ? z.scroll_y : z.scroll_x;
                    return (double)(cursor[axis] - PictureOffset(extent[axis], display, scroll)) * size[axis] / display;
                };
                double before[2] = {under_cursor(0), under_cursor(1)};
                ZoomAtPoint(&z, factor, view, size[0], size[1], x, y);
                for (int axis = 0; axis < 2; ++axis) {
                    int display = shown(z, 500, 400, size[0], size[1])[axis];
                    int scroll = axis ? z.scroll_y : z.scroll_x, limit = ScrollLimit(display, extent[axis]);
                    ASSERT_TRUE(scroll >= 0 && scroll <= limit) << scroll;
                    if (scroll == 0 || scroll == limit) continue;
                    EXPECT_NEAR(under_cursor(axis), before[axis], (double)size[axis] / display)
                        << "factor " << factor << " at " << x << ", " << y;
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 200) << "most points must be checked";
}

// Where the picture's right edge lands, each picture 300 high in a view 400 high.
TEST(ZoomAt, RightEdgeStaysUnderTheCursor) {
    const struct { const char* what; ZoomState start; double factor; int view_w, w, x, right; } cases[] = {
        {"zooming in at the right end", mode(kZoomFixed, 1.0, 500), kZoomInFactor, 500, 1000, 499, 500},
        {"zooming out at the right end", mode(kZoomFixed, 2.0, 1500), kZoomOutFactor, 500, 1000, 499, 500},
        {"a picture that still fits is centred", mode(kZoomFixed), kZoomInFactor, 800, 600, 700, 775},
        // 0.4 to 0.5: the left edge goes to the cursor's column, 50 pixels left of the view.
        {"from best fit, the cursor left of the view", mode(kZoomBestFit), kZoomInFactor, 800, 2000, -50, 950},
    };
    for (auto c : cases) {
        ZoomState z = c.start;
        ZoomAtPoint(&z, c.factor, ViewBox{0, 0, c.view_w, 400}, c.w, 300, c.x, 100);
        int dw = shown(z, c.view_w, 400, c.w, 300)[0];
        EXPECT_EQ(PictureOffset(c.view_w, dw, z.scroll_x) + dw, c.right) << c.what;
    }
}

TEST(ScrollBars, LimitsLowerThePositionAndFitModesReset) {
    const struct { ZoomState zoom; int w, h, max_x, max_y, scroll_x, scroll_y; } cases[] = {
        {mode(kZoomFixed, 2.0, 5000, 5000), 1000, 300, 1500, 200, 1500, 200},
        {mode(kZoomFixed, 2.0, 20, 20), 1000, 300, 1500, 200, 20, 20},
        {mode(kZoomBestFit, 2.0, 20, 20), 1000, 300, 0, 0, 0, 0},
        {mode(kZoomFixed, 1.0, 20, 20), 100, 100, 0, 0, 0, 0},  // smaller than the view
    };
    for (auto c : cases) {
        ZoomState z = c.zoom;
        int max_x = -1, max_y = -1;
        ClampScrollToView(&z, 500, 400, c.w, c.h, &max_x, &max_y);
        EXPECT_EQ(Ints({max_x, max_y, z.scroll_x, z.scroll_y}), Ints({c.max_x, c.max_y, c.scroll_x, c.scroll_y}))
            << "limits and position, mode " << c.zoom.mode << ", " << c.w << " wide";
    }
}

TEST(ScrollBars, RequestsMoveByLinesPagesAndThumbWithinTheLimit) {
    const struct { int request, position, page, limit, thumb, want; } cases[] = {
        {kScrollLineForward, 100, 400, 1000, 0, 140},   {kScrollLineBack, 100, 400, 1000, 0, 60},
        {kScrollLineBack, 30, 400, 1000, 0, 0},         {kScrollPageForward, 100, 400, 1000, 0, 500},
        {kScrollPageBack, 500, 400, 1000, 0, 100},      {kScrollPageForward, 900, 400, 1000, 0, 1000},
        {kScrollThumbTrack, 100, 400, 1000, 777, 777},  {kScrollThumbPosition, 100, 400, 1000, 5000, 1000},
        {kScrollTop, 321, 400, 1000, 9, 321},           {kScrollBottom, 321, 400, 1000, 9, 321},
        {kScrollEnd, 321, 400, 1000, 9, 321},           {kScrollPageForward, 2147483000, 2000, 2147483600, 0, 2147483600},  // no wrap
    };
    for (auto c : cases)
        EXPECT_EQ(ScrollTarget(c.request, c.position, c.page, c.limit, c.thumb), c.want)
            << "request " << c.request << " from " << c.position;
}

// A thumb position arrives in 16 bits: the bar's own tracking position is
// taken when its low 16 bits agree.
TEST(ScrollBars, ThumbBeyondSixteenBitsComesFromTheTrackingPosition) {
    const struct { int message, tracking, want; } cases[] = {
        {1234, 1234, 1234}, {70000 & 0xFFFF, 70000, 70000}, {500, 900, 500}, {500, -1, 500},
    };
    for (auto c : cases) EXPECT_EQ(ThumbPosition(c.message, c.tracking), c.want) << c.tracking;
}

TEST(CustomScale, FieldReadsAsAnUnsignedNumberAndOpensInTwoToThirtyTwoHundred) {
    const struct { const char* text; uint32_t value; } fields[] = {
        {"250", 250},   {"  3200 ", 3200}, {"0042", 42}, {"", 0},         {"abc", 0},   {"12abc", 0},
        {"-5", 0},      {"1 2", 0},        {nullptr, 0}, {"4294967295", 4294967295u},
        {"4294967296", 0xFFFFFFFFu},  // too large for 32 bits is out of range, not 0
        {"99999999999999999999999", 0xFFFFFFFFu},
    };
    for (auto f : fields) EXPECT_EQ(ParseScaleField(f.text), f.value) << (f.text ? f.text : "(null)");
    // A scale shown in whole percent (as the status bar has it), whether OK
    // takes that, and what the dialog opens with.
    const struct { double scale; int percent; bool valid; uint32_t opens_with; } ranges[] = {
        {0.004, 0, false, 2},     {0.014, 1, false, 2},      {0.02, 2, true, 2},          {0.124, 12, true, 12},
        {0.125, 13, true, 13},    {32.0, 3200, true, 3200},  {32.01, 3201, false, 3200},  {600.0, 60000, false, 3200}};
    for (auto r : ranges)
        EXPECT_EQ(std::make_tuple(ScalePercent(r.scale), ScalePercentValid(r.percent), ClampScalePercent(r.percent)),
                  std::make_tuple(r.percent, r.valid, r.opens_with))
            << r.scale;
    EXPECT_FALSE(ScalePercentValid(0xFFFFFFFFu));
}
