// The Photo CD reader: packs built here, checked against the colour formula
// worked out in floating point, and a pack written by ImageMagick.
#include <gtest/gtest.h>

#include <math.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>

#include "core/loader.h"
#include "core/photo_cd.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

typedef std::vector<uint8_t> Bytes;

// A pack of `size` bytes with the signature, the orientation byte and a Base
// image whose luma and chroma bytes come from the functions given.
typedef std::function<uint8_t(size_t, size_t)> Bytes2d;

Bytes pack(size_t size, uint8_t orientation, Bytes2d luma, Bytes2d c1, Bytes2d c2) {
    Bytes b(size, 0);
    memcpy(b.data() + 2048, "PCD_IPI", 7);
    b[3586] = orientation;
    for (size_t g = 0; g < 256; ++g) {
        size_t at = 196608 + g * 2304;
        for (size_t x = 0; x < 768; ++x) {
            if (at + 768 + x < size) b[at + x] = luma(x, 2 * g), b[at + 768 + x] = luma(x, 2 * g + 1);
            if (x < 384 && at + 1920 + x < size) b[at + 1536 + x] = c1(x, g), b[at + 1920 + x] = c2(x, g);
        }
    }
    return b;
}

uint8_t luma_of(size_t x, size_t y) { return (uint8_t)(x * 7 + y * 13); }
uint8_t c1_of(size_t x, size_t g) { return (uint8_t)(x * 5 + g * 3 + 60); }
uint8_t c2_of(size_t x, size_t g) { return (uint8_t)(x * 11 + g + 90); }

// The conversion as real numbers: floor of the scaled sum, clamped.
uint8_t expected(double y, double c1, double c2, double ky, double k1, double k2) {
    double v = floor((ky * y + k1 * (c1 - 156) + k2 * (c2 - 137)) / 1024.0);
    return (uint8_t)(v < 0 ? 0 : v > 255 ? 255 : v);
}

}  // namespace

TEST(PhotoCd, BaseImageColoursFollowTheFormulaExactly) {
    Bytes b = pack(kPhotoCdBaseEnd, 0, luma_of, c1_of, c2_of);
    Decoded d;
    d.image = decode_photo_cd(b.data(), b.size(), d.message);
    ASSERT_TRUE(d.image) << d.message;
    ASSERT_EQ(d.image->width, 768);
    ASSERT_EQ(d.image->height, 512);
    int wrong = 0;
    for (size_t y = 0; y < 512; ++y)
        for (size_t x = 0; x < 768; ++x) {
            double Y = luma_of(x, y), c1 = c1_of(x / 2, y / 2), c2 = c2_of(x / 2, y / 2);
            const uint8_t* p = image_row(d.image, (int32_t)y) + 3 * x;
            uint8_t want[3] = {expected(Y, c1, c2, 1391, 2271, 0), expected(Y, c1, c2, 1391, -441, -949),
                               expected(Y, c1, c2, 1391, 0, 1865)};
            for (int c = 0; c < 3; ++c)
                if (p[c] != want[c] && ++wrong <= 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " byte " << c << ": " << (int)p[c] << ", want "
                                  << (int)want[c];
        }
    EXPECT_EQ(wrong, 0);

    // Luma 0 with neutral chroma is black, luma 255 is white (346 clamped).
    for (uint8_t luma : {0, 255}) {
        Bytes flat = pack(kPhotoCdBaseEnd, 0, [&](size_t, size_t) { return luma; },
                          [](size_t, size_t) { return (uint8_t)156; }, [](size_t, size_t) { return (uint8_t)137; });
        Decoded f;
        f.image = decode_photo_cd(flat.data(), flat.size(), f.message);
        ASSERT_TRUE(f.image);
        for (int c = 0; c < 3; ++c) EXPECT_EQ(image_row(f.image, 300)[3 * 500 + c], luma);
    }
}

TEST(PhotoCd, OrientationTurnsThePictureAndLengthAndSignatureAreChecked) {
    // A white top-left corner shows where the first pixel went.
    auto corner = [](size_t x, size_t y) { return (uint8_t)(x == 0 && y == 0 ? 255 : 0); };
    auto neutral1 = [](size_t, size_t) { return (uint8_t)156; };
    auto neutral2 = [](size_t, size_t) { return (uint8_t)137; };
    struct Case {
        uint8_t orientation;
        int width, height, corner_x, corner_y;
    } cases[] = {
        {0, 768, 512, 0, 0},     {1, 512, 768, 0, 767},   {2, 768, 512, 0, 0},
        {3, 512, 768, 511, 0},   {0xFD, 512, 768, 0, 767}, {0xFF, 512, 768, 511, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((int)c.orientation);
        Bytes b = pack(kPhotoCdBaseEnd + 100, c.orientation, corner, neutral1, neutral2);
        Decoded d;
        d.image = decode_photo_cd(b.data(), b.size(), d.message);
        ASSERT_TRUE(d.image) << d.message;
        EXPECT_EQ(d.image->width, c.width);
        EXPECT_EQ(d.image->height, c.height);
        EXPECT_EQ(image_row(d.image, c.corner_y)[3 * c.corner_x], 255);

        std::string path = write_scratch("orientation.pcd", b);
        int w = 0, h = 0;
        EXPECT_TRUE(probe_image_size(path.c_str(), &w, &h));
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
    }

    Bytes whole = pack(kPhotoCdBaseEnd, 0, luma_of, c1_of, c2_of);
    Decoded short_by_one;
    EXPECT_FALSE(short_by_one.image = decode_photo_cd(whole.data(), whole.size() - 1, short_by_one.message));
    EXPECT_STREQ(short_by_one.message, kMsgPcdNoBase);
    Bytes unsigned_pack = whole;
    unsigned_pack[2048 + 6] = 'X';
    Decoded no_signature;
    EXPECT_FALSE(no_signature.image = decode_photo_cd(unsigned_pack.data(), unsigned_pack.size(), no_signature.message));
    EXPECT_STREQ(no_signature.message, kMsgPcdNoSignature);

    // Through load_image by the extension alone; a file cut short fails
    // although the size probe, which reads the head only, still answers.
    Decoded loaded;
    loaded.image = load_image(write_scratch("whole.pcd", whole).c_str(), loaded.message);
    ASSERT_TRUE(loaded.image) << loaded.message;
    EXPECT_TRUE(same_picture(loaded.image, Decoded{decode_photo_cd(whole.data(), whole.size(), nullptr)}.image));
    std::string cut = write_scratch("cut.pcd", Bytes(whole.begin(), whole.begin() + 5000));
    Decoded cut_load;
    EXPECT_FALSE(cut_load.image = load_image(cut.c_str(), cut_load.message));
    EXPECT_STREQ(cut_load.message, kMsgPcdNoBase);
    int w = 0, h = 0;
    EXPECT_TRUE(probe_image_size(cut.c_str(), &w, &h));
    EXPECT_FALSE(probe_image_size(write_scratch("nosig.pcd", unsigned_pack).c_str(), &w, &h));
}

// ImageMagick writes flat blocks of colour; its own read of the pack scales
// luma differently from the standard conversion used here, so the check is of
// the layout: each block decodes flat, black and white exactly, and the
// channels of each block rank as in ImageMagick's read.
TEST(PhotoCd, ImageMagicksPackDecodesToItsFlatBlocks) {
    Decoded d;
    d.image = load_image(data_path("pcd-blocks.pcd").c_str(), d.message);
    ASSERT_TRUE(d.image) << d.message;
    RefPicture ref;
    ASSERT_TRUE(read_ppm(data_path("pcd-blocks.ref.ppm"), &ref));
    ASSERT_EQ(ref.width, 768);
    ASSERT_EQ(ref.height, 512);
    for (int by = 0; by < 512; by += 256)
        for (int bx = 0; bx < 768; bx += 192) {
            SCOPED_TRACE(testing::Message() << "block " << bx << "," << by);
            const uint8_t* centre = image_row(d.image, by + 128) + 3 * (bx + 96);
            int spread = 0;
            for (int y = by + 8; y < by + 248; ++y)
                for (int x = bx + 8; x < bx + 184; ++x)
                    for (int c = 0; c < 3; ++c)
                        spread = std::max(spread, abs(image_row(d.image, y)[3 * x + c] - centre[c]));
            EXPECT_LE(spread, 1);
            const unsigned char* r = &ref.rgb[3 * ((size_t)(by + 128) * 768 + bx + 96)];
            int rgb[3] = {centre[2], centre[1], centre[0]};
            if (r[0] == r[1] && r[1] == r[2] && (r[0] == 0 || r[0] == 255)) {
                for (int c = 0; c < 3; ++c) EXPECT_EQ(rgb[c], r[0]);
            } else {
                // Where ImageMagick sees two channels clearly apart, so must the
                // decode (unless the brighter one is clamped at 255).
                for (int i = 0; i < 3; ++i)
                    for (int j = 0; j < 3; ++j)
                        if (r[i] > r[j] + 24) EXPECT_TRUE(rgb[i] > rgb[j] || rgb[i] == 255) << i << " over " << j;
            }
        }
}
