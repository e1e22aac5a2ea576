#include <gtest/gtest.h>

#include <set>

#include "viewer/layout_pure.h"
#include "viewer/menu_rules_pure.h"

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

TEST(IconPicker, SameDepthAndSizeWin) {
    EXPECT_EQ(IconEntryScore(32, 32, 32, 32), 1200);
    EXPECT_EQ(IconEntryScore(16, 32, 32, 32), 1000 - 16);
    EXPECT_EQ(IconEntryScore(32, 8, 32, 32), 200 - 8 * 24);
    EXPECT_EQ(IconEntryScore(0, 32, 32, 32), 1000 - 224);  // width 0 is 256
    // A 32-pixel 4-bit icon beats a 16-pixel one of the display's depth? No: depth matters more.
    EXPECT_GT(IconEntryScore(16, 8, 32, 8), IconEntryScore(32, 4, 32, 8));
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

TEST(MenuRules, NoIdHasTwoEnableRules) {
    MenuFacts f = {};
    MenuState s;
    ComputeMenuState(f, &s);
    std::set<int> seen;
    for (int i = 0; i < s.item_count; ++i) EXPECT_TRUE(seen.insert(s.items[i].id).second) << s.items[i].id;
    EXPECT_LT(s.item_count, kMaxMenuRules);
}

TEST(MenuRules, NothingOpen) {
    MenuFacts f = {};
    MenuState s;
    ComputeMenuState(f, &s);
    for (int id : {40007, 40002, 40020, 40024, 40080, 40085, 40010, 40013, 40070, 40069, 40004, 40003, 40029, 40025})
        EXPECT_EQ(MenuItemEnabledState(s, id), 0) << id;
    EXPECT_EQ(MenuItemEnabledState(s, 40001), -1);  // Open has no rule: always on
    EXPECT_EQ(MenuItemEnabledState(s, 40006), -1);
}

TEST(MenuRules, ViewerWithAnImage) {
    MenuFacts f = {};
    f.image_shown = true;
    f.file_count = 1;
    f.has_current_path = true;
    f.frame_count = 1;
    MenuState s;
    ComputeMenuState(f, &s);
    for (int id : {40007, 40002, 40062, 40024, 40003, 40030, 40004, 40066, 40029, 40025, 40068, 40050})
        EXPECT_EQ(MenuItemEnabledState(s, id), 1) << id;
    for (int id : {40010, 40070, 40069, 40104, 40039, 40118, 40133, 40130, 40138})
        EXPECT_EQ(MenuItemEnabledState(s, id), 0) << id;
    f.has_undo = true;  // after the first rotation
    f.file_count = 2;
    f.frame_count = 3;
    ComputeMenuState(f, &s);
    EXPECT_EQ(MenuItemEnabledState(s, 40069), 1);
    EXPECT_EQ(MenuItemEnabledState(s, 40011), 1);
    EXPECT_EQ(MenuItemEnabledState(s, 40072), 1);
    EXPECT_EQ(MenuItemEnabledState(s, 40067), 1);
}

TEST(MenuRules, BrowserTargetsAreTheSelection) {
    MenuFacts f = {};
    f.browse_mode = true;
    f.image_shown = true;  // a picture still open behind the browser does not count
    f.file_count = 4;
    MenuState s;
    ComputeMenuState(f, &s);
    EXPECT_EQ(MenuItemEnabledState(s, 40003), 0);
    EXPECT_EQ(MenuItemEnabledState(s, 40004), 0);
    EXPECT_EQ(MenuItemEnabledState(s, 40025), 0);  // no image among the files
    EXPECT_EQ(MenuItemEnabledState(s, 40039), 0);  // thumbnails view
    EXPECT_EQ(MenuItemEnabledState(s, 40138), 0);
    f.selected_count = 2;  // two folders, say
    f.list_has_image = true;
    f.browse_view = 4;
    f.clipboard_has_files = true;
    ComputeMenuState(f, &s);
    EXPECT_EQ(MenuItemEnabledState(s, 40003), 0);
    EXPECT_EQ(MenuItemEnabledState(s, 40004), 1);
    EXPECT_EQ(MenuItemEnabledState(s, 40131), 1);
    EXPECT_EQ(MenuItemEnabledState(s, 40025), 1);
    EXPECT_EQ(MenuItemEnabledState(s, 40039), 1);
    EXPECT_EQ(MenuItemEnabledState(s, 40118), 1);
    EXPECT_EQ(MenuItemEnabledState(s, 40133), 1);
    EXPECT_EQ(MenuItemEnabledState(s, 40138), 1);
    f.selection_has_image = true;
    ComputeMenuState(f, &s);
    EXPECT_EQ(MenuItemEnabledState(s, 40090), 1);
    EXPECT_EQ(MenuItemEnabledState(s, 40093), 1);
}

TEST(MenuRules, ChecksAndRadioMarks) {
    MenuFacts f = {};
    f.browse_view = 3;
    f.sort_key = 6;  // only the low two bits choose
    f.show_all_files = false;
    f.large_buttons = true;
    MenuState s;
    ComputeMenuState(f, &s);
    ASSERT_EQ(s.radio_count, 3);
    EXPECT_EQ(s.radios[0].chosen, 40035);
    EXPECT_EQ(s.radios[1].chosen, 40136);
    const struct { int size, item; } thumbs[] = {{64, 40100}, {65, 40101}, {96, 40101}, {128, 40102}, {192, 40103}};
    for (auto t : thumbs) {
        f.thumb_size = t.size;
        ComputeMenuState(f, &s);
        EXPECT_EQ(s.radios[2].chosen, t.item) << t.size;
        EXPECT_EQ(s.radios[2].first, 40100);
        EXPECT_EQ(s.radios[2].last, 40103);
    }
    bool hide_checked = false, large_checked = false, tree_checked = true;
    for (int i = 0; i < s.check_count; ++i) {
        if (s.checks[i].id == 40138) hide_checked = s.checks[i].checked;
        if (s.checks[i].id == 40026) large_checked = s.checks[i].checked;
        if (s.checks[i].id == 40037) tree_checked = s.checks[i].checked;
    }
    EXPECT_TRUE(hide_checked);
    EXPECT_TRUE(large_checked);
    EXPECT_FALSE(tree_checked);
}
