// The arithmetic of a printed page: the layouts and margins, how many pages
// a print takes, which picture each cell shows, where the cells lie on the
// paper or in the preview, and how a picture sits in its cell. Portable:
// the dialog, the preview and the job draw with what these give.
#pragma once
#include <stdint.h>

#include "core/text_ids.h"

const int kLayoutCount = 5;
const int kContactSheet = 4;  // the layout row of the contact sheet
const int kMarginCount = 4;
const int kQualityCount = 4;
const int kMaxPrintFiles = 500;
const double kPaperAspect = 1.414;  // the preview's paper, and the page shape when the device gives none

struct LayoutRow {
    TextId name;         // with several pictures
    TextId single_name;  // with one (kTextNone: not offered)
    int columns;
    int rows;            // 0: from the page shape
};
extern const LayoutRow kLayouts[kLayoutCount];

struct MarginRow {
    TextId name;
    int divisor;  // the margin is the page width / divisor on every side; 0: none
};
extern const MarginRow kMargins[kMarginCount];

extern const int kQualities[kQualityCount];  // dots per inch, in list order

// Rows of a layout on a page of height / width = aspect.
int layout_rows(int layout, double aspect);
// Cells on one page.
int cells_per_page(int layout, double aspect);
// Pages for count pictures printed copies times each (1 for an empty list).
int page_count(int layout, int count, int copies, double aspect);
// The picture of cell k: copies of one picture are adjacent.
int picture_of_cell(int k, int count, int copies);
// round-half-up(width * fraction of the margin row); 0 for a row outside the table.
int margin_pixels(int margins, int page_width);

// A rectangle by its top-left corner and size.
struct Box {
    int x, y, width, height;
};

// The cells of a page: the grid inside equal margins, each cell's picture
// area above the name band of a contact sheet, and the one centred cell
// that replaces the grid for a single picture printed once.
struct PageGrid {
    int margin;
    int left, top;  // the first cell's corner: the area's corner plus the margin
    int columns, rows;
    int cell_width, cell_height;  // the grid's cells
    int picture_height;           // of a cell, above the name band
    int band_height;              // the name band (0 without names)
    bool centered;                // one cell in the middle of the printable area
    Box center;                   // that cell, full height
};
// The printed page of width x height device pixels. False when there is no
// layout or the cells come out smaller than one pixel.
bool print_grid(int layout, int margins, int width, int height, bool names, bool one_picture_once,
                PageGrid* grid);
// The same on the preview's paper (cells below 2 pixels give no grid).
bool preview_grid(int layout, int margins, const Box& paper, bool names, bool one_picture_once, PageGrid* grid);
// The cell of position i of a page (row by row), or the centred one.
Box cell_box(const PageGrid& grid, int i);

// The preview's paper in a frame of that size: 8 pixels in from each side,
// shaped 1 : 1.414 (portrait upright), centred.
Box preview_paper(int frame_width, int frame_height, bool landscape);

// Where a picture of image_width x image_height lands in a cell: the whole
// picture fitted in, or the cell filled (fill) with the overflow cut off.
// Enlarged when small; at least 1 x 1; centred, halves toward zero.
Box fit_in_cell(int image_width, int image_height, const Box& cell, bool fill);
// The size a picture is shrunk to before it is stretched into its drawn
// size, with its larger side cut to max_side; false when it is drawn as it is.
bool shrink_before_drawing(int image_width, int image_height, const Box& drawn, int max_side, int* width,
                           int* height);
// 1600 for one full page, 256 for the smaller cells and the contact sheet.
int max_drawn_side(int layout);
// How long a picture's larger side must be at least to be drawn into the
// cell as it would be from the whole picture: the cell's longer side (a
// filled cell's drawn size depends on the picture, so max_side), no more
// than max_side.
int picture_need(const Box& cell, bool fill, int max_side);
