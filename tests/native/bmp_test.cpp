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
        // BmpLayout{width, height, bits, compression, colours used, header size}
        {{2, -2, 8, 1}, kMsgBmpCompressed},  // RLE rows are bottom-up only
        {{2, 2, 4, 1}, kMsgBmpCompressed},   // RLE8 of 4-bit pixels
        {{2, 2, 24, 3}, kMsgBmpCompressed},  // bit fields of 24 bits
        {{2, 2, 16, 3, 0, 64}, kMsgBmpCompressed},  // OS/2 2.x: compression 3 is Huffman there
        {{2, 2, 8, 4}, kMsgBmpCompressed},   // RLE24
        {{2, 2, 8, 5}, kMsgBmpCompressed},   // PNG inside
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

namespace {

// A bitmap whose pixels are palette indexes (top row first) as the builder's palette gives them.
std::vector<uint8_t> from_indexes(const std::vector<std::vector<int>>& rows) {
    std::vector<uint8_t> rgb;
    for (const auto& row : rows)
        for (int i : row) rgb.insert(rgb.end(), {(uint8_t)(3 * i), (uint8_t)(2 * i), (uint8_t)i});
    return rgb;
}

std::vector<uint8_t> rgb_of(const Image* image) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
            for (int c = 2; c >= 0; --c) rgb.push_back(image_row(image, y)[3 * x + c]);
    return rgb;
}

// Bit fields after a 40-byte header.
std::vector<uint8_t> fields_bmp(int w, int h, int bits, std::vector<uint32_t> masks, const std::vector<uint8_t>& px) {
    std::vector<uint8_t> b = bmp_headers(BmpLayout{w, h, (uint16_t)bits, 3, 0, 40, 0});
    b[10] += 12;  // the pixels follow the masks
    for (uint32_t m : masks) put32(b, m);
    b.insert(b.end(), px.begin(), px.end());
    return b;
}

// An OS/2 1.x bitmap: 12-byte header, `entries` 3-byte palette entries (i, 2i, 3i).
std::vector<uint8_t> core_bmp(int w, int h, int bits, int entries, const std::vector<uint8_t>& px) {
    std::vector<uint8_t> b = {'B', 'M'};
    put32(b, 0);
    put32(b, 0);
    put32(b, 26 + 3 * entries);
    put32(b, 12);
    put16(b, w);
    put16(b, h);
    put16(b, 1);
    put16(b, bits);
    for (int i = 0; i < entries; ++i) b.insert(b.end(), {(uint8_t)i, (uint8_t)(2 * i), (uint8_t)(3 * i)});
    b.insert(b.end(), px.begin(), px.end());
    return b;
}

}  // namespace

// Escapes and damage no encoder writes on purpose: runs past the end of a
// row, jumps out of the picture, data cut inside a literal group, odd masks.
TEST(Bmp, RleBitFieldsAndCoreHeaders) {
    auto rle = [](int w, int h, int bits, std::vector<uint8_t> codes) {
        return bmp(BmpLayout{w, h, (uint16_t)bits, bits == 8 ? 1u : 2u, 16, 40, 16}, codes);
    };
    const struct { const char* what; std::vector<uint8_t> file, want; } cases[] = {
        {"a run past the row's end is cut, not wrapped; unset pixels palette entry 0",
         rle(4, 2, 8, {6, 1, 0, 0, 0, 1}), from_indexes({{0, 0, 0, 0}, {1, 1, 1, 1}})},
        {"a jump right and up, then one out of the picture ends it", rle(4, 3, 8, {1, 2, 0, 2, 2, 1, 1, 3, 0, 2, 0, 5, 1, 4}),
         from_indexes({{0, 0, 0, 0}, {0, 0, 0, 3}, {2, 0, 0, 0}})},
        {"a literal group cut short keeps what is there", rle(4, 1, 8, {0, 4, 5, 6}), from_indexes({{5, 6, 0, 0}})},
        {"RLE4: two indexes alternate, odd literals are padded", rle(5, 2, 4, {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1}),
         from_indexes({{3, 4, 5, 0, 0}, {1, 2, 1, 2, 1}})},
        {"4-4-4 fields widen to the full range, a zero mask gives 0",
         fields_bmp(2, 1, 16, {0xF00, 0xF0, 0}, {0x80, 0x0F, 0xFF, 0xFF}), {255, 136, 0, 255, 255, 0}},
        {"5-6-5: 16 of 31 rounds to 132", fields_bmp(1, 1, 16, {0xF800, 0x7E0, 0x1F}, {0x00, 0x80, 0, 0}),
         {132, 0, 0}},
        {"10-bit fields keep their top 8 bits", fields_bmp(1, 1, 32, {0x3FF00000, 0xFFC00, 0x3FF}, {0xFF, 0x0B, 0x20, 0x2A}),
         {0xA8, 0, 0xFF}},
        {"16 bits without masks are 5-5-5", bmp(BmpLayout{1, 1, 16}, {0x1F, 0x7C, 0, 0}), {255, 0, 255}},
        {"OS/2: the palette fills the room before the pixels", core_bmp(3, 1, 4, 2, {0x01, 0x20, 0, 0}),
         {0, 0, 0, 3, 2, 1, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Decoded d;
        ASSERT_NE(decode(c.file, &d)->image, nullptr) << c.what << ": " << d.message;
        EXPECT_EQ(rgb_of(d.image), c.want) << c.what;
    }
    auto cut = [](std::vector<uint8_t> b, size_t n) {
        b.resize(n);
        return b;
    };
    const struct { const char* what; std::vector<uint8_t> file; const char* message; } refused[] = {
        {"a mask with a gap", fields_bmp(1, 1, 16, {0xF0F, 0xF0, 0}, {0, 0, 0, 0}), kMsgBmpCompressed},
        {"masks cut off", cut(fields_bmp(1, 1, 16, {1, 2, 4}, {}), 60), kMsgBmpNoInfo},
        {"a core header cut short", cut(core_bmp(3, 1, 24, 0, {}), 24), kMsgBmpNoInfo},
    };
    for (const auto& c : refused) {
        Decoded d;
        EXPECT_EQ(decode(c.file, &d)->image, nullptr) << c.what;
        EXPECT_STREQ(d.message, c.message) << c.what;
    }
}

// Independent writers' variants cut at every eighth byte: a picture of the
// file's sides or a message, never a read past the end (the sanitizer sees one).
TEST(Bmp, VariantsCutShort) {
    for (const char* name : {"bmv-rle4-a.bmp", "bmv-rle8-a.bmp", "bmv-im-rle8-a.bmp", "bmv-im-os2-4-a.bmp",
                             "bmv-565-40-a.bmp", "bmv-1010-small.bmp"}) {
        std::vector<uint8_t> file = read_whole(data_path(name));
        ASSERT_FALSE(file.empty()) << name;
        for (size_t n = 0; n < file.size(); n += 8) {
            Decoded d;
            decode(std::vector<uint8_t>(file.begin(), file.begin() + n), &d);
            if (d.image) {
                EXPECT_EQ(d.image->width, strstr(name, "small") ? 9 : 61) << name << " cut to " << n;
            } else {
                EXPECT_STRNE(d.message, "") << name << " cut to " << n;
            }
        }
    }
}
