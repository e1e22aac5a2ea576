// The settings table and its rules, without the registry.
#include <gtest/gtest.h>
#include <string.h>

#include <set>
#include <string>

#include "shell/settings_pure.h"

namespace {

const SettingDef& def(const char* name) {
    const SettingDef* d = find_setting(name);
    EXPECT_NE(d, nullptr) << name;
    static SettingDef none = {};
    return d ? *d : none;
}

int32_t rule(const char* name, int32_t stored) { return apply_setting_rule(def(name), stored); }

const char* const kFlags[] = {"LargeButtons", "FsToolbar",    "SlideLoop",    "SlideRandom", "ConfirmDel",
                              "RememberPos",  "ShowToolbar",  "ShowStatus",   "AlwaysTop",   "HideCursorFS",
                              "ExitAfterDel", "SlideReverse", "SlideAuto",    "StartLast",   "ShowAllFiles",
                              "ShowHidden",   "NoGifAnim",    "FolderTree",   "AddrBar"};

}  // namespace

TEST(SettingsTable, NamesOrderAndFieldsMatch) {
    // Load order is the order of the registry values as the program stores them.
    const char* const order[] = {"DefaultFit",  "LargeButtons", "SlideMs",      "FsToolbar",    "SlideLoop",
                                 "SlideRandom", "ThumbSize",    "ConfirmDel",   "RememberPos",  "JpegQ",
                                 "WinX",        "WinY",         "WinW",         "WinH",         "ShowToolbar",
                                 "ShowStatus",  "AlwaysTop",    "HideCursorFS", "ExitAfterDel", "SlideReverse",
                                 "SlideAuto",   "StartLast",    "ShowAllFiles", "ShowHidden",   "NoGifAnim",
                                 "BrowseView",  "FolderTree",   "AddrBar"};
    ASSERT_EQ(sizeof order / sizeof order[0], (size_t)kSettingCount);
    std::set<size_t> offsets;
    for (int i = 0; i < kSettingCount; ++i) {
        EXPECT_STREQ(kSettingDefs[i].name, order[i]) << "row " << i;
        offsets.insert(kSettingDefs[i].offset);
    }
    EXPECT_EQ(offsets.size(), (size_t)kSettingCount) << "two rows share a field";

    // Each row reaches the field of its own name.
    Settings s;
    memset(&s, 0, sizeof s);
    *setting_field(&s, def("JpegQ")) = 55;
    *setting_field(&s, def("WinH")) = 321;
    *setting_field(&s, def("AddrBar")) = 1;
    *setting_field(&s, def("DefaultFit")) = 7;
    EXPECT_EQ(s.JpegQ, 55);
    EXPECT_EQ(s.WinH, 321);
    EXPECT_EQ(s.AddrBar, 1);
    EXPECT_EQ(s.DefaultFit, 7);
    EXPECT_EQ(setting_value(s, def("WinH")), 321);
    EXPECT_EQ(find_setting("jpegq"), nullptr);
    EXPECT_EQ(find_setting("Nope"), nullptr);
}

TEST(SettingsTable, OnlyTheRectangleIsLeftToThePlacementSave) {
    std::set<std::string> rect;
    for (const SettingDef& d : kSettingDefs)
        if (d.window_rect) rect.insert(d.name);
    EXPECT_EQ(rect, (std::set<std::string>{"WinX", "WinY", "WinW", "WinH"}));
}

TEST(SettingsDefaults, EveryField) {
    Settings s;
    memset(&s, 0x5A, sizeof s);
    settings_set_defaults(&s);
    EXPECT_EQ(s.DefaultFit, 2);
    EXPECT_EQ(s.SlideMs, 4000);
    EXPECT_EQ(s.ThumbSize, 96);
    EXPECT_EQ(s.JpegQ, 90);
    EXPECT_EQ(s.ConfirmDel, 1);
    EXPECT_EQ(s.ShowToolbar, 1);
    EXPECT_EQ(s.ShowStatus, 1);
    EXPECT_EQ(s.SlideAuto, 1);
    EXPECT_EQ(s.BrowseView, 0);
    EXPECT_EQ(s.WinX, 0);
    EXPECT_EQ(s.WinY, 0);
    EXPECT_EQ(s.WinW, 0);
    EXPECT_EQ(s.WinH, 0);
    for (const char* name : kFlags) {
        bool on = !strcmp(name, "ConfirmDel") || !strcmp(name, "ShowToolbar") || !strcmp(name, "ShowStatus") ||
                  !strcmp(name, "SlideAuto");
        EXPECT_EQ(setting_value(s, def(name)), on ? 1 : 0) << name;
    }
    // The defaults pass their own rules unchanged.
    Settings ruled = s;
    settings_apply_rules(&ruled);
    EXPECT_EQ(memcmp(&ruled, &s, sizeof s), 0);
}

TEST(SettingsRules, SlideDelayEdges) {
    EXPECT_EQ(rule("SlideMs", 999), 4000) << "too short becomes the default, not the minimum";
    EXPECT_EQ(rule("SlideMs", 1000), 1000);
    EXPECT_EQ(rule("SlideMs", 0), 4000);
    EXPECT_EQ(rule("SlideMs", -1), 4000) << "0xFFFFFFFF is a negative delay";
    EXPECT_EQ(rule("SlideMs", 600000), 600000);
    EXPECT_EQ(rule("SlideMs", 600001), 600000);
    EXPECT_EQ(rule("SlideMs", INT32_MAX), 600000);
}

TEST(SettingsRules, ThumbSizeIsOneOfFour) {
    for (int32_t ok : {64, 96, 128, 192}) EXPECT_EQ(rule("ThumbSize", ok), ok);
    for (int32_t bad : {100, 0, -64, 63, 65, 127, 191, 193, 256}) EXPECT_EQ(rule("ThumbSize", bad), 96) << bad;
}

TEST(SettingsRules, JpegQualityEdges) {
    EXPECT_EQ(rule("JpegQ", 0), 90);
    EXPECT_EQ(rule("JpegQ", 1), 1);
    EXPECT_EQ(rule("JpegQ", 100), 100);
    EXPECT_EQ(rule("JpegQ", 101), 90);
    EXPECT_EQ(rule("JpegQ", -5), 90);
}

TEST(SettingsRules, FitAndViewModes) {
    EXPECT_EQ(rule("DefaultFit", 0), 0);
    EXPECT_EQ(rule("DefaultFit", 2), 2);
    EXPECT_EQ(rule("DefaultFit", 3), 2);
    EXPECT_EQ(rule("DefaultFit", -1), 2);
    EXPECT_EQ(rule("BrowseView", 4), 4);
    EXPECT_EQ(rule("BrowseView", 5), 0);
    EXPECT_EQ(rule("BrowseView", -1), 0);
}

TEST(SettingsRules, FlagsAndUncheckedValues) {
    for (const char* name : kFlags) {
        EXPECT_EQ(rule(name, 0), 0) << name;
        EXPECT_EQ(rule(name, 1), 1) << name;
        EXPECT_EQ(rule(name, 7), 1) << name;
        EXPECT_EQ(rule(name, -1), 1) << name;
        EXPECT_EQ(rule(name, INT32_MIN), 1) << name;
    }
    for (const char* name : {"WinX", "WinY", "WinW", "WinH"}) {
        EXPECT_EQ(rule(name, -32000), -32000) << name;
        EXPECT_EQ(rule(name, 123456), 123456) << name;
    }
}

TEST(SettingsRules, WholeRecord) {
    Settings s;
    settings_set_defaults(&s);
    s.SlideMs = 999;
    s.ThumbSize = 100;
    s.JpegQ = 101;
    s.DefaultFit = 3;
    s.AlwaysTop = 42;
    s.WinW = 5;
    settings_apply_rules(&s);
    EXPECT_EQ(s.SlideMs, 4000);
    EXPECT_EQ(s.ThumbSize, 96);
    EXPECT_EQ(s.JpegQ, 90);
    EXPECT_EQ(s.DefaultFit, 2);
    EXPECT_EQ(s.AlwaysTop, 1);
    EXPECT_EQ(s.WinW, 5);
}

TEST(StartupWindowRect, SizeThresholds) {
    Settings s;
    settings_set_defaults(&s);
    StartupRect r;

    EXPECT_FALSE(startup_window_rect(s, &r)) << "no key: default window";
    EXPECT_TRUE(r.use_default_position);
    EXPECT_EQ(r.width, 720);
    EXPECT_EQ(r.height, 540);

    s.RememberPos = 1;
    s.WinX = 10;
    s.WinY = 20;
    s.WinW = 200;
    s.WinH = 400;
    EXPECT_FALSE(startup_window_rect(s, &r)) << "width 200 is too small";
    EXPECT_EQ(r.width, 720);
    EXPECT_EQ(r.height, 540);
    EXPECT_TRUE(r.use_default_position);

    s.WinW = 400;
    s.WinH = 150;
    EXPECT_FALSE(startup_window_rect(s, &r)) << "height 150 is too small";

    s.WinW = 201;
    s.WinH = 151;
    EXPECT_TRUE(startup_window_rect(s, &r));
    EXPECT_FALSE(r.use_default_position);
    EXPECT_EQ(r.x, 10);
    EXPECT_EQ(r.y, 20);
    EXPECT_EQ(r.width, 201);
    EXPECT_EQ(r.height, 151);

    s.WinX = -5000;  // off screen is kept: the user's screens may have changed
    s.WinY = 9000;
    EXPECT_TRUE(startup_window_rect(s, &r));
    EXPECT_EQ(r.x, -5000);
    EXPECT_EQ(r.y, 9000);

    s.RememberPos = 0;
    EXPECT_FALSE(startup_window_rect(s, &r)) << "a good rectangle is ignored without RememberPos";
    EXPECT_EQ(r.width, 720);
}
