// The stb_image path of load_image against independent decoders (netpbm,
// ImageMagick) on files made by independent encoders.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/loader.h"
#include "core/stb_adapter.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

std::string data_path(const std::string& name) { return std::string(LUMORA_TEST_DATA) + "/" + name; }

std::string ref_path(const std::string& name) { return data_path(name.substr(0, name.rfind('.')) + ".ref.ppm"); }

// The largest difference of any colour byte, or -1 when the sizes differ.
int max_difference(const Image* image, const RefPicture& ref) {
    if (image->width != ref.width || image->height != ref.height) return -1;
    int worst = 0;
    for (int y = 0; y < ref.height; ++y) {
        const unsigned char* row = image_row(image, y);
        for (int x = 0; x < ref.width; ++x) {
            const unsigned char* want = &ref.rgb[((size_t)y * ref.width + x) * 3];
            for (int c = 0; c < 3; ++c) worst = std::max(worst, abs((int)row[3 * x + 2 - c] - (int)want[c]));
        }
    }
    return worst;
}

struct Loaded {
    Image* image = nullptr;
    RefPicture ref;
    char message[kMessageBytes] = "untouched";
    ~Loaded() { image_free(image); }
};

void load_with_ref(const std::string& name, Loaded* out) {
    out->image = load_image(data_path(name).c_str(), out->message);
    ASSERT_NE(out->image, nullptr) << name << ": " << out->message;
    EXPECT_STREQ(out->message, "");
    ASSERT_TRUE(read_ppm(ref_path(name), &out->ref)) << "reference of " << name << " missing";
}

void expect_exact(const std::string& name) {
    SCOPED_TRACE(name);
    Loaded l;
    load_with_ref(name, &l);
    if (l.image) EXPECT_EQ(compare_with_reference(l.image, l.ref), "");
}

}  // namespace

// Lossless formats decode to exactly the independent decoder's pixels.
TEST(StbLoad, PngKindsMatchNetpbm) {
    for (const char* name : {"stb-png-rgb.png", "stb-png-rgba.png", "stb-png-palette.png", "stb-png-gray.png",
                             "stb-png-1bit.png", "stb-png-interlaced.png", "stb-png-rgb16.png", "stb-png-gray16.png"})
        expect_exact(name);
}

TEST(StbLoad, TgaRunLengthAndRawFromTwoEncoders) {
    for (const char* name : {"stb-tga-rle.tga", "stb-tga-raw.tga", "stb-tga-np-rle.tga", "stb-tga-np-raw.tga"})
        expect_exact(name);
}

// The library keeps the top byte of a 16-bit sample where netpbm rounds to
// the nearest 8-bit value: the two may differ by 1, a swapped byte order by
// far more.
TEST(StbLoad, SixteenBitSamplesKeepTheirTopByte) {
    for (const char* name : {"stb-png-deep16.png", "stb-pnm-deep16-gray.pgm", "stb-pnm-deep16-rgb.ppm"}) {
        SCOPED_TRACE(name);
        Loaded l;
        load_with_ref(name, &l);
        if (!l.image) continue;
        int diff = max_difference(l.image, l.ref);
        EXPECT_GE(diff, 0);
        EXPECT_LE(diff, 1);
    }
}

TEST(StbLoad, PsdMergedPicture) { expect_exact("stb-psd.psd"); }

TEST(StbLoad, EveryNetpbmKind) {
    for (const char* name : {"stb-pnm-p1.pbm", "stb-pnm-p2.pgm", "stb-pnm-p3.ppm", "stb-pnm-p4.pbm", "stb-pnm-p5.pgm",
                             "stb-pnm-p6.ppm", "stb-pnm-p5-16.pgm", "stb-pnm-p6-16.ppm", "stb-pnm-p2-max100.pgm",
                             "stb-pnm-p3-max1000.ppm"})
        expect_exact(name);
}

TEST(StbLoad, GifFirstFrameOnly) {
    expect_exact("stb-gif-one.gif");
    Loaded l;
    l.image = load_image(data_path("stb-gif-anim.gif").c_str(), l.message);
    ASSERT_NE(l.image, nullptr) << l.message;
    ASSERT_TRUE(read_ppm(data_path("stb-gif-anim-0.ref.ppm"), &l.ref));
    EXPECT_EQ(compare_with_reference(l.image, l.ref), "");
}

// JPEG decoders may each round their inverse DCT, colour conversion and
// chroma upsampling differently, so stb_image and libjpeg (netpbm's
// jpegtopnm) need not agree to the bit: on these pictures they differ by at
// most 2 levels. The bound of 3 allows that rounding and nothing more; a wrong
// channel order, row order, upsampling or a lost block moves bytes by tens.
TEST(StbLoad, JpegWithinRoundingOfLibjpeg) {
    const int kTolerance = 3;
    for (const char* name : {"stb-jpeg444.jpg", "stb-jpeggray.jpg", "stb-jpeg420.jpg", "stb-jpegprog.jpg"}) {
        SCOPED_TRACE(name);
        Loaded l;
        load_with_ref(name, &l);
        if (!l.image) continue;
        int diff = max_difference(l.image, l.ref);
        EXPECT_GE(diff, 0) << compare_with_reference(l.image, l.ref);
        EXPECT_LE(diff, kTolerance);
    }
}

TEST(StbLoad, OnePixelJpegHasStrideFour) {
    Loaded l;
    load_with_ref("stb-jpeg1x1.jpg", &l);
    ASSERT_NE(l.image, nullptr);
    EXPECT_EQ(l.image->width, 1);
    EXPECT_EQ(l.image->height, 1);
    EXPECT_EQ(l.image->stride, 4);
    int diff = max_difference(l.image, l.ref);
    EXPECT_GE(diff, 0);
    EXPECT_LE(diff, 3);
    EXPECT_EQ(l.image->pixels[3], 0);  // padding
}

TEST(StbLoad, AlphaIsDroppedNotBlended) {
    // The reference is the colour channels alone; a blend over black or white
    // would darken or lighten the left columns, where alpha is near 0.
    Loaded l;
    load_with_ref("stb-png-rgba.png", &l);
    ASSERT_NE(l.image, nullptr);
    EXPECT_EQ(compare_with_reference(l.image, l.ref), "");
    int bright = 0;
    for (int y = 0; y < l.ref.height; ++y) bright += l.ref.rgb[(size_t)y * l.ref.width * 3] > 16;
    EXPECT_GT(bright, 0) << "the reference's first column should not be all dark";
}

TEST(StbLoad, HeaderWinsOverTheExtension) {
    std::vector<unsigned char> png = read_whole(data_path("stb-png-rgb.png"));
    ASSERT_FALSE(png.empty());
    Loaded l;
    l.image = load_image(write_scratch("stb-really-a-png.bmp", png).c_str(), l.message);
    ASSERT_NE(l.image, nullptr) << l.message;
    ASSERT_TRUE(read_ppm(data_path("stb-png-rgb.ref.ppm"), &l.ref));
    EXPECT_EQ(compare_with_reference(l.image, l.ref), "");
}

TEST(StbLoad, TgaAndPicByExtensionAlone) {
    // A TGA has no magic: only its extension sends it to the library.
    std::vector<unsigned char> tga = read_whole(data_path("stb-tga-raw.tga"));
    Loaded l;
    l.image = load_image(write_scratch("stb-upper.TGA", tga).c_str(), l.message);
    ASSERT_NE(l.image, nullptr) << l.message;
    ASSERT_TRUE(read_ppm(data_path("stb-tga-raw.ref.ppm"), &l.ref));
    EXPECT_EQ(compare_with_reference(l.image, l.ref), "");

    char message[kMessageBytes];
    EXPECT_EQ(load_image(write_scratch("stb-not-a-picture.tga", {'x', 'y', 'z'}).c_str(), message), nullptr);
    EXPECT_STREQ(message, "unknown image type");
}

TEST(StbLoad, ProbeReadsTheSizeOfEveryKind) {
    for (const char* name : {"stb-jpeg420.jpg", "stb-png-rgb.png", "stb-gif-anim.gif", "stb-tga-rle.tga", "stb-psd.psd",
                             "stb-pnm-p1.pbm", "stb-pnm-p3.ppm", "stb-pnm-p4.pbm", "stb-pnm-p6.ppm"}) {
        SCOPED_TRACE(name);
        RefPicture ref;
        if (strcmp(name, "stb-gif-anim.gif") == 0) ASSERT_TRUE(read_ppm(data_path("stb-gif-anim-0.ref.ppm"), &ref));
        else ASSERT_TRUE(read_ppm(ref_path(name), &ref));
        int w = -1, h = -1;
        EXPECT_EQ(probe_image_size(data_path(name).c_str(), &w, &h), 1);
        EXPECT_EQ(w, ref.width);
        EXPECT_EQ(h, ref.height);
    }
    int w = -1, h = -1;
    EXPECT_EQ(probe_image_size(scratch_path("stb-missing.png").c_str(), &w, &h), 0);
    EXPECT_EQ(w, -1);
}
