// The Resize dialog's arithmetic and the batch resize's output names, one
// table per rule with the edges; expected values worked out by hand.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "core/resize_rules.h"
#include "core/stb_adapter.h"

TEST(ResizeRules, FieldTextReadsDigitsOnly) {
    const struct { const char* text; int64_t value; } cases[] = {
        {"100", 100}, {"0", 0}, {"007", 7}, {"2147483648", 2147483648LL},
        {"9999999999", 9999999999LL},  // the edit's 10 digits pass INT_MAX
        {"999999999999999999", 999999999999999999LL},
        {"1000000000000000000", -1},  // 19 digits
        {"", -1}, {nullptr, -1}, {"12a", -1}, {" 1", -1}, {"-5", -1}, {"1.5", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resize_field_value(c.text), c.value) << "text " << (c.text ? c.text : "(null)");
}

TEST(ResizeRules, PercentAndSideRanges) {
    const struct { int64_t value; bool percent, side; } cases[] = {
        {-1, false, false},   {0, false, false},    {1, true, true},
        {3200, true, true},   {3201, false, true},  {20000, false, true},
        {20001, false, false}, {9999999999LL, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(resize_percent_valid(c.value), c.percent) << "percent " << c.value;
        EXPECT_EQ(resize_side_valid(c.value), c.side) << "side " << c.value;
    }
}

TEST(ResizeRules, LinkedSideRoundsHalfUpAndRefusesWhatCannotBeShown) {
    const struct { int64_t value; int ref_value, ref_other; bool linked; int other; } cases[] = {
        {400, 800, 600, true, 300},
        {3, 2, 1, true, 2},    // 1.5 goes up
        {1, 4, 2, true, 1},    // 0.5 goes up
        {1, 5, 2, true, 0},    // 0.4 goes down; OK refuses the 0 later
        {7, 3, 1, true, 2},    // 2.33
        {0, 800, 600, false, -7}, {-1, 800, 600, false, -7},
        {5, 0, 600, false, -7},   {5, 800, 0, false, -7},
        {2147483647, 1, 1, true, 2147483647},
        {2147483648LL, 1, 1, false, -7},
        {9999999999LL, 30000, 1, true, 333333},  // 333333.33
        {999999999999999999LL, 1, 30000, false, -7},
    };
    for (const auto& c : cases) {
        int other = -7;
        EXPECT_EQ(linked_side(c.value, c.ref_value, c.ref_other, &other), c.linked)
            << c.value << " of " << c.ref_value << " x " << c.ref_other;
        EXPECT_EQ(other, c.other) << c.value << " of " << c.ref_value << " x " << c.ref_other;
    }
}

TEST(ResizeRules, SizeFromPercentRoundsHalfUpWithOnePixelAtLeast) {
    const struct { int percent, w, h, out_w, out_h; } cases[] = {
        {100, 640, 480, 640, 480},
        {50, 3, 5, 2, 3},        // 1.5 and 2.5 go up
        {33, 100, 7, 33, 2},     // 2.31
        {1, 1, 1, 1, 1},         // 0.01: one pixel at least
        {1, 49, 50, 1, 1},       // 0.49 and 0.5
        {3200, 1000, 500, 32000, 16000},  // too wide for a picture: refused later
        {3200, 30000, 30000, 960000, 960000},
    };
    for (const auto& c : cases) {
        int w = 0, h = 0;
        size_from_percent(c.percent, c.w, c.h, &w, &h);
        EXPECT_EQ(w, c.out_w) << c.percent << "% of " << c.w << " x " << c.h;
        EXPECT_EQ(h, c.out_h) << c.percent << "% of " << c.w << " x " << c.h;
    }
}

TEST(ResizeRules, ResizedNamesKeepWritableExtensionsAndStayInTheirFolder) {
    const std::string stem247 = "C:\\" + std::string(244, 'a');  // 247 characters
    const struct { std::string path, out; int format; } cases[] = {  // out "": refused
        {"C:\\pics\\cat.JPEG", "C:\\pics\\cat_resized.JPEG", kSaveJpeg},
        {"C:\\pics\\cat.Bmp", "C:\\pics\\cat_resized.Bmp", kSaveBmp},
        {"C:\\pics\\cat.png", "C:\\pics\\cat_resized.png", kSavePng},
        {"C:\\pics\\cat.jpegs", "C:\\pics\\cat_resized.png", kSavePng},
        {"C:\\x.y\\scan.tar.gz", "C:\\x.y\\scan.tar_resized.png", kSavePng},
        {"C:\\x.y\\scan", "", 0},  // no extension: not C:\x_resized...
        {"C:/x.y/scan", "", 0},
        {"", "", 0},
        // A 255-character path with a long extension: only ".png" is carried over.
        {stem247 + ".abcdefg", stem247 + "_resized.png", kSavePng},
        {stem247 + "a.png", "", 0},  // 260 characters would come out
    };
    for (const auto& c : cases) {
        char out[260];
        memset(out, '#', sizeof out);
        int format = 0;
        bool made = resized_output_path(c.path.c_str(), out, sizeof out, &format);
        EXPECT_EQ(made, !c.out.empty()) << c.path;
        if (!made || c.out.empty()) continue;
        EXPECT_EQ(std::string(out), c.out) << c.path;
        EXPECT_EQ(format, c.format) << c.path;
    }
    // A short buffer is refused, not overrun (ASan watches).
    char small[16];
    int format = 0;
    EXPECT_FALSE(resized_output_path("C:\\pics\\cat.jpg", small, sizeof small, &format));
    EXPECT_TRUE(resized_output_path("c.jpg", small, sizeof small, &format));
    EXPECT_STREQ(small, "c_resized.jpg");
    // Conversions take the same dot.
    char out[260];
    EXPECT_TRUE(converted_output_path("C:\\x.y\\a.tar.PNG", kSaveJpeg, out, sizeof out));
    EXPECT_STREQ(out, "C:\\x.y\\a.tar.jpg");
    EXPECT_FALSE(converted_output_path("C:\\x.y\\scan", kSaveBmp, out, sizeof out));
}
