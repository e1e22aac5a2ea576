#include <gtest/gtest.h>

#include <initializer_list>

#include "viewer/layout_pure.h"
#include "viewer/command_rules_pure.h"

TEST(StatusParts, ViewerEdgesAtFourHundredAndAThousand) {
    int e[5];
    ASSERT_EQ(StatusPartEdges(400, false, e), 5);
    EXPECT_EQ(e[0], 60);
    EXPECT_EQ(e[1], 170);
    EXPECT_EQ(e[2], 240);
    EXPECT_EQ(e[3], 330);
    EXPECT_EQ(e[4], -1);
    ASSERT_EQ(StatusPartEdges(1000, false, e), 5);
    EXPECT_EQ(e[0], 640);
    EXPECT_EQ(e[1], 770);
    EXPECT_EQ(e[2], 840);
    EXPECT_EQ(e[3], 930);
    EXPECT_EQ(e[4], -1);
}

TEST(StatusParts, NarrowWindowsKeepPartsInOrder) {
    int e[5];
    StatusPartEdges(100, false, e);  // every edge raised above the one before
    EXPECT_EQ(e[0], 60);
    EXPECT_EQ(e[1], 70);
    EXPECT_EQ(e[2], 80);
    EXPECT_EQ(e[3], 90);
    StatusPartEdges(420, false, e);
    EXPECT_EQ(e[0], 60);
    EXPECT_EQ(e[1], 190);
    StatusPartEdges(419, false, e);
    EXPECT_EQ(e[0], 60);
}

TEST(StatusParts, BrowserHasThreeParts) {
    int e[5];
    ASSERT_EQ(StatusPartEdges(1000, true, e), 3);
    EXPECT_EQ(e[0], 770);
    EXPECT_EQ(e[1], 880);
    EXPECT_EQ(e[2], -1);
    StatusPartEdges(309, true, e);
    EXPECT_EQ(e[0], 80);
    EXPECT_EQ(e[1], 189);
    StatusPartEdges(150, true, e);
    EXPECT_EQ(e[1], 90);
    StatusPartEdges(310, true, e);
    EXPECT_EQ(e[0], 80);
}

TEST(Accelerators, ListAndTreeKeepTheirNavigationKeys) {
    KeyFacts f = {true, 0x25 /* Left */, false, "SysListView32", false};
    EXPECT_TRUE(SkipAccelerators(f));
    f.focus_class = "systreeview32";
    EXPECT_TRUE(SkipAccelerators(f));
    f.ctrl_held = true;  // Ctrl+Left is Previous again
    EXPECT_FALSE(SkipAccelerators(f));
    f.ctrl_held = false;
    for (unsigned vk : {0x21u, 0x22u, 0x23u, 0x24u, 0x26u, 0x27u, 0x28u}) {
        f.virtual_key = vk;
        EXPECT_TRUE(SkipAccelerators(f)) << vk;
    }
    f.virtual_key = 0x20;  // Space plays
    EXPECT_FALSE(SkipAccelerators(f));
    f.virtual_key = 0x2E;  // Delete deletes
    EXPECT_FALSE(SkipAccelerators(f));
    f.virtual_key = 0x25;
    f.key_down = false;
    EXPECT_FALSE(SkipAccelerators(f));
    f.key_down = true;
    f.focus_class = "LumoraMain";
    EXPECT_FALSE(SkipAccelerators(f));
}

TEST(Accelerators, EditFieldsKeepEveryKeyButThePageBox) {
    KeyFacts f = {false, 0, false, "Edit", false};  // a typed character (WM_CHAR)
    EXPECT_TRUE(SkipAccelerators(f));
    f.focus_class = "EDIT";
    f.key_down = true;
    f.virtual_key = 0xBB;  // plus on the main keyboard
    EXPECT_TRUE(SkipAccelerators(f));
    f.focus_is_page_box = true;
    EXPECT_FALSE(SkipAccelerators(f));
    f.focus_class = "";
    f.focus_is_page_box = false;
    EXPECT_FALSE(SkipAccelerators(f));
}

TEST(IconPicker, DepthOutweighsSizeAndWidthZeroIs256) {
    // Entries of one group as the picker sees them: width, bits.
    struct Entry { int width, bits; };
    auto best = [](std::initializer_list<Entry> entries, int size, int display_bits) {
        int best = -1, best_score = 0, i = 0;
        for (Entry e : entries) {
            int score = IconEntryScore(e.width, e.bits, size, display_bits);
            if (best < 0 || score > best_score) best = i, best_score = score;
            ++i;
        }
        return best;
    };
    EXPECT_EQ(best({{16, 32}, {32, 8}, {32, 32}}, 32, 32), 2);
    EXPECT_EQ(best({{32, 4}, {16, 8}}, 32, 8), 1) << "the display's depth at the wrong size wins";
    EXPECT_EQ(best({{48, 32}, {0, 32}}, 256, 32), 1) << "width 0 means 256";
    EXPECT_EQ(best({{32, 32}, {32, 32}}, 32, 32), 0) << "the first of equals";
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

namespace {

WindowFacts viewer_with_image() {
    WindowFacts f = {};
    f.image_shown = true;
    f.file_count = 1;
    f.frame_count = 1;
    f.has_current_path = true;
    return f;
}

}  // namespace

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
