#include <gtest/gtest.h>

#include <string>

#include "app/layout_pure.h"
#include "app/command_rules_pure.h"

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
}

TEST(SetupSwitches, FoundOnALowerCasedCopy) {
    EXPECT_EQ(FindSetupSwitch("/UNASSOC"), 2);
    EXPECT_EQ(FindSetupSwitch("lumora.exe /FileAssoc"), 1);
    EXPECT_EQ(FindSetupSwitch("/unassoc /fileassoc"), 1);  // fileassoc wins
    EXPECT_EQ(FindSetupSwitch("\"C:\\pics\\unassoc.bmp\""), 0);
    EXPECT_EQ(FindSetupSwitch(""), 0);
    std::string far(300, 'x');
    far += "/unassoc";  // beyond the 259 characters looked at
    EXPECT_EQ(FindSetupSwitch(far.c_str()), 0);
}

static WindowFacts viewer_with_image() {
    WindowFacts f = {};
    f.image_shown = true;
    f.file_count = 1;
    f.frame_count = 1;
    f.has_current_path = true;
    return f;
}

TEST(CommandRules, ViewerTargetsAreTheShownPicture) {
    WindowFacts none = {};
    for (EnableRule r : {kEnabledWithImage, kEnabledWithSeveralFiles, kEnabledWithImageTarget, kEnabledWithAnyTarget,
                         kEnabledWithSlideShow, kEnabledWithRefresh, kEnabledWithUndo, kEnabledBrowsing})
        EXPECT_FALSE(IsEnabled(r, none)) << r;
    EXPECT_TRUE(IsEnabled(kEnabledAlways, none));
    WindowFacts f = viewer_with_image();
    for (EnableRule r : {kEnabledWithImage, kEnabledWithImageTarget, kEnabledWithAnyTarget, kEnabledWithSlideShow,
                         kEnabledWithRefresh, kEnabledWithFiles})
        EXPECT_TRUE(IsEnabled(r, f)) << r;
    for (EnableRule r : {kEnabledWithSeveralFiles, kEnabledWithSeveralFrames, kEnabledWithUndo, kEnabledWithPaste,
                         kEnabledBrowsingNotThumbnails, kEnabledWithSelection})
        EXPECT_FALSE(IsEnabled(r, f)) << r;
    f.file_count = 2;
    f.frame_count = 3;
    f.has_undo = true;
    for (EnableRule r : {kEnabledWithSeveralFiles, kEnabledWithSeveralFrames, kEnabledWithUndo})
        EXPECT_TRUE(IsEnabled(r, f)) << r;
    WindowFacts listed = {};
    listed.file_count = 1;  // a folder listed, nothing open: Refresh still rescans it
    EXPECT_TRUE(IsEnabled(kEnabledWithRefresh, listed));
}

TEST(CommandRules, BrowserTargetsAreTheSelection) {
    WindowFacts f = viewer_with_image();  // a picture still open behind the browser does not count
    f.browse_mode = true;
    f.file_count = 4;
    for (EnableRule r : {kEnabledWithImageTarget, kEnabledWithAnyTarget, kEnabledWithSlideShow,
                         kEnabledBrowsingNotThumbnails, kEnabledWithPaste})
        EXPECT_FALSE(IsEnabled(r, f)) << r;
    f.selected_count = 2;  // two folders, say
    f.list_has_image = true;
    f.browse_view = 4;
    f.clipboard_has_files = true;
    for (EnableRule r : {kEnabledWithAnyTarget, kEnabledWithSelection, kEnabledWithSlideShow,
                         kEnabledBrowsingNotThumbnails, kEnabledWithPaste})
        EXPECT_TRUE(IsEnabled(r, f)) << r;
    EXPECT_FALSE(IsEnabled(kEnabledWithImageTarget, f));
    f.selection_has_image = true;
    EXPECT_TRUE(IsEnabled(kEnabledWithImageTarget, f));
    f.browse_mode = false;
    EXPECT_FALSE(IsEnabled(kEnabledWithPaste, f)) << "file names on the clipboard mean nothing to the viewer";
}

TEST(CommandRules, ChecksAndRadioMarks) {
    WindowFacts f = {};
    f.browse_view = 3;
    f.sort_key = 6;  // only the low two bits choose
    f.large_buttons = true;
    EXPECT_TRUE(IsChecked(kRadioBrowseView, 3, f));
    EXPECT_FALSE(IsChecked(kRadioBrowseView, 0, f));
    EXPECT_TRUE(IsChecked(kRadioSortKey, 2, f));
    f.browse_view = 9;  // out of range marks Thumbnails
    EXPECT_TRUE(IsChecked(kRadioBrowseView, 0, f));
    EXPECT_TRUE(IsChecked(kCheckHideNonImages, 0, f)) << "checked while ShowAllFiles is off";
    EXPECT_TRUE(IsChecked(kCheckLargeButtons, 0, f));
    EXPECT_FALSE(IsChecked(kCheckFolderTree, 0, f));
    const struct { int size, item; } thumbs[] = {{64, 0}, {65, 1}, {96, 1}, {97, 2}, {128, 2}, {129, 3}, {192, 3}};
    for (auto t : thumbs) {
        f.thumb_size = t.size;
        for (int item = 0; item < 4; ++item) EXPECT_EQ(IsChecked(kRadioThumbSize, item, f), item == t.item) << t.size;
    }
}
