// The arithmetic of painting the view: which path a displayed size takes,
// the part of the picture the direct path stretches, the crop outline and the
// pause sign. Coordinates are relative to the view's top-left corner.
#pragma once

// Displayed sizes up to this on both sides are stretched once and cached;
// anything larger is stretched from the picture at every paint, visible part
// only, so memory follows the view and not the zoomed picture.
const int kMaxCachedSide = 1024;

bool UsesDirectStretch(int dw, int dh);

// One StretchDIBits call of the direct path.
struct StretchPlan {
    bool draw;                     // false when nothing of the picture is visible
    int src_x0, src_x1;            // source columns, x1 exclusive
    int src_y0, src_y1;            // source rows counted from the top, y1 exclusive
    int dest_x, dest_y, dest_w, dest_h;
    int dib_src_y;                 // src_y0 in bottom-up rows: h - src_y1
};

// The visible part of a w x h picture displayed at dw x dh with its top-left
// corner at (ox, oy) in a view_w x view_h view. Partial edge pixels are taken
// whole, and the destination is recomputed from the whole source pixels so
// that they land where the full stretch would put them.
StretchPlan PlanVisibleStretch(int view_w, int view_h, int ox, int oy, int dw, int dh, int w, int h);

struct PaintBox {
    int left, top, right, bottom;  // right and bottom exclusive
};

// The crop drag's outline from two client points, relative to the view.
PaintBox CropOutline(int start_x, int start_y, int end_x, int end_y, int view_left, int view_top);

// The two bars of the paused-slide-show sign in a view view_w wide; the
// shadow is each bar shifted by kPauseShadow on both axes.
const int kPauseShadow = 3;
void PauseSignBars(int view_w, PaintBox bars[2]);
