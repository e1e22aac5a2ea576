// save_image: PNG and BMP round trips are exact; JPEG within its loss; the
// files are read back by independent decoders too.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/bmp.h"
#include "core/decode_message.h"
#include "core/loader.h"
#include "core/stb_adapter.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

// An odd width, so every row of the picture has padding; distinct channels.
Image* pattern(int w, int h) {
    Image* image = image_create(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image_set_pixel(image, x, y, (uint8_t)(x * 5), (uint8_t)(y * 9), (uint8_t)(128 + x - y));
    return image;
}

// A smooth picture: JPEG keeps it within a few levels.
Image* smooth(int w, int h) {
    Image* image = image_create(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image_set_pixel(image, x, y, (uint8_t)(40 + x * 2), (uint8_t)(200 - y * 2), (uint8_t)(100 + x + y));
    return image;
}

std::string image_diff(const Image* a, const Image* b, int tolerance) {
    if (a->width != b->width || a->height != b->height) return "sizes differ";
    for (int y = 0; y < a->height; ++y)
        for (int x = 0; x < 3 * a->width; ++x) {
            int d = abs((int)image_row(a, y)[x] - (int)image_row(b, y)[x]);
            if (d > tolerance) return "byte " + std::to_string(x) + " of row " + std::to_string(y) + " differs by " + std::to_string(d);
        }
    return "";
}

// The mean absolute difference of all colour bytes.
double mean_difference(const Image* a, const Image* b) {
    double sum = 0;
    for (int y = 0; y < a->height; ++y)
        for (int x = 0; x < 3 * a->width; ++x) sum += abs((int)image_row(a, y)[x] - (int)image_row(b, y)[x]);
    return sum / (3.0 * a->width * a->height);
}

// A netpbm tool's decode of a file we wrote.
bool netpbm_decode(const std::string& tool, const std::string& path, RefPicture* out) {
    std::string ppm = path + ".np.ppm";
    std::string command = tool + " '" + path + "' 2>/dev/null | ppmtoppm > '" + ppm + "' 2>/dev/null";
    return system(command.c_str()) == 0 && read_ppm(ppm, out);
}

struct Owned {
    Image* image = nullptr;
    ~Owned() { image_free(image); }
};

}  // namespace

TEST(StbSave, PngRoundTripIsExactAndNetpbmAgrees) {
    Owned original, back;
    original.image = pattern(37, 21);
    std::string path = scratch_path("stb-save.png");
    ASSERT_EQ(save_image(path.c_str(), original.image, kSavePng, 0), 1);
    std::vector<unsigned char> bytes = read_whole(path);
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes[1], 'P');
    char message[kMessageBytes];
    back.image = load_image(path.c_str(), message);
    ASSERT_NE(back.image, nullptr) << message;
    EXPECT_EQ(image_diff(original.image, back.image, 0), "");
    RefPicture ref;
    ASSERT_TRUE(netpbm_decode("pngtopam", path, &ref));
    EXPECT_EQ(compare_with_reference(original.image, ref), "");
}

TEST(StbSave, BmpRoundTripIsExactAndNetpbmAgrees) {
    Owned original, back;
    original.image = pattern(37, 21);
    // Format 3 and any other value but 1 and 2 write BMP.
    for (int format : {kSaveBmp, 0, 7}) {
        SCOPED_TRACE(format);
        std::string path = scratch_path("stb-save-" + std::to_string(format) + ".bmp");
        ASSERT_EQ(save_image(path.c_str(), original.image, format, 50), 1);
        char message[kMessageBytes];
        image_free(back.image);
        back.image = read_bmp(path.c_str(), message);
        ASSERT_NE(back.image, nullptr) << message;
        EXPECT_EQ(image_diff(original.image, back.image, 0), "");
        RefPicture ref;
        ASSERT_TRUE(netpbm_decode("bmptopnm", path, &ref));
        EXPECT_EQ(compare_with_reference(original.image, ref), "");
    }
}

// JPEG is lossy: a smooth picture comes back within a few levels on average
// and within 24 anywhere at quality 95, whether read by the library or libjpeg.
TEST(StbSave, JpegRoundTripWithinItsLoss) {
    Owned original, back;
    original.image = smooth(40, 30);
    std::string path = scratch_path("stb-save.jpg");
    ASSERT_EQ(save_image(path.c_str(), original.image, kSaveJpeg, 95), 1);
    char message[kMessageBytes];
    back.image = load_image(path.c_str(), message);
    ASSERT_NE(back.image, nullptr) << message;
    EXPECT_EQ(image_diff(original.image, back.image, 24), "");
    EXPECT_LT(mean_difference(original.image, back.image), 3.0);
    RefPicture ref;
    ASSERT_TRUE(netpbm_decode("jpegtopnm", path, &ref));
    ASSERT_EQ(ref.width, 40);
    ASSERT_EQ(ref.height, 30);
    int worst = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, abs((int)image_row(original.image, y)[3 * x + 2 - c] - (int)ref.rgb[(y * 40 + x) * 3 + c]));
    EXPECT_LE(worst, 24);
}

TEST(StbSave, QualityZeroMeansNinety) {
    Owned original;
    original.image = pattern(64, 48);
    std::string q0 = scratch_path("stb-q0.jpg"), q90 = scratch_path("stb-q90.jpg"), q50 = scratch_path("stb-q50.jpg"),
                qneg = scratch_path("stb-qneg.jpg");
    ASSERT_EQ(save_image(q0.c_str(), original.image, kSaveJpeg, 0), 1);
    ASSERT_EQ(save_image(qneg.c_str(), original.image, kSaveJpeg, -5), 1);
    ASSERT_EQ(save_image(q90.c_str(), original.image, kSaveJpeg, 90), 1);
    ASSERT_EQ(save_image(q50.c_str(), original.image, kSaveJpeg, 50), 1);
    std::vector<unsigned char> a = read_whole(q0), b = read_whole(q90), c = read_whole(q50), d = read_whole(qneg);
    ASSERT_FALSE(a.empty());
    EXPECT_TRUE(a == b) << "quality 0 and quality 90 should write the same file";
    EXPECT_TRUE(d == b) << "a negative quality should write quality 90 too";
    EXPECT_FALSE(c == b);
    // ImageMagick estimates the quality from the quantisation tables.
    std::string command = "identify -format '%Q' '" + q0 + "' > '" + q0 + ".q' 2>/dev/null";
    ASSERT_EQ(system(command.c_str()), 0);
    std::vector<unsigned char> q = read_whole(q0 + ".q");
    EXPECT_EQ(std::string(q.begin(), q.end()), "90");
}

TEST(StbSave, FailuresReturnZero) {
    Owned original;
    original.image = pattern(3, 2);
    std::string folder_missing = scratch_path("no-such-folder/x.png");
    EXPECT_EQ(save_image(folder_missing.c_str(), original.image, kSavePng, 0), 0);
    EXPECT_EQ(save_image(scratch_path("null.png").c_str(), nullptr, kSavePng, 0), 0);
}
