#include <gtest/gtest.h>

#include <vector>

#include "viewer/paint_pure.h"

TEST(DirectStretch, VisiblePartWithPartialEdgePixelsTakenWhole) {
    const struct {
        const char* what;
        int view_w, view_h, ox, oy, dw, dh, w, h;
        StretchPlan want;
    } cases[] = {
        {"100 x 100 at 32x in 640 x 480: about 20 x 15 source pixels", 640, 480, 0, 0, 3200, 3200, 100, 100,
         {true, 0, 20, 0, 15, 0, 0, 640, 480, 85}},
        {"scrolled by 16 x 40: 20.5 columns and 16.25 rows", 640, 480, -16, -40, 3200, 3200, 100, 100,
         {true, 0, 21, 1, 17, -16, -8, 21 * 32, 16 * 32, 83}},
        {"scrolled to the far corner", 640, 480, -2560, -2720, 3200, 3200, 100, 100,
         {true, 80, 100, 85, 100, 0, 0, 640, 480, 0}},
        {"1025 x 10 at actual size, centred down", 800, 600, -100, 295, 1025, 10, 1025, 10,
         {true, 100, 900, 0, 10, 0, 295, 800, 10, 0}},
        {"right of the view", 640, 480, 640, 0, 2000, 2000, 100, 100, {}},
        {"left of the view", 640, 480, -2000, 0, 2000, 2000, 100, 100, {}},
        {"below the view", 640, 480, 0, 480, 2000, 2000, 100, 100, {}},
        {"no view", 0, 480, 0, 0, 2000, 2000, 100, 100, {}},
    };
    for (auto c : cases) {
        StretchPlan p = PlanVisibleStretch(c.view_w, c.view_h, c.ox, c.oy, c.dw, c.dh, c.w, c.h);
        const StretchPlan& q = c.want;
        EXPECT_EQ(p.draw, q.draw) << c.what;
        if (!q.draw) continue;
        EXPECT_EQ(std::vector<int>({p.src_x0, p.src_x1, p.src_y0, p.src_y1}),
                  std::vector<int>({q.src_x0, q.src_x1, q.src_y0, q.src_y1}))
            << c.what << ": source x0, x1, y0, y1";
        EXPECT_EQ(std::vector<int>({p.dest_x, p.dest_y, p.dest_w, p.dest_h, p.dib_src_y}),
                  std::vector<int>({q.dest_x, q.dest_y, q.dest_w, q.dest_h, q.dib_src_y}))
            << c.what << ": destination x, y, w, h and bottom-up source row";
    }
}

// Whatever the scale and scroll, the stretched part covers the visible part of
// the picture, reaches at most one source pixel beyond it, and its source
// stays inside the picture.
TEST(DirectStretch, CoversTheVisiblePartAtAnyScale) {
    const int w = 317, h = 211, view_w = 640, view_h = 480;
    int plans = 0;
    for (double scale : {3.3, 4.0, 5.125, 7.77, 12.5, 32.0}) {
        int dw = (int)(scale * w + 0.5), dh = (int)(scale * h + 0.5);
        for (int sx = 0; sx <= dw - view_w; sx += 97) {
            for (int sy = 0; sy <= dh - view_h; sy += 89, ++plans) {
                StretchPlan p = PlanVisibleStretch(view_w, view_h, -sx, -sy, dw, dh, w, h);
                ASSERT_TRUE(p.draw);
                ASSERT_TRUE(0 <= p.src_x0 && p.src_x0 < p.src_x1 && p.src_x1 <= w) << scale << " " << sx;
                ASSERT_TRUE(0 <= p.src_y0 && p.src_y0 < p.src_y1 && p.src_y1 <= h) << scale << " " << sy;
                EXPECT_TRUE(p.dest_x <= 0 && p.dest_x + p.dest_w >= view_w - 1) << scale << " " << sx;
                EXPECT_TRUE(p.dest_y <= 0 && p.dest_y + p.dest_h >= view_h - 1) << scale << " " << sy;
                EXPECT_TRUE(p.dest_x > -2 * scale && p.dest_x + p.dest_w < view_w + 2 * scale) << scale << " " << sx;
            }
        }
    }
    EXPECT_GT(plans, 500);
}

TEST(PauseSign, TwoBarsAtTheTopRightOrAtEighteenInANarrowView) {
    const struct { int view_w, left; } cases[] = {{640, 588}, {52, 0}, {51, 18}, {40, 18}};
    for (auto c : cases) {
        PaintBox bars[2];
        PauseSignBars(c.view_w, bars);
        EXPECT_EQ(bars[0].left, c.left) << c.view_w;
        EXPECT_EQ(std::vector<int>({bars[0].right, bars[1].left, bars[1].right}),
                  std::vector<int>({c.left + 12, c.left + 22, c.left + 34}))
            << c.view_w;
        for (const PaintBox& b : bars) EXPECT_EQ(std::vector<int>({b.top, b.bottom}), std::vector<int>({18, 56}));
    }
}
