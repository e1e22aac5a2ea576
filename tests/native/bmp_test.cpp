#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "core/bmp.h"
#include "core/decode_message.h"
#include "core/loader.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

struct Decoded {
    Image* image = nullptr;
    char message[kMessageBytes] = "untouched";
    ~Decoded() { image_free(image); }
};

void decode(const std::vector<uint8_t>& bytes, Decoded* out) {
    out->image = decode_bmp(bytes.data(), bytes.size(), out->message);
}

// A bottom-up 24-bit picture whose every pixel is distinct: (x, y) has blue x,
// green y, red x + y.
std::vector<uint8_t> gradient_bmp(int w, int h, bool top_down) {
    BmpSpec s;
    s.width = w;
    s.height = top_down ? -h : h;
    std::vector<uint8_t> b = bmp_headers(s);
    for (int stored = 0; stored < h; ++stored) {
        int y = top_down ? stored : h - 1 - stored;
        size_t start = b.size();
        for (int x = 0; x < w; ++x) {
            b.push_back((uint8_t)x);
            b.push_back((uint8_t)y);
            b.push_back((uint8_t)(x + y));
        }
        b.resize(start + bmp_row_bytes(s), 0);
    }
    return b;
}

bool pixel_is(const Image* image, int x, int y, int blue, int green, int red) {
    const uint8_t* p = image_row(image, y) + 3 * x;
    return p[0] == blue && p[1] == green && p[2] == red;
}

}  // namespace

TEST(Bmp, IndependentEncodersDecodePixelExact) {
    std::string folder = LUMORA_TEST_DATA;
    std::vector<std::string> names = list_reference_bmps(folder);
    // Two encoders, five depths and the version 5 header, over three pictures.
    ASSERT_GE(names.size(), 33u) << "test data missing in " << folder;
    int depths_seen[33] = {};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::string path = folder + "/" + name;
        RefPicture ref;
        ASSERT_TRUE(read_ppm(path.substr(0, path.size() - 4) + ".ref.ppm", &ref));
        std::vector<unsigned char> bytes = read_whole(path);
        ASSERT_GT(bytes.size(), 30u);
        int bits = bytes[28];
        depths_seen[bits] = 1;
        char message[kMessageBytes];
        Image* image = load_image(path.c_str(), message);
        ASSERT_NE(image, nullptr) << message;
        EXPECT_STREQ(message, "");
        EXPECT_EQ(compare_with_reference(image, ref), "") << bits << " bits";
        image_free(image);
    }
    for (int bits : {1, 4, 8, 24, 32}) EXPECT_TRUE(depths_seen[bits]) << "no " << bits << "-bit file among the test data";
}

TEST(Bmp, TopDownAndBottomUpGiveTheSamePicture) {
    for (bool top_down : {false, true}) {
        Decoded d;
        decode(gradient_bmp(5, 4, top_down), &d);
        ASSERT_NE(d.image, nullptr) << d.message;
        EXPECT_STREQ(d.message, "");
        EXPECT_EQ(d.image->height, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_TRUE(pixel_is(d.image, x, y, x, y, x + y)) << x << "," << y;
    }
}

TEST(Bmp, PixelDataCutShortKeepsTheRowsThatArrived) {
    // Bottom-up: the rows that come last in the file are the top of the picture.
    for (bool top_down : {false, true}) {
        std::vector<uint8_t> b = gradient_bmp(5, 4, top_down);
        b.resize(b.size() - 16 - 8);  // one whole row gone and part of another
        Decoded d;
        decode(b, &d);
        ASSERT_NE(d.image, nullptr) << d.message;
        EXPECT_STREQ(d.message, "");
        for (int y = 0; y < 4; ++y) {
            int stored = top_down ? y : 3 - y;
            bool arrived = stored < 2;
            for (int x = 0; x < 5; ++x) {
                if (arrived) EXPECT_TRUE(pixel_is(d.image, x, y, x, y, x + y)) << x << "," << y;
                else EXPECT_TRUE(pixel_is(d.image, x, y, 0, 0, 0)) << x << "," << y << " should be black";
            }
        }
    }
}

TEST(Bmp, EveryTruncationFailsCleanlyOrKeepsTheDecodedPart) {
    BmpSpec s;
    s.width = 3;
    s.height = 3;
    s.bits = 8;
    s.colors_used = 4;
    s.palette_entries = 4;
    std::vector<uint8_t> full = bmp_headers(s);
    for (int row = 0; row < 3; ++row) full.insert(full.end(), {1, 2, 3, 0});
    for (size_t cut = 0; cut <= full.size(); ++cut) {
        std::vector<uint8_t> b(full.begin(), full.begin() + cut);
        Decoded d;
        decode(b, &d);
        const char* want = cut < 14 ? kMsgBmpBadHeader : cut < 54 ? kMsgBmpNoInfo : cut < 70 ? kMsgBmpNoPalette : "";
        EXPECT_STREQ(d.message, want) << "cut at " << cut;
        EXPECT_EQ(d.image != nullptr, cut >= 70) << "cut at " << cut;
    }
}

TEST(Bmp, HeaderFailuresCarryTheirMessages) {
    struct Case {
        const char* name;
        BmpSpec layout;
        const char* message;
    };
    BmpSpec rle;
    rle.bits = 8;
    rle.compression = 1;
    BmpSpec fields;
    fields.bits = 32;
    fields.compression = 3;
    BmpSpec sixteen;
    sixteen.bits = 16;
    BmpSpec two;
    two.bits = 2;
    BmpSpec wide;
    wide.width = 40000;
    BmpSpec zero_width;
    zero_width.width = 0;
    BmpSpec tall;
    tall.height = -30001;
    BmpSpec most_negative;
    most_negative.height = -2147483647 - 1;
    const Case cases[] = {
        {"rle8", rle, kMsgBmpCompressed},        {"bit fields", fields, kMsgBmpCompressed},
        {"16 bits", sixteen, kMsgBmpBadDepth},   {"2 bits", two, kMsgBmpBadDepth},
        {"40000 wide", wide, kMsgNoMemory},      {"0 wide", zero_width, kMsgNoMemory},
        {"30001 tall", tall, kMsgNoMemory},      {"height -2^31", most_negative, kMsgNoMemory},
    };
    for (const Case& c : cases) {
        Decoded d;
        std::vector<uint8_t> b = bmp_headers(c.layout);
        b.resize(b.size() + 64, 0);
        decode(b, &d);
        EXPECT_EQ(d.image, nullptr) << c.name;
        EXPECT_STREQ(d.message, c.message) << c.name;
    }
}

TEST(Bmp, ThreeByteFileIsABadHeader) {
    std::string path = write_scratch("three.bmp", {'B', 'M', 0});
    char message[kMessageBytes];
    EXPECT_EQ(load_image(path.c_str(), message), nullptr);
    EXPECT_STREQ(message, kMsgBmpBadHeader);
}

TEST(Bmp, WrongMagicIsABadHeader) {
    std::vector<uint8_t> b = gradient_bmp(2, 2, false);
    b[1] = 'A';
    Decoded d;
    decode(b, &d);
    EXPECT_EQ(d.image, nullptr);
    EXPECT_STREQ(d.message, kMsgBmpBadHeader);
}

TEST(Bmp, ColorsUsedAbove256ReadsOnly256Entries) {
    BmpSpec s;
    s.width = 2;
    s.height = 1;
    s.bits = 8;
    s.colors_used = 300;
    s.palette_entries = 256;  // a palette of 300 would not fit: reading 256 must succeed
    std::vector<uint8_t> b = bmp_headers(s);
    b.insert(b.end(), {255, 7, 0, 0});
    Decoded d;
    decode(b, &d);
    ASSERT_NE(d.image, nullptr) << d.message;
    EXPECT_TRUE(pixel_is(d.image, 0, 0, 255, (2 * 255) & 0xFF, (3 * 255) & 0xFF));
    EXPECT_TRUE(pixel_is(d.image, 1, 0, 7, 14, 21));
}

TEST(Bmp, IndicesBeyondThePaletteAreBlack) {
    BmpSpec s;
    s.width = 3;
    s.height = 1;
    s.bits = 4;
    s.colors_used = 2;
    s.palette_entries = 2;
    std::vector<uint8_t> b = bmp_headers(s);
    b.insert(b.end(), {0x1F, 0x00, 0, 0});  // indices 1, 15, 0
    Decoded d;
    decode(b, &d);
    ASSERT_NE(d.image, nullptr) << d.message;
    EXPECT_TRUE(pixel_is(d.image, 0, 0, 1, 2, 3));
    EXPECT_TRUE(pixel_is(d.image, 1, 0, 0, 0, 0));
    EXPECT_TRUE(pixel_is(d.image, 2, 0, 0, 0, 0));
}

TEST(Bmp, OneBitLeftmostPixelIsTheHighBit) {
    BmpSpec s;
    s.width = 10;
    s.height = 1;
    s.bits = 1;
    std::vector<uint8_t> b = bmp_headers(s);
    b.insert(b.end(), {0xA0, 0x40, 0, 0});  // 1010 0000 01
    Decoded d;
    decode(b, &d);
    ASSERT_NE(d.image, nullptr) << d.message;
    const int want[10] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    for (int x = 0; x < 10; ++x) EXPECT_TRUE(pixel_is(d.image, x, 0, want[x], 2 * want[x], 3 * want[x])) << x;
}

TEST(Bmp, ThirtyTwoBitsIgnoreTheFourthByte) {
    BmpSpec s;
    s.width = 2;
    s.height = 1;
    s.bits = 32;
    std::vector<uint8_t> b = bmp_headers(s);
    b.insert(b.end(), {1, 2, 3, 0xFF, 4, 5, 6, 0x00});
    Decoded d;
    decode(b, &d);
    ASSERT_NE(d.image, nullptr) << d.message;
    EXPECT_TRUE(pixel_is(d.image, 0, 0, 1, 2, 3));
    EXPECT_TRUE(pixel_is(d.image, 1, 0, 4, 5, 6));
}

TEST(Bmp, PaletteFollowsALargerInformationHeader) {
    // Version 5 headers are 124 bytes: the palette starts after them.
    BmpSpec s;
    s.width = 2;
    s.height = 1;
    s.bits = 8;
    s.colors_used = 3;
    s.palette_entries = 3;
    s.header_size = 124;
    std::vector<uint8_t> b = bmp_headers(s);
    b.insert(b.end(), {2, 1, 0, 0});
    Decoded d;
    decode(b, &d);
    ASSERT_NE(d.image, nullptr) << d.message;
    EXPECT_TRUE(pixel_is(d.image, 0, 0, 2, 4, 6));
    EXPECT_TRUE(pixel_is(d.image, 1, 0, 1, 2, 3));
}

TEST(Bmp, PixelOffsetPastTheEndGivesABlackPicture) {
    std::vector<uint8_t> b = gradient_bmp(3, 2, false);
    b[10] = 0xFF;
    b[11] = 0xFF;
    b[12] = 0xFF;
    b[13] = 0x7F;
    Decoded d;
    decode(b, &d);
    ASSERT_NE(d.image, nullptr) << d.message;
    EXPECT_TRUE(pixel_is(d.image, 1, 1, 0, 0, 0));
}

TEST(Bmp, MissingFileCannotBeOpened) {
    char message[kMessageBytes];
    EXPECT_EQ(read_bmp(scratch_path("no such file.bmp").c_str(), message), nullptr);
    EXPECT_STREQ(message, kMsgOpenFailed);
}
