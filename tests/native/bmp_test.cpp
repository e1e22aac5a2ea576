// The BMP reader on files built here, for what no encoder writes on purpose:
// cut short, damaged headers, odd palettes. Independent encoders' files are
// in the corpus manifest.
#include <gtest/gtest.h>
#include <string.h>

#include "core/bmp.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

Decoded* decode(const std::vector<uint8_t>& bytes, Decoded* out) {
    out->image = decode_bmp(bytes.data(), bytes.size(), out->message);
    return out;
}

std::vector<uint8_t> bmp(BmpLayout s, const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> b = bmp_headers(s);
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// A 24-bit picture whose pixel (x, y) is blue x, green y, red x + y; the
// row padding is not zero, as writers may leave it.
std::vector<uint8_t> gradient_bmp(int w, int h, bool top_down) {
    BmpLayout s{w, top_down ? -h : h};
    std::vector<uint8_t> b = bmp_headers(s);
    for (int stored = 0; stored < h; ++stored) {
        int y = top_down ? stored : h - 1 - stored;
        size_t start = b.size();
        for (int x = 0; x < w; ++x) b.insert(b.end(), {(uint8_t)x, (uint8_t)y, (uint8_t)(x + y)});
        b.resize(start + bmp_row_bytes(s), 0xEE);
    }
    return b;
}

bool pixel_is(const Image* image, int x, int y, int blue, int green, int red) {
    const uint8_t* p = image_row(image, y) + 3 * x;
    return p[0] == blue && p[1] == green && p[2] == red;
}

}  // namespace

TEST(Bmp, PixelDataCutShortKeepsTheRowsThatArrived) {
    // Bottom-up, the rows that come last in the file are the top of the picture.
    for (bool top_down : {false, true}) {
        std::vector<uint8_t> b = gradient_bmp(5, 4, top_down);
        b.resize(b.size() - 16 - 8);  // one whole row gone and part of another
        Decoded d;
        ASSERT_NE(decode(b, &d)->image, nullptr) << d.message;
        EXPECT_STREQ(d.message, "");
        for (int y = 0; y < 4; ++y) {
            bool arrived = (top_down ? y : 3 - y) < 2;
            for (int x = 0; x < 5; ++x)
                EXPECT_TRUE(arrived ? pixel_is(d.image, x, y, x, y, x + y) : pixel_is(d.image, x, y, 0, 0, 0))
                    << x << "," << y << (top_down ? " top-down" : " bottom-up");
        }
        // From its file the rows go straight into the picture: the same picture.
        Decoded from_file;
        from_file.image = read_bmp(write_scratch(top_down ? "cut-td.bmp" : "cut-bu.bmp", b).c_str(), from_file.message);
        EXPECT_TRUE(same_picture(from_file.image, d.image)) << from_file.message;
    }
}

TEST(Bmp, EveryTruncationFailsWithItsMessageOrKeepsTheDecodedPart) {
    // BmpLayout{width, height, bits, compression, colours used, header size, palette entries}
    std::vector<uint8_t> full = bmp(BmpLayout{3, 3, 8, 0, 4, 40, 4}, {1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0});
    for (size_t cut = 0; cut <= full.size(); ++cut) {
        Decoded d;
        decode(std::vector<uint8_t>(full.begin(), full.begin() + cut), &d);
        const char* want = cut < 14 ? kMsgBmpBadHeader : cut < 54 ? kMsgBmpNoInfo : cut < 70 ? kMsgBmpNoPalette : "";
        EXPECT_STREQ(d.message, want) << "cut at " << cut;
        EXPECT_EQ(d.image != nullptr, cut >= 70) << "cut at " << cut;
    }
}

TEST(Bmp, HeaderFailuresCarryTheirMessages) {
    const struct { BmpLayout layout; const char* message; } cases[] = {
        {{2, 2, 8, 1}, kMsgBmpCompressed}, {{2, 2, 32, 3}, kMsgBmpCompressed},      {{2, 2, 16}, kMsgBmpBadDepth},
        {{2, 2, 2}, kMsgBmpBadDepth},      {{40000, 2}, kMsgNoMemory},             {{0, 2}, kMsgNoMemory},
        {{2, -30001}, kMsgNoMemory},       {{2, -2147483647 - 1}, kMsgNoMemory},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> b = bmp_headers(c.layout);
        b.resize(b.size() + 64, 0);
        Decoded d;
        EXPECT_EQ(decode(b, &d)->image, nullptr) << c.layout.width << "x" << c.layout.height << "x" << c.layout.bits;
        EXPECT_STREQ(d.message, c.message) << c.layout.width << "x" << c.layout.height << "x" << c.layout.bits;
    }
    std::vector<uint8_t> magic = gradient_bmp(2, 2, false);
    magic[1] = 'A';
    Decoded d;
    EXPECT_EQ(decode(magic, &d)->image, nullptr);
    EXPECT_STREQ(d.message, kMsgBmpBadHeader);
}

// Palette entry i of the builder is blue i, green 2i, red 3i; each case's one row, blue green red.
TEST(Bmp, PaletteEdges) {
    const struct { const char* what; BmpLayout layout; std::vector<uint8_t> pixels, row; } cases[] = {
        {"300 colours declared: 256 read", {2, 1, 8, 0, 300, 40, 256}, {255, 7, 0, 0}, {255, 254, 253, 7, 14, 21}},
        {"beyond the two entries black, the high nibble left", {3, 1, 4, 0, 2, 40, 2}, {0x1F, 0, 0, 0},
         {1, 2, 3, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Decoded d;
        ASSERT_NE(decode(bmp(c.layout, c.pixels), &d)->image, nullptr) << c.what << ": " << d.message;
        const uint8_t* row = image_row(d.image, 0);
        EXPECT_EQ(std::vector<uint8_t>(row, row + c.row.size()), c.row) << c.what;
    }
}
