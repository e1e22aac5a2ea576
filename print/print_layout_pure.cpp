#include "print/print_layout_pure.h"

const LayoutRow kLayouts[kLayoutCount] = {
    {kTextLayoutFullPage, kTextLayoutFullPage, 1, 1},
    {kTextLayout2PerPage, kTextCellHalfPage, 1, 2},
    {kTextLayout4PerPage, kTextCellQuarterPage, 2, 2},
    {kTextLayout9PerPage, kTextCellNinthPage, 3, 3},
    {kTextLayoutContactSheet, kTextNone, 4, 0},
};

const MarginRow kMargins[kMarginCount] = {
    {kTextMarginsNormal, 24},
    {kTextMarginsNarrow, 48},
    {kTextMarginsWide, 12},
    {kTextMarginsNone, 0},
};

const int kQualities[kQualityCount] = {600, 300, 150, 75};

namespace {

bool valid_layout(int layout) { return layout >= 0 && layout < kLayoutCount; }

}  // namespace

int layout_rows(int layout, double aspect) {
    if (!valid_layout(layout)) return 1;
    const LayoutRow& row = kLayouts[layout];
    if (row.rows > 0) return row.rows;
    int rows = (int)(row.columns * aspect + 0.5);
    return rows < 1 ? 1 : rows;
}

int cells_per_page(int layout, double aspect) {
    if (!valid_layout(layout)) return 1;
    int cells = kLayouts[layout].columns * layout_rows(layout, aspect);
    return cells < 1 ? 1 : cells;
}

int page_count(int layout, int count, int copies, double aspect) {
    if (count <= 0) return 1;
    long long cells = (long long)count * (copies < 1 ? 1 : copies);
    int per_page = cells_per_page(layout, aspect);
    return (int)((cells + per_page - 1) / per_page);
}

int picture_of_cell(int k, int count, int copies) {
    if (count <= 1) return 0;
    return k / (copies < 1 ? 1 : copies);
}

int margin_pixels(int margins, int page_width) {
    if (margins < 0 || margins >= kMarginCount || kMargins[margins].divisor == 0) return 0;
    const int d = kMargins[margins].divisor;
    return (int)(((long long)page_width * 2 + d) / (2 * d));  // half up
}

namespace {

// The grid inside margin m of a width x height area at (x, y); the caller
// sets the name band.
bool grid_of(int layout, int margins, const Box& area, int smallest, bool one_picture_once, PageGrid* g) {
    if (!valid_layout(layout) || area.width <= 0) return false;
    const double aspect = (double)area.height / area.width;
    g->margin = margin_pixels(margins, area.width);
    g->left = area.x + g->margin;
    g->top = area.y + g->margin;
    g->columns = kLayouts[layout].columns;
    g->rows = layout_rows(layout, aspect);
    g->cell_width = (area.width - 2 * g->margin) / g->columns;
    g->cell_height = (area.height - 2 * g->margin) / g->rows;
    if (g->cell_width < smallest || g->cell_height < smallest) return false;
    g->picture_height = g->cell_height;
    g->band_height = 0;
    g->centered = one_picture_once;
    g->center = Box{area.x + (area.width - g->cell_width) / 2, area.y + (area.height - g->cell_height) / 2,
                    g->cell_width, g->cell_height};
    return true;
}

}  // namespace

bool print_grid(int layout, int margins, int width, int height, bool names, bool one_picture_once, PageGrid* grid) {
    if (!grid_of(layout, margins, Box{0, 0, width, height}, 1, one_picture_once, grid)) return false;
    if (layout == kContactSheet && names) {
        grid->band_height = grid->cell_height / 6;
        grid->picture_height = grid->cell_height - grid->band_height;
        if (grid->picture_height < 1) grid->picture_height = 1;
    }
    return true;
}

bool preview_grid(int layout, int margins, const Box& paper, bool names, bool one_picture_once, PageGrid* grid) {
    if (!grid_of(layout, margins, paper, 2, one_picture_once, grid)) return false;
    if (layout == kContactSheet && names) {
        grid->band_height = grid->cell_height / 5;
        grid->picture_height = grid->cell_height - grid->band_height;
        if (grid->picture_height < 2) grid->picture_height = 2;
    }
    return true;
}

Box cell_box(const PageGrid& g, int i) {
    if (g.centered) return g.center;
    const int column = i % g.columns, row = i / g.columns;
    return Box{g.left + column * g.cell_width, g.top + row * g.cell_height, g.cell_width, g.cell_height};
}

Box preview_paper(int frame_width, int frame_height, bool landscape) {
    int w = frame_width - 16, h = frame_height - 16;
    int pw, ph;
    if (!landscape) {
        ph = h;
        pw = (int)(h / kPaperAspect);
        if (pw > w) {
            pw = w;
            ph = (int)(w * kPaperAspect);
        }
    } else {
        pw = w;
        ph = (int)(w / kPaperAspect);
        if (ph > h) {
            ph = h;
            pw = (int)(h * kPaperAspect);
        }
    }
    return Box{(frame_width - pw) / 2, (frame_height - ph) / 2, pw, ph};
}

Box fit_in_cell(int image_width, int image_height, const Box& cell, bool fill) {
    double sx = (double)cell.width / image_width, sy = (double)cell.height / image_height;
    double scale = fill ? (sx > sy ? sx : sy) : (sx < sy ? sx : sy);
    int w = (int)(scale * image_width), h = (int)(scale * image_height);
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    return Box{cell.x + (cell.width - w) / 2, cell.y + (cell.height - h) / 2, w, h};
}

bool shrink_before_drawing(int image_width, int image_height, const Box& drawn, int max_side, int* width,
                           int* height) {
    int target = drawn.width > drawn.height ? drawn.width : drawn.height;
    if (target > max_side) target = max_side;
    const int larger = image_width > image_height ? image_width : image_height;
    if (target <= 0 || larger <= target) return false;
    *width = (int)(((long long)image_width * target * 2 + larger) / (2LL * larger));
    *height = (int)(((long long)image_height * target * 2 + larger) / (2LL * larger));
    if (*width < 1) *width = 1;
    if (*height < 1) *height = 1;
    return true;
}

int max_drawn_side(int layout) {
    return layout >= 0 && layout < kContactSheet && kLayouts[layout].columns == 1 && kLayouts[layout].rows == 1
               ? 1600
               : 256;
}

int picture_need(const Box& cell, bool fill, int max_side) {
    const int longer = cell.width > cell.height ? cell.width : cell.height;
    return fill || longer > max_side ? max_side : longer;
}
