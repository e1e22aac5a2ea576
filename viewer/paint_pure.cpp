#include "viewer/paint_pure.h"

bool UsesDirectStretch(int dw, int dh) { return dw > kMaxCachedSide || dh > kMaxCachedSide; }

static int lower_of(int a, int b) { return a < b ? a : b; }
static int higher_of(int a, int b) { return a > b ? a : b; }

StretchPlan PlanVisibleStretch(int view_w, int view_h, int ox, int oy, int dw, int dh, int w, int h) {
    StretchPlan plan = {};
    if (dw < 1 || dh < 1 || w < 1 || h < 1) return plan;
    int x0 = higher_of(ox, 0), x1 = lower_of(view_w, ox + dw);
    int y0 = higher_of(oy, 0), y1 = lower_of(view_h, oy + dh);
    if (x0 >= x1 || y0 >= y1) return plan;

    int sx0 = (int)((double)w * (x0 - ox) / dw);
    int sx1 = (int)((double)w * (x1 - ox) / dw + 0.999);
    int sy0 = (int)((double)h * (y0 - oy) / dh);
    int sy1 = (int)((double)h * (y1 - oy) / dh + 0.999);
    sx0 = higher_of(sx0, 0);
    sy0 = higher_of(sy0, 0);
    sx1 = lower_of(sx1, w);
    sy1 = lower_of(sy1, h);
    if (sx0 >= sx1 || sy0 >= sy1) return plan;

    plan.draw = true;
    plan.src_x0 = sx0;
    plan.src_x1 = sx1;
    plan.src_y0 = sy0;
    plan.src_y1 = sy1;
    plan.dest_x = ox + (int)((double)dw * sx0 / w + 0.5);
    plan.dest_y = oy + (int)((double)dh * sy0 / h + 0.5);
    plan.dest_w = (int)((double)dw * (sx1 - sx0) / w + 0.5);
    plan.dest_h = (int)((double)dh * (sy1 - sy0) / h + 0.5);
    plan.dib_src_y = h - sy1;
    return plan;
}

PaintBox CropOutline(int start_x, int start_y, int end_x, int end_y, int view_left, int view_top) {
    PaintBox box;
    box.left = lower_of(start_x, end_x) - view_left;
    box.top = lower_of(start_y, end_y) - view_top;
    box.right = higher_of(start_x, end_x) - view_left;
    box.bottom = higher_of(start_y, end_y) - view_top;
    return box;
}

void PauseSignBars(int view_w, PaintBox bars[2]) {
    int left = view_w - 52;
    if (left < 0) left = 18;
    bars[0] = PaintBox{left, 18, left + 12, 56};
    bars[1] = PaintBox{left + 22, 18, left + 34, 56};
}
