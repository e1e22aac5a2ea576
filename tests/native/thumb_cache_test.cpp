#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "browser/thumb_cache_pure.h"

TEST(ThumbCacheName, HashFoldsAsciiCapitalsOnlyAndNamesFitPaths) {
    EXPECT_EQ(thumb_path_hash("C:\\Photos\\A.JPG"), 0x686b3773u);
    EXPECT_EQ(thumb_path_hash("c:\\photos\\a.jpg"), 0x686b3773u);
    EXPECT_EQ(thumb_path_hash(""), 0x811C9DC5u);  // the offset basis
    EXPECT_EQ(thumb_path_hash("a"), 0xE40C292Cu);  // the published one-byte value
    // Bytes above 127 are not folded: an upper-case A-umlaut is not its lower-case twin.
    EXPECT_NE(thumb_path_hash("\xC4.jpg"), thumb_path_hash("\xE4.jpg"));
    EXPECT_NE(thumb_path_hash("@"), thumb_path_hash("`"));  // neighbours of the capitals stay

    char name[260];
    ASSERT_TRUE(thumb_cache_file_name("T:\\LumoraThumb\\", 0x686b3773u, 96, name, sizeof name));
    EXPECT_STREQ(name, "T:\\LumoraThumb\\686b3773_96.tmb");
    ASSERT_TRUE(thumb_cache_file_name("", 0xAu, 192, name, sizeof name));
    EXPECT_STREQ(name, "0000000a_192.tmb");
    // "xxxxxxxx_96.tmb" is 15 bytes: a folder of 244 makes 259, of 245 makes 260.
    EXPECT_TRUE(thumb_cache_file_name(std::string(244, 'f').c_str(), 1, 96, name, sizeof name));
    EXPECT_EQ(strlen(name), 259u);
    EXPECT_FALSE(thumb_cache_file_name(std::string(245, 'f').c_str(), 1, 96, name, sizeof name));
}

TEST(ThumbCacheHeader, RoundTripAndEachMismatchRejected) {
    const ThumbStamp stamp = {0x89ABCDEFu, 0x01D2A3B4u, 123456u, 96};
    uint8_t header[kThumbHeaderBytes];
    thumb_header_pack(stamp, header);
    const uint8_t expected[kThumbHeaderBytes] = {'T', 'M', 'B', '2', 0xEF, 0xCD, 0xAB, 0x89, 0xB4, 0xA3,
                                                 0xD2, 0x01, 0x40, 0xE2, 0x01, 0x00, 96,   0,    0,    0};
    EXPECT_EQ(memcmp(header, expected, sizeof header), 0) << "little-endian fields after TMB2";
    EXPECT_TRUE(thumb_header_fits(header, sizeof header, stamp));
    EXPECT_FALSE(thumb_header_fits(header, 19, stamp)) << "short read";
    const struct { const char* what; ThumbStamp other; int byte; } cases[] = {
        {"magic of the files made before colour profiles", stamp, 3},
        {"time low", {stamp.time_low + 1, stamp.time_high, stamp.file_size, 96}, -1},
        {"time high", {stamp.time_low, stamp.time_high + 1, stamp.file_size, 96}, -1},
        {"size", {stamp.time_low, stamp.time_high, stamp.file_size + 1, 96}, -1},
        {"edge", {stamp.time_low, stamp.time_high, stamp.file_size, 128}, -1},
    };
    for (const auto& c : cases) {
        uint8_t changed[kThumbHeaderBytes];
        memcpy(changed, header, sizeof changed);
        if (c.byte >= 0) changed[c.byte] = '1';
        EXPECT_FALSE(thumb_header_fits(changed, sizeof changed, c.other)) << c.what << " differs, yet accepted";
    }
}

TEST(ThumbCachePlacement, TheRectangleInTheSquare) {
    const struct { int w, h, edge, left, top, dw, dh; } cases[] = {
        {50, 20, 96, 23, 38, 50, 20},     // small: not enlarged, centred
        {1000, 10, 64, 0, 31, 64, 1},     // 0.64 high truncated, raised to 1
        {10, 1000, 64, 31, 0, 1, 64},
        {4000, 3000, 96, 0, 12, 96, 72},  // wider than high
        {300, 299, 96, 0, 0, 96, 95},     // 299 * 0.32 = 95.68, truncated
        {97, 96, 96, 0, 0, 96, 95},       // 96/97 * 96 = 95.01
        {1, 1, 192, 95, 95, 1, 1},
        {96, 96, 96, 0, 0, 96, 96},
    };
    for (const auto& c : cases) {
        ThumbPlacement p = thumb_placement(c.w, c.h, c.edge);
        EXPECT_TRUE(p.left == c.left && p.top == c.top && p.width == c.dw && p.height == c.dh)
            << c.w << "x" << c.h << " at " << c.edge << ": expected (" << c.left << "," << c.top << ") " << c.dw
            << "x" << c.dh << ", got (" << p.left << "," << p.top << ") " << p.width << "x" << p.height;
    }
}
