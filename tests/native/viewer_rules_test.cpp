#include <gtest/gtest.h>

#include <string>

#include "app/layout_pure.h"
#include "app/command_rules_pure.h"
#include "shell/program_icon_pure.h"

TEST(StatusParts, EdgesFollowTheClientWidthAndStayInOrder) {
    const struct { int width; bool browser; int parts; int edges[5]; } cases[] = {
        {400, false, 5, {60, 170, 240, 330, -1}},  {1000, false, 5, {640, 770, 840, 930, -1}},
        {420, false, 5, {60, 190, 260, 350, -1}},  {419, false, 5, {60, 189, 259, 349, -1}},
        {100, false, 5, {60, 70, 80, 90, -1}},  // every edge raised above the one before
        {1000, true, 3, {770, 880, -1}},           {310, true, 3, {80, 190, -1}},
        {309, true, 3, {80, 189, -1}},             {150, true, 3, {80, 90, -1}},
    };
    for (const auto& c : cases) {
        int e[5] = {};
        ASSERT_EQ(StatusPartEdges(c.width, c.browser, e), c.parts);
        for (int i = 0; i < c.parts; ++i)
            EXPECT_EQ(e[i], c.edges[i]) << (c.browser ? "browser" : "viewer") << " width " << c.width << " part " << i;
    }
}

TEST(Accelerators, ListTreeAndEditFieldsKeepTheirKeys) {
    const unsigned kLeft = 0x25;
    const struct { bool key_down; unsigned vk; bool ctrl; const char* focus; bool page_box; bool skip; } cases[] = {
        {true, kLeft, false, "SysListView32", false, true},
        {true, kLeft, false, "systreeview32", false, true},  // the class compares without case
        {true, 0x21, false, "SysListView32", false, true},   // Page Up .. Down arrow
        {true, 0x28, false, "SysListView32", false, true},
        {true, kLeft, true, "SysListView32", false, false},  // Ctrl+Left is Previous again
        {true, 0x20, false, "SysListView32", false, false},  // Space plays
        {true, 0x2E, false, "SysListView32", false, false},  // Delete deletes
        {false, kLeft, false, "SysListView32", false, false},
        {true, kLeft, false, "LumoraMain", false, false},
        {false, 0, false, "Edit", false, true},  // a typed character (WM_CHAR)
        {true, 0xBB, false, "EDIT", false, true},
        {true, 0xBB, false, "EDIT", true, false},  // the page box takes accelerators
        {true, 0xBB, false, "", false, false},
    };
    for (const auto& c : cases) {
        KeyFacts f = {c.key_down, c.vk, c.ctrl, c.focus, c.page_box};
        EXPECT_EQ(SkipAccelerators(f), c.skip) << "key " << c.vk << (c.key_down ? " down" : " char") << " ctrl "
                                               << c.ctrl << " in \"" << c.focus << "\" page box " << c.page_box;
    }
}

// The picker takes the entry of the highest score: (width, bits, wanted size, display bits).
TEST(IconPicker, DepthOutweighsSizeAndWidthZeroIs256) {
    EXPECT_GT(IconEntryScore(32, 32, 32, 32), IconEntryScore(16, 32, 32, 32)) << "the wanted size";
    EXPECT_GT(IconEntryScore(32, 32, 32, 32), IconEntryScore(32, 8, 32, 32)) << "the display's depth";
    EXPECT_GT(IconEntryScore(16, 8, 32, 8), IconEntryScore(32, 4, 32, 8)) << "the display's depth at the wrong size wins";
    EXPECT_GT(IconEntryScore(0, 32, 256, 32), IconEntryScore(48, 32, 256, 32)) << "width 0 means 256";
    // A 16-bit shell and 32 x 32 images at 4, 8 and 24 bits: 8 and 24 tie, so the first listed wins.
    EXPECT_EQ(IconEntryScore(32, 4, 32, 16), 104);
    EXPECT_EQ(IconEntryScore(32, 8, 32, 16), 136);
    EXPECT_EQ(IconEntryScore(32, 24, 32, 16), 136);
}

// Facts: B browsing, I a picture shown, P a current path, U a parent folder,
// C file names on the clipboard, S an image selected, L an image in the list.
enum { B = 1, I = 2, P = 4, U = 8, C = 16, S = 32, L = 64 };
WindowFacts facts(int flags, int files = 0, int frames = 0, int selected = 0, int view = 0) {
    WindowFacts f = {};
    f.browse_mode = flags & B, f.image_shown = flags & I, f.has_current_path = flags & P;
    f.has_parent_folder = flags & U, f.clipboard_has_files = flags & C, f.selection_has_image = flags & S;
    f.list_has_image = flags & L, f.file_count = files, f.frame_count = frames, f.selected_count = selected;
    f.browse_view = view;
    return f;
}

// The rules that weigh more than one fact; the others hand one fact on. In
// the viewer a command's target is the picture shown, in the browser the
// selection, whatever picture is still open behind it.
TEST(CommandRules, EnablingFollowsTheMode) {
    const struct { EnableRule rule; WindowFacts facts; bool want; } cases[] = {
        {kEnabledAlways, facts(0), true},
        {kEnabledWithSeveralFiles, facts(I, 1), false},     {kEnabledWithSeveralFiles, facts(I, 2), true},
        {kEnabledWithSeveralFrames, facts(I, 1, 1), false}, {kEnabledWithSeveralFrames, facts(I, 1, 3), true},
        {kEnabledWithFiles, facts(I), false},               {kEnabledWithFiles, facts(0, 1), true},
        {kEnabledWithImageTarget, facts(0, 1), false},      {kEnabledWithImageTarget, facts(I), true},
        {kEnabledWithImageTarget, facts(B | I | L, 4, 1, 2), false}, {kEnabledWithImageTarget, facts(B | S, 4, 0, 2), true},
        {kEnabledWithAnyTarget, facts(I), true},            {kEnabledWithAnyTarget, facts(B | I | L, 4), false},
        {kEnabledWithAnyTarget, facts(B, 4, 0, 2), true},   {kEnabledWithSlideShow, facts(I), true},
        {kEnabledWithSlideShow, facts(B | I, 4), false},    {kEnabledWithSlideShow, facts(B | L, 4), true},
        {kEnabledBrowsingNotThumbnails, facts(B), false},   {kEnabledBrowsingNotThumbnails, facts(B, 0, 0, 0, 4), true},
        {kEnabledBrowsingNotThumbnails, facts(I, 0, 0, 0, 4), false},
        {kEnabledWithPaste, facts(B | C), true},            {kEnabledWithPaste, facts(B), false},
        {kEnabledWithPaste, facts(I | C), false},           // file names mean nothing to the viewer
        {kEnabledWithRefresh, facts(0), false},             {kEnabledWithRefresh, facts(0, 1), true},  // a listed folder
        {kEnabledWithRefresh, facts(I | P), true},          {kEnabledWithParent, facts(B | U), true},
        {kEnabledWithParent, facts(U), false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsEnabled(c.rule, c.facts), c.want) << "rule " << c.rule << ", row " << &c - cases;
}

TEST(CommandRules, RadioMarks) {
    WindowFacts f = {};
    f.browse_view = 3;
    f.sort_key = 6;  // only the low two bits choose
    EXPECT_TRUE(IsChecked(kRadioBrowseView, 3, f) && !IsChecked(kRadioBrowseView, 0, f));
    EXPECT_TRUE(IsChecked(kRadioSortKey, 2, f));
    f.browse_view = 9;  // out of range marks Thumbnails
    EXPECT_TRUE(IsChecked(kRadioBrowseView, 0, f));
    EXPECT_TRUE(IsChecked(kCheckHideNonImages, 0, f)) << "checked while ShowAllFiles is off";
    const struct { int size, item; } thumbs[] = {{64, 0}, {65, 1}, {96, 1}, {97, 2}, {128, 2}, {129, 3}, {192, 3}};
    for (auto t : thumbs) {
        f.thumb_size = t.size;
        for (int item = 0; item < 4; ++item) EXPECT_EQ(IsChecked(kRadioThumbSize, item, f), item == t.item) << t.size;
    }
}
