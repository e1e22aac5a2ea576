// The page arithmetic of printing: pages, cells, margins, fitting, shrinking.
#include <gtest/gtest.h>

#include "print/print_layout_pure.h"

TEST(PrintLayout, PagesAndTheirCells) {
    const struct {
        int layout, count, copies;
        double aspect;
        int pages;
    } cases[] = {
        {2, 1, 1, 1.414, 1},   // one picture, 4 per Page
        {1, 3, 2, 1.414, 3},   // 6 cells, 2 per page
        {3, 10, 1, 1.414, 2},  // 9 per page
        {4, 20, 1, 1.414, 1},  // contact sheet: 4 columns, round(4 * 1.414) = 6 rows
        {4, 21, 1, 1 / 1.414, 2},  // landscape: 4 x 3
        {0, 0, 1, 1.414, 1},   // nothing to print still shows a page
    };
    for (const auto& c : cases)
        EXPECT_EQ(page_count(c.layout, c.count, c.copies, c.aspect), c.pages)
            << c.layout << " " << c.count << "x" << c.copies;
    // Copies of one picture are adjacent; one picture fills every cell.
    EXPECT_EQ(picture_of_cell(0, 3, 2), 0);
    EXPECT_EQ(picture_of_cell(1, 3, 2), 0);
    EXPECT_EQ(picture_of_cell(2, 3, 2), 1);
    EXPECT_EQ(picture_of_cell(5, 1, 9), 0);
}

TEST(PrintLayout, GridsOnPaperAndInThePreview) {
    PageGrid g;
    // Landscape with wide margins on 4800 x 3600: margin 400, 9 per Page cells 1333 x 933.
    ASSERT_TRUE(print_grid(3, 2, 4800, 3600, true, false, &g));
    EXPECT_EQ(g.margin, 400);
    EXPECT_EQ(g.cell_width, 1333);
    EXPECT_EQ(g.cell_height, 933);
    EXPECT_EQ(g.picture_height, 933) << "names only under a contact sheet";
    Box c = cell_box(g, 4);
    EXPECT_EQ(c.x, 400 + 1333);
    EXPECT_EQ(c.y, 400 + 933);
    // Normal margins round half up: 2479 / 24 = 103.3.
    EXPECT_EQ(margin_pixels(0, 2479), 103);
    EXPECT_EQ(margin_pixels(3, 2479), 0);
    // Contact sheet on A4 at 300 dpi: 6 rows, a name band of a sixth of the cell.
    ASSERT_TRUE(print_grid(4, 0, 2479, 3508, true, false, &g));
    EXPECT_EQ(g.rows, 6);
    EXPECT_EQ(g.band_height, g.cell_height / 6);
    EXPECT_EQ(g.picture_height, g.cell_height - g.band_height);
    // One picture once, centred: one cell of the grid's size in the middle.
    ASSERT_TRUE(print_grid(2, 0, 2400, 3400, false, true, &g));
    c = cell_box(g, 3);
    EXPECT_EQ(c.width, g.cell_width);
    EXPECT_EQ(c.x, (2400 - g.cell_width) / 2);
    EXPECT_EQ(c.y, (3400 - g.cell_height) / 2);
    // The preview's paper keeps 1 : 1.414 inside 8 pixels, and its cells below 2 pixels give none.
    Box paper = preview_paper(126, 156, false);
    EXPECT_EQ(paper.height, 140);
    EXPECT_EQ(paper.width, 99);
    EXPECT_EQ(paper.x, (126 - 99) / 2);
    paper = preview_paper(126, 156, true);
    EXPECT_EQ(paper.width, 110);
    EXPECT_EQ(paper.height, 77);
    EXPECT_TRUE(preview_grid(4, 0, paper, true, false, &g));
    EXPECT_EQ(g.band_height, g.cell_height / 5);
    EXPECT_FALSE(preview_grid(3, 2, Box{0, 0, 6, 6}, false, false, &g));
}

TEST(PrintLayout, PicturesInTheirCells) {
    // Fitted whole or filling the cell, centred, halves toward zero.
    Box fit = fit_in_cell(300, 200, Box{10, 20, 100, 100}, false);
    EXPECT_EQ(fit.width, 100);
    EXPECT_EQ(fit.height, 66);
    EXPECT_EQ(fit.y, 20 + 17);
    Box fill = fit_in_cell(300, 200, Box{10, 20, 100, 100}, true);
    EXPECT_EQ(fill.width, 150);
    EXPECT_EQ(fill.x, 10 - 25);
    Box tiny = fit_in_cell(1, 1000, Box{0, 0, 50, 50}, false);
    EXPECT_EQ(tiny.width, 1) << "at least one pixel";
    // Shrunk first: 3000 x 2000 into a large half-page cell to 256 x 171,
    // onto a full page to 1600 x 1067; never enlarged.
    int w = 0, h = 0;
    ASSERT_TRUE(shrink_before_drawing(3000, 2000, Box{0, 0, 2000, 1333}, max_drawn_side(1), &w, &h));
    EXPECT_EQ(w, 256);
    EXPECT_EQ(h, 171);
    ASSERT_TRUE(shrink_before_drawing(3000, 2000, Box{0, 0, 2300, 1533}, max_drawn_side(0), &w, &h));
    EXPECT_EQ(w, 1600);
    EXPECT_EQ(h, 1067);
    EXPECT_FALSE(shrink_before_drawing(200, 100, Box{0, 0, 800, 400}, 256, &w, &h));
    EXPECT_EQ(max_drawn_side(4), 256) << "the contact sheet has many small cells";
    // A picture decoded smaller keeps its larger side at least this long.
    EXPECT_EQ(picture_need(Box{0, 0, 200, 150}, false, 256), 200);
    EXPECT_EQ(picture_need(Box{0, 0, 150, 300}, false, 256), 256);
    EXPECT_EQ(picture_need(Box{0, 0, 200, 150}, true, 256), 256) << "a filled cell draws beyond it";
}
