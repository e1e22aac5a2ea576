// A camera's orientation tag turns a JPEG upright when it opens; the same
// picture as PNG carries no such tag and stays as stored.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "core/stb_adapter.h"
#include "tests/support/main_window_fixture.h"

namespace {

// An APP1 block with one IFD entry: Orientation = value, in little-endian order.
std::vector<uint8_t> exif_block(uint16_t value) {
    std::vector<uint8_t> tiff = {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0,
                                 (uint8_t)value, (uint8_t)(value >> 8), 0, 0, 0, 0, 0, 0};
    std::vector<uint8_t> app1 = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
    app1.insert(app1.end(), tiff.begin(), tiff.end());
    size_t length = app1.size() - 2;
    app1[2] = (uint8_t)(length >> 8);
    app1[3] = (uint8_t)length;
    return app1;
}

std::vector<uint8_t> read_all(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return bytes;
    int c;
    while ((c = fgetc(f)) != EOF) bytes.push_back((uint8_t)c);
    fclose(f);
    return bytes;
}

// 40 x 20: the left half red, the right half blue, so a turn shows.
Image* two_halves() {
    Image* image = image_create(40, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) image_set_pixel(image, x, y, x < 20 ? 0 : 255, 0, x < 20 ? 255 : 0);
    return image;
}

// 40 x 20 in four quadrants: red top-left, blue top-right, green bottom-left,
// white bottom-right, so every turn and mirror shows.
Image* quadrants() {
    Image* image = image_create(40, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            bool right = x >= 20, bottom = y >= 10;
            uint8_t b = right ? 255 : 0, g = bottom ? 255 : 0, r = !right && !bottom ? 255 : 0;
            if (right && bottom) r = g = b = 255;
            image_set_pixel(image, x, y, b, g, r);
        }
    return image;
}

// Which quadrant colour a pixel is: 'r', 'b', 'g', 'w', or '?'.
char colour_at(const Image* image, int x, int y) {
    const uint8_t* p = image_row(image, y) + 3 * x;
    bool b = p[0] > 160, g = p[1] > 160, r = p[2] > 160;
    if (r && g && b) return 'w';
    if (r && !g && !b) return 'r';
    if (b && !g && !r) return 'b';
    if (g && !r && !b) return 'g';
    return '?';
}

std::string save_with_orientation(const std::string& path, int orientation) {
    Image* picture = quadrants();
    bool saved = save_image(path.c_str(), picture, kSaveJpeg, 95);
    image_free(picture);
    if (!saved) return "not saved";
    std::vector<uint8_t> bytes = read_all(path);
    std::vector<uint8_t> block = exif_block((uint16_t)orientation);
    bytes.insert(bytes.begin() + 2, block.begin(), block.end());
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return "not written";
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return "";
}

}  // namespace

// Every orientation shows the picture as the camera saw it: the quadrant
// colours at the four corners of the opened picture (top-left, top-right,
// bottom-left, bottom-right).
TEST_F(MainWindowTest, EveryOrientationOpensUpright) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + "lumora-orientation.jpg";
    const struct { int orientation; int width; const char* corners; } cases[] = {
        {1, 40, "rbgw"}, {2, 40, "brwg"}, {3, 40, "wgbr"}, {4, 40, "gwrb"},
        {5, 20, "rgbw"}, {6, 20, "grwb"}, {7, 20, "wbgr"}, {8, 20, "bwrg"},
    };
    for (auto c : cases) {
        ASSERT_EQ(save_with_orientation(path, c.orientation), "");
        ASSERT_TRUE(OpenFileInViewer(path.c_str())) << c.orientation;
        const Image* shown = g_viewer.shown;
        ASSERT_EQ(shown->width, c.width) << c.orientation;
        int w = shown->width, h = shown->height;
        std::string corners = {colour_at(shown, 4, 4), colour_at(shown, w - 5, 4), colour_at(shown, 4, h - 5),
                               colour_at(shown, w - 5, h - 5)};
        EXPECT_EQ(corners, c.corners) << "orientation " << c.orientation;
    }
    DeleteFileA(path.c_str());
}

TEST_F(MainWindowTest, OrientationSixJpegOpensTurnedClockwise) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string jpeg = std::string(temp) + "lumora-upright.jpg";
    std::string png = std::string(temp) + "lumora-upright.png";
    Image* picture = two_halves();
    ASSERT_TRUE(save_image(jpeg.c_str(), picture, kSaveJpeg, 95));
    ASSERT_TRUE(save_image(png.c_str(), picture, kSavePng, 0));
    image_free(picture);
    std::vector<uint8_t> bytes = read_all(jpeg);
    ASSERT_GT(bytes.size(), 4u);
    std::vector<uint8_t> block = exif_block(6);
    bytes.insert(bytes.begin() + 2, block.begin(), block.end());  // right after the start-of-image marker
    FILE* f = fopen(jpeg.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);

    ASSERT_TRUE(OpenFileInViewer(jpeg.c_str()));
    ASSERT_EQ(g_viewer.shown->width, 20);
    ASSERT_EQ(g_viewer.shown->height, 40);
    // Turned clockwise, the left (red) half is now the top.
    EXPECT_GT(image_row(g_viewer.shown, 5)[3 * 10 + 2], 200);
    EXPECT_LT(image_row(g_viewer.shown, 5)[3 * 10 + 0], 60);
    EXPECT_GT(image_row(g_viewer.shown, 35)[3 * 10 + 0], 200);

    ASSERT_TRUE(OpenFileInViewer(png.c_str()));
    EXPECT_EQ(g_viewer.shown->width, 40);
    EXPECT_EQ(g_viewer.shown->height, 20);
    DeleteFileA(jpeg.c_str());
    DeleteFileA(png.c_str());
}
