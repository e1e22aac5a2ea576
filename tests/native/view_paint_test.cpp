#include <gtest/gtest.h>

#include "viewer/paint_pure.h"

TEST(PaintPath, CacheUpTo1024DirectBeyond) {
    EXPECT_FALSE(UsesDirectStretch(1024, 1024));
    EXPECT_TRUE(UsesDirectStretch(1025, 10));
    EXPECT_TRUE(UsesDirectStretch(10, 1025));
    EXPECT_FALSE(UsesDirectStretch(1, 1));
}

TEST(DirectStretch, AlignedAt32xTakesTwentyByFifteenSourcePixels) {
    // 100 x 100 at 32x in a 640 x 480 view, scrolled to the origin.
    StretchPlan p = PlanVisibleStretch(640, 480, 0, 0, 3200, 3200, 100, 100);
    ASSERT_TRUE(p.draw);
    EXPECT_EQ(p.src_x0, 0);
    EXPECT_EQ(p.src_x1, 20);
    EXPECT_EQ(p.src_y0, 0);
    EXPECT_EQ(p.src_y1, 15);
    EXPECT_EQ(p.dest_x, 0);
    EXPECT_EQ(p.dest_y, 0);
    EXPECT_EQ(p.dest_w, 640);
    EXPECT_EQ(p.dest_h, 480);
    EXPECT_EQ(p.dib_src_y, 85) << "bottom-up rows: h - sy1";
}

TEST(DirectStretch, PartialEdgePixelsAreDrawnWhole) {
    // Scrolled by 16 x 40: the first and last source columns are cut in half
    // on screen, and both are stretched whole at their own place.
    StretchPlan p = PlanVisibleStretch(640, 480, -16, -40, 3200, 3200, 100, 100);
    ASSERT_TRUE(p.draw);
    EXPECT_EQ(p.src_x0, 0);
    EXPECT_EQ(p.src_x1, 21) << "656 / 32 = 20.5 columns: the 0.999 takes the 21st";
    EXPECT_EQ(p.src_y0, 1);
    EXPECT_EQ(p.src_y1, 17) << "520 / 32 = 16.25 rows";
    EXPECT_EQ(p.dest_x, -16);
    EXPECT_EQ(p.dest_w, 21 * 32);
    EXPECT_EQ(p.dest_y, -40 + 32);
    EXPECT_EQ(p.dest_h, 16 * 32);
    EXPECT_EQ(p.dib_src_y, 100 - 17);
}

TEST(DirectStretch, ScrolledToTheEnd) {
    // 100 x 100 at 32x, scrolled to the far corner: the last source pixels.
    StretchPlan p = PlanVisibleStretch(640, 480, -(3200 - 640), -(3200 - 480), 3200, 3200, 100, 100);
    ASSERT_TRUE(p.draw);
    EXPECT_EQ(p.src_x0, 80);
    EXPECT_EQ(p.src_x1, 100);
    EXPECT_EQ(p.src_y0, 85);
    EXPECT_EQ(p.src_y1, 100);
    EXPECT_EQ(p.dest_x, 0);
    EXPECT_EQ(p.dest_w, 640);
    EXPECT_EQ(p.dib_src_y, 0);
}

TEST(DirectStretch, PictureOutsideTheViewDrawsNothing) {
    EXPECT_FALSE(PlanVisibleStretch(640, 480, 640, 0, 2000, 2000, 100, 100).draw);
    EXPECT_FALSE(PlanVisibleStretch(640, 480, -2000, 0, 2000, 2000, 100, 100).draw);
    EXPECT_FALSE(PlanVisibleStretch(640, 480, 0, 480, 2000, 2000, 100, 100).draw);
    EXPECT_FALSE(PlanVisibleStretch(0, 480, 0, 0, 2000, 2000, 100, 100).draw);
}

TEST(DirectStretch, CentredNarrowPicture) {
    // 1025 x 10 displayed at actual size in an 800 x 600 view: centred
    // vertically, scrolled horizontally.
    StretchPlan p = PlanVisibleStretch(800, 600, -100, 295, 1025, 10, 1025, 10);
    ASSERT_TRUE(p.draw);
    EXPECT_EQ(p.src_x0, 100);
    EXPECT_EQ(p.src_x1, 900);
    EXPECT_EQ(p.src_y0, 0);
    EXPECT_EQ(p.src_y1, 10);
    EXPECT_EQ(p.dest_x, 0);
    EXPECT_EQ(p.dest_y, 295);
    EXPECT_EQ(p.dest_w, 800);
    EXPECT_EQ(p.dest_h, 10);
}

// Whatever the scale and scroll, the stretched part covers the visible part of
// the picture (to the pixel, within the rounding of a fractional scale) and
// the source stays inside the picture.
TEST(DirectStretch, CoversTheVisiblePartAtAnyScale) {
    const int w = 317, h = 211, view_w = 640, view_h = 480;
    int plans = 0;
    for (double scale : {3.3, 4.0, 5.125, 7.77, 12.5, 32.0}) {
        int dw = (int)(scale * w + 0.5), dh = (int)(scale * h + 0.5);
        for (int sx = 0; sx <= dw - view_w; sx += 97) {
            for (int sy = 0; sy <= dh - view_h; sy += 89) {
                StretchPlan p = PlanVisibleStretch(view_w, view_h, -sx, -sy, dw, dh, w, h);
                ASSERT_TRUE(p.draw);
                ASSERT_GE(p.src_x0, 0);
                ASSERT_LE(p.src_x1, w);
                ASSERT_LT(p.src_x0, p.src_x1);
                ASSERT_GE(p.src_y0, 0);
                ASSERT_LE(p.src_y1, h);
                ASSERT_LT(p.src_y0, p.src_y1);
                EXPECT_LE(p.dest_x, 0) << scale << " " << sx;
                EXPECT_GE(p.dest_x + p.dest_w, view_w - 1) << scale << " " << sx;
                EXPECT_LE(p.dest_y, 0) << scale << " " << sy;
                EXPECT_GE(p.dest_y + p.dest_h, view_h - 1) << scale << " " << sy;
                // Never more than one whole source pixel beyond each side.
                EXPECT_GT(p.dest_x, -2 * scale);
                EXPECT_LT(p.dest_x + p.dest_w, view_w + 2 * scale);
                ++plans;
            }
        }
    }
    EXPECT_GT(plans, 500);
}

TEST(CropOutline, CornersInEitherOrderRelativeToTheView) {
    PaintBox b = CropOutline(300, 200, 100, 250, 0, 28);
    EXPECT_EQ(b.left, 100);
    EXPECT_EQ(b.top, 172);
    EXPECT_EQ(b.right, 300);
    EXPECT_EQ(b.bottom, 222);
}

TEST(PauseSign, BarsAtTheTopRight) {
    PaintBox bars[2];
    PauseSignBars(640, bars);
    EXPECT_EQ(bars[0].left, 588);
    EXPECT_EQ(bars[0].right, 600);
    EXPECT_EQ(bars[1].left, 610);
    EXPECT_EQ(bars[1].right, 622);
    for (const PaintBox& b : bars) {
        EXPECT_EQ(b.top, 18);
        EXPECT_EQ(b.bottom, 56);
    }
}

TEST(PauseSign, NarrowViewStartsAtEighteen) {
    PaintBox bars[2];
    PauseSignBars(40, bars);
    EXPECT_EQ(bars[0].left, 18);
    EXPECT_EQ(bars[1].left, 40);
    PauseSignBars(52, bars);
    EXPECT_EQ(bars[0].left, 0) << "zero is not negative";
    PauseSignBars(51, bars);
    EXPECT_EQ(bars[0].left, 18);
}
