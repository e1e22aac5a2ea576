#include <gtest/gtest.h>

#include <math.h>

#include "viewer/view_geometry_pure.h"

namespace {

ZoomState mode(int m, double scale = 1.0) { return ZoomState{m, scale, 0, 0}; }

struct Size {
    int w, h;
};

Size shown(const ZoomState& z, int view_w, int view_h, int w, int h) {
    Size s;
    DisplaySizeFor(z, view_w, view_h, w, h, &s.w, &s.h);
    return s;
}

// Position in the picture (in picture pixels, fractional) under view point p.
double picture_point(int p, int view_extent, int display, int scroll, int picture) {
    return (double)(p - PictureOffset(view_extent, display, scroll)) * picture / display;
}

}  // namespace

TEST(ViewGeometry, SmallPictureShrunkStaysActualSizeAndCentred) {
    Size s = shown(mode(kZoomShrinkToFit), 500, 400, 100, 100);
    EXPECT_EQ(s.w, 100);
    EXPECT_EQ(s.h, 100);
    EXPECT_EQ(PictureOffset(500, s.w, 0), 200);
    EXPECT_EQ(PictureOffset(400, s.h, 0), 150);
}

TEST(ViewGeometry, BestFitEnlargesToTheShorterSide) {
    Size s = shown(mode(kZoomBestFit), 500, 400, 100, 100);
    EXPECT_EQ(s.w, 400);
    EXPECT_EQ(s.h, 400);
    EXPECT_EQ(PictureOffset(500, s.w, 0), 50);
    EXPECT_EQ(PictureOffset(400, s.h, 0), 0);
}

TEST(ViewGeometry, FitModesShrinkLargePicturesAlike) {
    for (int m : {kZoomBestFit, kZoomShrinkToFit}) {
        Size s = shown(mode(m), 800, 600, 2000, 1000);
        EXPECT_EQ(s.w, 800) << m;
        EXPECT_EQ(s.h, 400) << m;
    }
    Size tall = shown(mode(kZoomShrinkToFit), 800, 600, 300, 1200);
    EXPECT_EQ(tall.w, 150);
    EXPECT_EQ(tall.h, 600);
}

TEST(ViewGeometry, FixedScaleRoundsHalfUp) {
    EXPECT_EQ(shown(mode(kZoomFixed, 1.0), 10, 10, 640, 480).w, 640);
    EXPECT_EQ(shown(mode(kZoomFixed, 0.5), 10, 10, 3, 5).w, 2);   // 1.5 rounds up
    EXPECT_EQ(shown(mode(kZoomFixed, 0.5), 10, 10, 3, 5).h, 3);   // 2.5 rounds up
    EXPECT_EQ(shown(mode(kZoomFixed, 0.25), 10, 10, 5, 5).w, 1);  // 1.25 rounds down
    EXPECT_EQ(shown(mode(kZoomFixed, 32.0), 10, 10, 30000, 30000).w, 960000);
}

TEST(ViewGeometry, EverySideIsAtLeastOnePixel) {
    Size s = shown(mode(kZoomShrinkToFit), 100, 100, 30000, 1);
    EXPECT_EQ(s.w, 100);
    EXPECT_EQ(s.h, 1);
    EXPECT_EQ(shown(mode(kZoomFixed, 0.02), 10, 10, 10, 10).w, 1);
}

TEST(ViewGeometry, CollapsedViewShowsActualSize) {
    for (int m : {kZoomBestFit, kZoomShrinkToFit}) {
        Size s = shown(mode(m), 0, 300, 120, 80);
        EXPECT_EQ(s.w, 120) << m;
        EXPECT_EQ(s.h, 80) << m;
    }
}

TEST(ViewGeometry, NothingShownHasNoSize) {
    Size s = shown(mode(kZoomBestFit), 500, 400, 0, 0);
    EXPECT_EQ(s.w, 0);
    EXPECT_EQ(s.h, 0);
}

TEST(ViewGeometry, EffectiveScaleOfFitModesIsDisplayedOverPictureWidth) {
    ZoomState fit = mode(kZoomBestFit);
    Size s = shown(fit, 800, 600, 2000, 1000);
    EXPECT_DOUBLE_EQ(EffectiveScale(fit, s.w, 2000), 0.4);
    EXPECT_EQ(ScalePercent(EffectiveScale(fit, s.w, 2000)), 40);
    EXPECT_DOUBLE_EQ(EffectiveScale(mode(kZoomFixed, 2.5), 7, 3), 2.5);
    EXPECT_EQ(ScalePercent(0.125), 13);
    EXPECT_EQ(ScalePercent(0.124), 12);
    EXPECT_EQ(ScalePercent(32.0), 3200);
}

TEST(ViewGeometry, ViewBoxLiesBetweenToolbarAndStatusBar) {
    ViewBox client = {0, 0, 700, 480};
    ViewBox v = ViewBoxInClient(client, 28, 20);
    EXPECT_EQ(v.left, 0);
    EXPECT_EQ(v.top, 28);
    EXPECT_EQ(v.right, 700);
    EXPECT_EQ(v.bottom, 460);
    v = ViewBoxInClient(client, 0, 0);
    EXPECT_EQ(v.top, 0);
    EXPECT_EQ(v.bottom, 480);
    v = ViewBoxInClient(ViewBox{0, 0, 300, 30}, 28, 20);  // a window shorter than its chrome
    EXPECT_EQ(v.top, 28);
    EXPECT_EQ(v.bottom, 28);
}

TEST(ViewGeometry, OffsetScrollsLargePicturesAndCentresSmallOnes) {
    EXPECT_EQ(PictureOffset(500, 1200, 37), -37);
    EXPECT_EQ(PictureOffset(500, 500, 37), 0) << "as large as the view: no scrolling";
    EXPECT_EQ(PictureOffset(500, 101, 0), 199) << "integer division";
    EXPECT_EQ(ScrollLimit(1200, 500), 700);
    EXPECT_EQ(ScrollLimit(500, 500), 0);
    EXPECT_EQ(ScrollLimit(100, 500), 0);
}

TEST(Zoom, ZoomInFromBestFitStartsFromTheShownScale) {
    ZoomState z = mode(kZoomBestFit);
    const ZoomCommandRow* in = FindZoomCommand(40022);
    ASSERT_NE(in, nullptr);
    ASSERT_TRUE(ApplyZoomRow(&z, *in, true, 800, 600, 2000, 1000));
    EXPECT_EQ(z.mode, kZoomFixed);
    EXPECT_DOUBLE_EQ(z.scale, 0.5);
    Size s = shown(z, 800, 600, 2000, 1000);
    EXPECT_EQ(s.w, 1000);
    EXPECT_EQ(s.h, 500);
}

TEST(Zoom, StepsStopAtTheLimits) {
    ZoomState z = mode(kZoomFixed, 30.0);
    ZoomByFactor(&z, kZoomInFactor, 800, 600, 100, 100);
    EXPECT_DOUBLE_EQ(z.scale, 32.0) << "not 37.5";
    ZoomByFactor(&z, kZoomInFactor, 800, 600, 100, 100);
    EXPECT_DOUBLE_EQ(z.scale, 32.0);
    z.scale = 0.021;
    ZoomByFactor(&z, kZoomOutFactor, 800, 600, 100, 100);
    EXPECT_DOUBLE_EQ(z.scale, 0.02);
    EXPECT_DOUBLE_EQ(ClampZoomScale(NAN), 0.02);
}

TEST(Zoom, StepsKeepTheScrollPosition) {
    ZoomState z = ZoomState{kZoomFixed, 2.0, 120, 80};
    ZoomByFactor(&z, kZoomOutFactor, 800, 600, 1000, 1000);
    EXPECT_DOUBLE_EQ(z.scale, 1.6);
    EXPECT_EQ(z.scroll_x, 120);
    EXPECT_EQ(z.scroll_y, 80);
}

TEST(Zoom, PresetsAndActualSizeResetTheScroll) {
    const struct { int id; double scale; } presets[] = {
        {40080, 0.25}, {40081, 0.5}, {40082, 0.75}, {40083, 1.0}, {40084, 2.0}, {40085, 4.0},
    };
    for (auto p : presets) {
        ZoomState z = ZoomState{kZoomBestFit, 3.0, 50, 60};
        const ZoomCommandRow* row = FindZoomCommand(p.id);
        ASSERT_NE(row, nullptr) << p.id;
        ASSERT_TRUE(ApplyZoomRow(&z, *row, true, 800, 600, 100, 100));
        EXPECT_EQ(z.mode, kZoomFixed) << p.id;
        EXPECT_DOUBLE_EQ(z.scale, p.scale) << p.id;
        EXPECT_EQ(z.scroll_x, 0) << p.id;
        EXPECT_EQ(z.scroll_y, 0) << p.id;
    }
    ZoomState z = ZoomState{kZoomShrinkToFit, 3.0, 50, 60};
    ASSERT_TRUE(ApplyZoomRow(&z, *FindZoomCommand(40021), false, 800, 600, 0, 0)) << "acts without a picture";
    EXPECT_EQ(z.mode, kZoomFixed);
    EXPECT_DOUBLE_EQ(z.scale, 1.0);
    EXPECT_EQ(z.scroll_x, 0);
    EXPECT_EQ(z.scroll_y, 0);
}

TEST(Zoom, FitCommandsActWithoutAPictureTheOthersDoNot) {
    ZoomState z = mode(kZoomFixed, 2.0);
    ASSERT_TRUE(ApplyZoomRow(&z, *FindZoomCommand(40020), false, 800, 600, 0, 0));
    EXPECT_EQ(z.mode, kZoomBestFit);
    ASSERT_TRUE(ApplyZoomRow(&z, *FindZoomCommand(40087), false, 800, 600, 0, 0));
    EXPECT_EQ(z.mode, kZoomShrinkToFit);
    for (int id : {40022, 40023, 40080, 40081, 40082, 40083, 40084, 40085, 40086}) {
        ZoomState before = mode(kZoomShrinkToFit, 2.0);
        ZoomState after = before;
        EXPECT_FALSE(ApplyZoomRow(&after, *FindZoomCommand(id), false, 800, 600, 0, 0)) << id;
        EXPECT_EQ(after.mode, before.mode) << id;
        EXPECT_DOUBLE_EQ(after.scale, before.scale) << id;
    }
}

TEST(Zoom, TableHoldsExactlyTheZoomIds) {
    for (int id = 40000; id <= 40150; ++id) {
        bool zoom = (id >= 40020 && id <= 40023) || (id >= 40080 && id <= 40087);
        EXPECT_EQ(FindZoomCommand(id) != nullptr, zoom) << id;
        if (zoom) EXPECT_EQ(FindZoomCommand(id)->id, id);
    }
    EXPECT_EQ(FindZoomCommand(40086)->action, kZoomCustomScale);
}

TEST(Zoom, SetFixedScaleClamps) {
    ZoomState z = ZoomState{kZoomBestFit, 1.0, 9, 9};
    SetFixedScale(&z, 0.001);
    EXPECT_DOUBLE_EQ(z.scale, 0.02);
    EXPECT_EQ(z.mode, kZoomFixed);
    EXPECT_EQ(z.scroll_x, 0);
    SetFixedScale(&z, 3200 / 100.0);
    EXPECT_DOUBLE_EQ(z.scale, 32.0);
    SetFixedScale(&z, 40.0);
    EXPECT_DOUBLE_EQ(z.scale, 32.0);
}

TEST(ZoomAt, KeepsThePointUnderTheCursor) {
    const ViewBox view = {0, 30, 500, 430};  // 500 x 400 below a toolbar
    const int w = 1000, h = 800;
    int checked = 0;
    for (double factor : {kZoomInFactor, kZoomOutFactor}) {
        for (int x = 0; x < 500; x += 37) {
            for (int y = 30; y < 430; y += 41) {
                ZoomState z = ZoomState{kZoomFixed, 1.0, 250, 200};
                Size before = shown(z, 500, 400, w, h);
                double px = picture_point(x - view.left, 500, before.w, z.scroll_x, w);
                double py = picture_point(y - view.top, 400, before.h, z.scroll_y, h);
                ZoomAtPoint(&z, factor, view, w, h, x, y);
                Size after = shown(z, 500, 400, w, h);
                int max_x = ScrollLimit(after.w, 500), max_y = ScrollLimit(after.h, 400);
                ASSERT_GE(z.scroll_x, 0);
                ASSERT_LE(z.scroll_x, max_x);
                ASSERT_GE(z.scroll_y, 0);
                ASSERT_LE(z.scroll_y, max_y);
                // Where the scroll was not stopped by an edge, the point stays
                // within one displayed pixel of the cursor.
                double tolerance = (double)w / after.w;
                if (z.scroll_x > 0 && z.scroll_x < max_x) {
                    EXPECT_NEAR(picture_point(x - view.left, 500, after.w, z.scroll_x, w), px, tolerance)
                        << "factor " << factor << " x " << x;
                    ++checked;
                }
                if (z.scroll_y > 0 && z.scroll_y < max_y) {
                    EXPECT_NEAR(picture_point(y - view.top, 400, after.h, z.scroll_y, h), py, tolerance)
                        << "factor " << factor << " y " << y;
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 200) << "most points must be checked";
}

TEST(ZoomAt, WorkedExample) {
    ZoomState z = ZoomState{kZoomFixed, 1.0, 100, 50};
    ZoomAtPoint(&z, 1.25, ViewBox{0, 0, 500, 400}, 1000, 800, 250, 200);
    // fx = (250 + 100) / 1000 = 0.35; 1250 * 0.35 - 250 + 0.5 = 188
    EXPECT_DOUBLE_EQ(z.scale, 1.25);
    EXPECT_EQ(z.scroll_x, 188);
    // fy = (200 + 50) / 800 = 0.3125; 1000 * 0.3125 - 200 + 0.5 = 113
    EXPECT_EQ(z.scroll_y, 113);
}

TEST(ZoomAt, RightEdgeStaysUnderTheCursor) {
    // Scrolled to the right end: the picture's last column is the view's last.
    ZoomState z = ZoomState{kZoomFixed, 1.0, 500, 0};
    const ViewBox view = {0, 0, 500, 400};
    ZoomAtPoint(&z, kZoomInFactor, view, 1000, 300, 499, 100);
    Size after = shown(z, 500, 400, 1000, 300);
    EXPECT_EQ(after.w, 1250);
    EXPECT_EQ(z.scroll_x, 750);
    EXPECT_EQ(PictureOffset(500, after.w, z.scroll_x) + after.w, 500) << "right edge at the view's edge";

    // A centred picture: the cursor on its right edge keeps it there.
    z = ZoomState{kZoomFixed, 1.0, 0, 0};
    ZoomAtPoint(&z, kZoomInFactor, ViewBox{0, 0, 800, 400}, 600, 300, 700, 200);  // picture spans 100..700
    after = shown(z, 800, 400, 600, 300);
    EXPECT_EQ(after.w, 750);
    EXPECT_EQ(PictureOffset(800, after.w, z.scroll_x) + after.w, 775) << "centred again: it fits";
    // Zooming out at the right end keeps the edge there too.
    z = ZoomState{kZoomFixed, 2.0, 1500, 0};
    ZoomAtPoint(&z, kZoomOutFactor, view, 1000, 300, 499, 100);
    after = shown(z, 500, 400, 1000, 300);
    EXPECT_EQ(after.w, 1600);
    EXPECT_EQ(PictureOffset(500, after.w, z.scroll_x) + after.w, 500);
}

TEST(ZoomAt, FromBestFitAndOutsideThePicture) {
    ZoomState z = mode(kZoomBestFit);
    ZoomAtPoint(&z, kZoomInFactor, ViewBox{0, 0, 800, 600}, 2000, 1000, -50, 9999);
    EXPECT_EQ(z.mode, kZoomFixed);
    EXPECT_DOUBLE_EQ(z.scale, 0.5);
    // fx clamped to 0: the left edge goes to the cursor's column, 50 pixels
    // left of the view, as far as the scroll range allows.
    EXPECT_EQ(z.scroll_x, 50);
    EXPECT_EQ(z.scroll_y, 0) << "1000 wide, 500 high: fits vertically";
}

TEST(ScrollBars, LimitsClampPositionsAndFitModesReset) {
    ZoomState z = ZoomState{kZoomFixed, 2.0, 5000, 5000};
    int max_x, max_y;
    ClampScrollToView(&z, 500, 400, 1000, 300, &max_x, &max_y);
    EXPECT_EQ(max_x, 1500);
    EXPECT_EQ(max_y, 200);
    EXPECT_EQ(z.scroll_x, 1500);
    EXPECT_EQ(z.scroll_y, 200);
    z.scroll_x = 20;
    ClampScrollToView(&z, 500, 400, 1000, 300, &max_x, &max_y);
    EXPECT_EQ(z.scroll_x, 20);
    z = ZoomState{kZoomBestFit, 2.0, 20, 20};
    ClampScrollToView(&z, 500, 400, 1000, 300, &max_x, &max_y);
    EXPECT_EQ(max_x, 0);
    EXPECT_EQ(max_y, 0);
    EXPECT_EQ(z.scroll_x, 0);
    EXPECT_EQ(z.scroll_y, 0);
    z = ZoomState{kZoomFixed, 1.0, 20, 20};  // smaller than the view
    ClampScrollToView(&z, 500, 400, 100, 100, &max_x, &max_y);
    EXPECT_EQ(max_x, 0);
    EXPECT_EQ(z.scroll_x, 0);
}

TEST(ScrollBars, RequestsMoveByLinesPagesAndThumb) {
    const int page = 400, limit = 1000;
    EXPECT_EQ(ScrollTarget(kScrollLineForward, 100, page, limit, 0), 140);
    EXPECT_EQ(ScrollTarget(kScrollLineBack, 100, page, limit, 0), 60);
    EXPECT_EQ(ScrollTarget(kScrollLineBack, 30, page, limit, 0), 0);
    EXPECT_EQ(ScrollTarget(kScrollPageForward, 100, page, limit, 0), 500);
    EXPECT_EQ(ScrollTarget(kScrollPageBack, 500, page, limit, 0), 100);
    EXPECT_EQ(ScrollTarget(kScrollPageBack, 300, page, limit, 0), 0);
    EXPECT_EQ(ScrollTarget(kScrollThumbTrack, 100, page, limit, 777), 777);
    EXPECT_EQ(ScrollTarget(kScrollThumbPosition, 100, page, limit, 5000), 1000);
    for (int still : {kScrollTop, kScrollBottom, kScrollEnd}) EXPECT_EQ(ScrollTarget(still, 321, page, limit, 9), 321);
}

TEST(ScrollBars, PageDownAtTheEndStaysAtTheLimit) {
    EXPECT_EQ(ScrollTarget(kScrollPageForward, 1000, 400, 1000, 0), 1000);
    EXPECT_EQ(ScrollTarget(kScrollPageForward, 900, 400, 1000, 0), 1000);
    EXPECT_EQ(ScrollTarget(kScrollLineForward, 1000, 400, 1000, 0), 1000);
    EXPECT_EQ(ScrollTarget(kScrollPageForward, 2147483000, 2000, 2147483600, 0), 2147483600) << "no wrap";
}

TEST(ScrollBars, ThumbBeyondSixteenBitsComesFromTheTrackingPosition) {
    EXPECT_EQ(ThumbPosition(1234, 1234), 1234);
    EXPECT_EQ(ThumbPosition(70000 & 0xFFFF, 70000), 70000);
    EXPECT_EQ(ThumbPosition(500, 900), 500) << "a position the bar does not know: the message's";
    EXPECT_EQ(ThumbPosition(500, -1), 500);
}

TEST(CustomScale, FieldReadsAsAnUnsignedNumber) {
    EXPECT_EQ(ParseScaleField("250"), 250u);
    EXPECT_EQ(ParseScaleField("  3200 "), 3200u);
    EXPECT_EQ(ParseScaleField("0042"), 42u);
    EXPECT_EQ(ParseScaleField(""), 0u);
    EXPECT_EQ(ParseScaleField("abc"), 0u);
    EXPECT_EQ(ParseScaleField("12abc"), 0u);
    EXPECT_EQ(ParseScaleField("-5"), 0u);
    EXPECT_EQ(ParseScaleField("1 2"), 0u);
    EXPECT_EQ(ParseScaleField(nullptr), 0u);
    EXPECT_EQ(ParseScaleField("4294967295"), 4294967295u);
    EXPECT_EQ(ParseScaleField("4294967296"), 0xFFFFFFFFu) << "too large for 32 bits is out of range, not 0";
    EXPECT_EQ(ParseScaleField("99999999999999999999999"), 0xFFFFFFFFu);
}

TEST(CustomScale, RangeIsTwoToThirtyTwoHundred) {
    for (uint32_t bad : {0u, 1u, 3201u, 0xFFFFFFFFu}) EXPECT_FALSE(ScalePercentValid(bad)) << bad;
    for (uint32_t good : {2u, 100u, 3200u}) EXPECT_TRUE(ScalePercentValid(good)) << good;
    EXPECT_FALSE(ScalePercentValid(ParseScaleField("1")));
    EXPECT_FALSE(ScalePercentValid(ParseScaleField("3201")));
    EXPECT_FALSE(ScalePercentValid(ParseScaleField("abc")));
    ZoomState z = mode(kZoomBestFit);
    SetFixedScale(&z, ParseScaleField("3200") / 100.0);
    EXPECT_DOUBLE_EQ(z.scale, 32.0);
}
