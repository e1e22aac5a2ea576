// The file listing's pieces: the header probe against other writers' files
// and hand-made headers, thousands grouping, the names and the line format.
#include <gtest/gtest.h>

#include "browser/listing_pure.h"
#include "core/header_probe.h"
#include "core/loader.h"
#include "tests/support/bytes.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

// ImageMagick's, netpbm's, Pillow's and exiftool's files: the probe's size is
// the decoder's (the JPEGs carry EXIF and progressive markers before the frame).
TEST(Listing, ProbeAgreesWithTheDecoderOnOtherWritersFiles) {
    for (const char* name : {"im24-a.bmp", "im8v5-b.bmp", "im1-c.bmp", "stb-png-rgba.png", "stb-png-interlaced.png",
                             "stb-png-palette.png", "stb-gif-anim.gif", "stb-gif-one.gif", "stb-jpegprog.jpg",
                             "stb-jpeg420.jpg", "stb-jpeggray.jpg", "exif-MM-6.jpg", "exif-II-texts.jpg",
                             "webp-lossy.webp", "webp-alpha-lossless.webp", "webp-anim.webp"}) {
        std::vector<unsigned char> bytes = read_whole(data_path(name));
        Decoded d;
        d.image = load_image(data_path(name).c_str(), d.message);
        HeaderFacts facts;
        ASSERT_TRUE(d.image) << name;
        ASSERT_TRUE(probe_header_size(bytes.data(), bytes.size(), &facts)) << name;
        EXPECT_EQ(facts.width, d.image->width) << name;
        EXPECT_EQ(facts.height, d.image->height) << name;
    }
}

TEST(Listing, HeadersGiveSizeDepthAndWhatRotationWouldLose) {
    auto png = [](int depth, int colour) {
        std::vector<uint8_t> b = {137, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
        put32(b, 300, false);
        put32(b, 200, false);
        b.push_back((uint8_t)depth);
        b.push_back((uint8_t)colour);
        b.resize(33);
        return b;
    };
    auto bmp = [](int32_t height, int bits) {
        std::vector<uint8_t> b = {'B', 'M'};
        b.resize(18);
        put32(b, 640);
        put32(b, (uint32_t)height);
        put16(b, 1);
        put16(b, (uint32_t)bits);
        return b;
    };
    // SOI, an APP0 of 16 bytes, a DHT (0xC4: no frame), then a baseline frame.
    std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16};
    jpeg.resize(2 + 2 + 16);
    for (uint8_t byte : {0xFF, 0xC4, 0, 4, 0, 0, 0xFF, 0xC0, 0, 17, 8, 0, 48, 0, 64, 3}) jpeg.push_back(byte);
    jpeg.resize(jpeg.size() + 8);
    // A RIFF container of form WEBP whose first chunk is `tag` with `payload`.
    auto webp = [](const char* tag, std::vector<uint8_t> payload) {
        std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'};
        b.insert(b.end(), tag, tag + 4);
        put32(b, (uint32_t)payload.size());
        b.insert(b.end(), payload.begin(), payload.end());
        for (int i = 0; i < 4; ++i) b[4 + i] = (uint8_t)((b.size() - 8) >> (8 * i));
        return b;
    };
    std::vector<uint8_t> short_length = {0xFF, 0xD8, 0xFF, 0xE1, 0, 1, 0xFF, 0xC0, 0, 17, 8, 0, 48, 0, 64, 3, 0, 0};
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        bool found;
        HeaderFacts want;
    } cases[] = {
        {"PNG rgb", png(8, 2), true, {300, 200, 24, false}},
        {"PNG rgba", png(8, 6), true, {300, 200, 32, true}},
        {"PNG gray+alpha", png(8, 4), true, {300, 200, 16, true}},
        {"PNG rgb 16", png(16, 2), true, {300, 200, 48, true}},
        {"PNG palette", png(4, 3), true, {300, 200, 4, false}},
        {"PNG gray 1", png(1, 0), true, {300, 200, 1, false}},
        {"BMP top-down", bmp(-480, 24), true, {640, 480, 24, false}},
        {"BMP 32", bmp(480, 32), true, {640, 480, 32, true}},
        {"BMP height -2^31", bmp(INT32_MIN, 24), false, {}},
        {"GIF", {'G', 'I', 'F', '8', '7', 'a', 44, 1, 200, 0, 0xF4}, true, {300, 200, 5, false}},
        {"JPEG after APP0 and DHT", jpeg, true, {64, 48, 24, false}},
        {"JPEG segment length below 2", short_length, false, {}},
        {"JPEG without a frame", {0xFF, 0xD8, 0xFF, 0xD9, 0, 0, 0, 0, 0, 0, 0, 0}, false, {}},
        {"GIF of 10 bytes", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, false, {}},
        // Sides less one in 24 bits after the flags (0x10: alpha; 0x02: animation).
        {"WebP VP8X alpha", webp("VP8X", {0x12, 0, 0, 0, 0x2B, 0x01, 0, 0xC7, 0, 0}), true, {300, 200, 32, true}},
        {"WebP VP8X", webp("VP8X", {0x20, 0, 0, 0, 0x2B, 0x01, 0, 0xC7, 0, 0}), true, {300, 200, 24, false}},
        // Frame tag, start code, 14-bit sides whose top two bits scale.
        {"WebP VP8", webp("VP8 ", {0, 0, 0, 0x9D, 0x01, 0x2A, 0x2C, 0x41, 0xC8, 0x80}), true, {300, 200, 24, false}},
        {"WebP VP8 bad start", webp("VP8 ", {0, 0, 0, 0x9D, 0x01, 0x2B, 0x2C, 0x41, 0xC8, 0}), false, {}},
        // Sides less one in 14 bits each, then the alpha bit.
        {"WebP VP8L alpha", webp("VP8L", {0x2F, 0x2B, 0xC1, 0x31, 0x10}), true, {300, 200, 32, true}},
        {"WebP VP8L cut", webp("VP8L", {0x2F, 0x2B, 0xC1, 0x31}), false, {}},
        {"WebP other chunk first", webp("ALPH", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), false, {}},
        {"text", {'h', 'e', 'l', 'l', 'o'}, false, {}},
    };
    for (const auto& c : cases) {
        HeaderFacts got;
        ASSERT_EQ(probe_header_size(c.bytes.data(), c.bytes.size(), &got), c.found) << c.what;
        if (!c.found) continue;
        EXPECT_EQ(got.width, c.want.width) << c.what;
        EXPECT_EQ(got.height, c.want.height) << c.what;
        EXPECT_EQ(got.bits, c.want.bits) << c.what;
        EXPECT_EQ(got.alpha_or_deep, c.want.alpha_or_deep) << c.what;
    }
}

TEST(Listing, NumbersNamesAndLines) {
    EXPECT_EQ(format_thousands(1048576, ","), "1,048,576");
    EXPECT_EQ(format_thousands(1000, ""), "1.000") << "a dot when the locale has none";
    EXPECT_EQ(format_thousands(999, "'"), "999");
    EXPECT_EQ(format_thousands(4294967295u, "\xA0x"), "4\xA0" "294\xA0" "967\xA0" "295") << "the first character";
    const struct {
        int bits;
        const char* name;
    } depths[] = {{1, "BW"}, {4, "16"}, {8, "256"}, {15, "32K"}, {16, "64K"}, {24, "16M"}, {32, "16M"},
                  {48, "16M"}, {5, "256"}, {0, ""}, {-8, ""}};
    for (const auto& d : depths) EXPECT_STREQ(depth_name(d.bits), d.name) << d.bits;
    const struct {
        const char* path;
        const char* name;
    } formats[] = {{"C:\\a\\b.JPE", "jpeg"}, {"b.tif", "tiff"}, {"b.Dib", "bmp"}, {"b.ilbm", "iff"},
                   {"b.pgm", "pnm"}, {"x.y\\b.PCD", "PCD"}, {"x.y\\notes", ""}, {"b.wmf", "wmf"}, {"b.WebP", "webp"}};
    for (const auto& f : formats) EXPECT_EQ(listing_format_name(f.path), f.name) << f.path;
    EXPECT_EQ(image_properties(640, 480, 24, "a.jpg"), "640x480x16M jpeg");
    EXPECT_EQ(image_properties(0, 480, 24, "a.jpg"), "");
    const std::string long_name(250, 'n');
    EXPECT_EQ(listing_line(long_name, "1,024", ""), long_name + "         1,024  " + std::string(22, ' ') + "\r\n")
        << "long names are not cut";
}
