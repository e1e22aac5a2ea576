#include <gtest/gtest.h>

#include "browser/browser_layout_pure.h"
#include "browser/browser_status_pure.h"

TEST(BrowserStatus, SizesTruncateAtEachStep) {
    const struct { uint64_t bytes; const char* want; } cases[] = {
        {0, "0 bytes"},          {1023, "1023 bytes"},     {1024, "1.0KB"},
        {1535, "1.4KB"},         {1048575, "1023.9KB"},    {1048576, "1.00MB"},
        {1572863, "1.49MB"},     {5000000000ull, "4768.37MB"},  // past 4 GB: no wrap
    };
    for (auto c : cases) {
        char out[64];
        format_status_size(out, sizeof out, c.bytes, "%lu bytes");
        EXPECT_STREQ(out, c.want) << c.bytes;
    }
}

TEST(BrowserStatus, CountTextsBySelectionViewAndListing) {
    const BrowserStatusWords w = {"%d object%s selected", "%d object%s", "%d object%s (%d image%s)", "%lu bytes", "s"};
    struct Case {
        BrowserCounts counts;
        const char* count_text;
        const char* size_text;
    };
    // selected, selected bytes, images, image bytes, folders, files, total, thumbnails, show all
    const Case cases[] = {
        {{1, 2048, 3, 900, 2, 5, 5000, true, true}, "1 object selected", "2.0KB"},
        {{2, 0, 3, 900, 2, 5, 5000, false, false}, "2 objects selected", "0 bytes"},  // two folders
        {{0, 0, 3, 900, 2, 5, 5000, true, true}, "3 objects", "900 bytes"},           // images only
        {{0, 0, 1, 900, 2, 5, 5000, false, true}, "7 objects (1 image)", "4.8KB"},
        {{0, 0, 1, 900, 0, 1, 5000, false, false}, "1 object", "4.8KB"},
    };
    for (const Case& c : cases) {
        char count[128], size[64];
        format_browser_status(c.counts, w, count, sizeof count, size, sizeof size);
        EXPECT_STREQ(count, c.count_text);
        EXPECT_STREQ(size, c.size_text) << c.count_text;
    }
}

TEST(BrowserStatus, TitleCaptionAndParentOfFolders) {
    const struct { const char* folder; const char* title; const char* caption; const char* parent; } cases[] = {
        {"C:\\Photos\\2024\\", "C:\\Photos\\2024 - IE", "2024", "C:\\Photos\\"},
        {"C:\\Photos\\", "C:\\Photos - IE", "Photos", "C:\\"},
        {"C:\\", "C:\\ - IE", "C:\\", nullptr},  // a drive root keeps its backslash and has no parent
        {"", "IE", "", nullptr},
    };
    for (auto c : cases) {
        char title[300], caption[300], parent[300] = "unchanged";
        format_browser_title(title, sizeof title, c.folder, "IE");
        folder_display_name(caption, sizeof caption, c.folder);
        EXPECT_STREQ(title, c.title);
        EXPECT_STREQ(caption, c.caption);
        EXPECT_EQ(parent_folder(c.folder, parent, sizeof parent), c.parent != nullptr) << c.folder;
        if (c.parent) EXPECT_STREQ(parent, c.parent);
    }
}

TEST(BrowserLayout, PanesShareTheClientArea) {
    // Toolbar 28 high, status bar from 480, 700 wide, tree and address bar.
    BrowserPanes p = layout_browser_panes(700, 28, 480, true, true);
    EXPECT_EQ(p.address_bar.top, 28);
    EXPECT_EQ(p.address_bar.bottom, 50);
    EXPECT_EQ(p.header.top, 52);
    EXPECT_EQ(p.tree.top, 72);
    EXPECT_EQ(p.tree.right, 200);  // half the width, at most 200
    EXPECT_EQ(p.list.left, 203);
    EXPECT_EQ(p.list.bottom, 480);
    const struct { int width; int tree_right; int list_left; } widths[] = {
        {300, 150, 153}, {120, 80, 83}, {60, 60, 60}, {0, 0, 0}};
    for (auto w : widths) {
        BrowserPanes q = layout_browser_panes(w.width, 0, 100, true, false);
        EXPECT_EQ(q.tree.right, w.tree_right) << w.width;
        EXPECT_EQ(q.list.left, w.list_left) << w.width;
        EXPECT_GE(q.list.right, q.list.left) << w.width;
    }
    BrowserPanes plain = layout_browser_panes(700, 28, 20, false, false);  // status bar above the header
    EXPECT_EQ(plain.header.top, 28);
    EXPECT_EQ(plain.list.left, 0);
    EXPECT_EQ(plain.list.top, plain.list.bottom);
}
