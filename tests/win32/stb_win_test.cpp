// The cross-built stb path against the same independent decodes the native
// tests use: the Windows build must give the very same pixels.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <windows.h>

#include <string>

#include "core/decode_message.h"
#include "core/exif.h"
#include "core/loader.h"
#include "core/stb_adapter.h"
#include "tests/support/reference.h"

namespace {

std::string data_path(const std::string& name) { return std::string(LUMORA_TEST_DATA) + "\\" + name; }

std::string ref_path(const std::string& name) { return data_path(name.substr(0, name.rfind('.')) + ".ref.ppm"); }

int max_difference(const Image* image, const RefPicture& ref) {
    if (image->width != ref.width || image->height != ref.height) return -1;
    int worst = 0;
    for (int y = 0; y < ref.height; ++y)
        for (int x = 0; x < ref.width; ++x)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, abs((int)image_row(image, y)[3 * x + 2 - c] - (int)ref.rgb[((size_t)y * ref.width + x) * 3 + c]));
    return worst;
}

}  // namespace

TEST(WinStb, LosslessKindsMatchTheIndependentDecoders) {
    for (const char* name : {"stb-png-rgb.png", "stb-png-rgba.png", "stb-png-palette.png", "stb-png-rgb16.png",
                             "stb-gif-one.gif", "stb-tga-rle.tga", "stb-tga-np-raw.tga", "stb-psd.psd",
                             "stb-pnm-p1.pbm", "stb-pnm-p3.ppm", "stb-pnm-p4.pbm", "stb-pnm-p5-16.pgm", "stb-pnm-p6.ppm"}) {
        SCOPED_TRACE(name);
        RefPicture ref;
        ASSERT_TRUE(read_ppm(ref_path(name), &ref));
        char message[kMessageBytes];
        Image* image = load_image(data_path(name).c_str(), message);
        ASSERT_NE(image, nullptr) << message;
        EXPECT_EQ(compare_with_reference(image, ref), "");
        image_free(image);
    }
}

// The library's JPEG decoder is integer arithmetic only, so the 32-bit build
// stays within the same rounding of libjpeg as the native one.
TEST(WinStb, JpegWithinRoundingOfLibjpeg) {
    for (const char* name : {"stb-jpeg444.jpg", "stb-jpeg420.jpg", "stb-jpegprog.jpg", "stb-jpeggray.jpg"}) {
        SCOPED_TRACE(name);
        RefPicture ref;
        ASSERT_TRUE(read_ppm(ref_path(name), &ref));
        char message[kMessageBytes];
        Image* image = load_image(data_path(name).c_str(), message);
        ASSERT_NE(image, nullptr) << message;
        int diff = max_difference(image, ref);
        EXPECT_GE(diff, 0);
        EXPECT_LE(diff, 3);
        image_free(image);
    }
}

TEST(WinStb, GifFramesAndDelays) {
    ImageSet set = {nullptr, 0, nullptr};
    char message[kMessageBytes];
    set.frames = load_gif_frames(data_path("stb-gif-anim.gif").c_str(), &set.delays, &set.count, message);
    ASSERT_NE(set.frames, nullptr) << message;
    ASSERT_EQ(set.count, 3);
    FILE* d = fopen(data_path("stb-gif-anim.delays").c_str(), "r");
    ASSERT_NE(d, nullptr);
    for (int i = 0; i < 3; ++i) {
        int centiseconds = -1;
        ASSERT_EQ(fscanf(d, "%d", &centiseconds), 1);
        EXPECT_EQ(set.delays[i], centiseconds * 10);
        RefPicture ref;
        ASSERT_TRUE(read_ppm(data_path("stb-gif-anim-" + std::to_string(i) + ".ref.ppm"), &ref));
        EXPECT_EQ(compare_with_reference(set.frames[i], ref), "") << "frame " << i;
    }
    fclose(d);
    image_set_free(&set);
}

TEST(WinStb, SavedFilesAreBinaryAndRoundTrip) {
    char message[kMessageBytes];
    Image* image = load_image(data_path("stb-png-rgb.png").c_str(), message);
    ASSERT_NE(image, nullptr) << message;
    char folder[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    for (int format : {kSavePng, kSaveBmp}) {
        std::string path = std::string(folder) + "lumora-stb-save" + (format == kSavePng ? ".png" : ".bmp");
        ASSERT_EQ(save_image(path.c_str(), image, format, 0), 1);
        Image* back = load_image(path.c_str(), message);
        ASSERT_NE(back, nullptr) << message;
        EXPECT_EQ(memcmp(back->pixels, image->pixels, (size_t)image->stride * image->height), 0) << format;
        image_free(back);
        DeleteFileA(path.c_str());
    }
    image_free(image);
}

TEST(WinStb, ExifAndProbe) {
    int orientation = 0;
    char date[40], make[64], model[64];
    read_exif(data_path("exif-MM-texts.jpg").c_str(), &orientation, date, sizeof date, make, sizeof make, model, sizeof model);
    EXPECT_EQ(orientation, 1);
    EXPECT_STREQ(make, "Harbour Optics");
    EXPECT_STREQ(date, "2019:03:04 05:06:07");
    read_exif(data_path("exif-II-6.jpg").c_str(), &orientation, nullptr, 0, nullptr, 0, nullptr, 0);
    EXPECT_EQ(orientation, 6);
    RefPicture ref;
    ASSERT_TRUE(read_ppm(ref_path("stb-jpeg420.jpg"), &ref));
    int w = 0, h = 0;
    EXPECT_EQ(probe_image_size(data_path("stb-jpeg420.jpg").c_str(), &w, &h), 1);
    EXPECT_EQ(w, ref.width);
    EXPECT_EQ(h, ref.height);
}
