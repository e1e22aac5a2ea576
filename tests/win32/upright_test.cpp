// A camera's orientation tag turns a JPEG upright when the viewer opens it;
// the same picture as PNG has no such tag and stays as stored. Every
// orientation value is tested natively on the loader.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "core/stb_adapter.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/scratch.h"

namespace {

// An APP1 block with one IFD entry: Orientation = value, in little-endian order.
std::vector<unsigned char> exif_block(uint16_t value) {
    std::vector<unsigned char> app1 = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
                                       0x12, 0x01, 3, 0, 1, 0, 0, 0, (uint8_t)value, (uint8_t)(value >> 8), 0, 0,
                                       0, 0, 0, 0};
    app1[3] = (uint8_t)(app1.size() - 2);
    return app1;
}

// The left half red, the right half blue, so a turn shows.
uint32_t halves(int x, int) { return x < 20 ? 0xFF0000 : 0x0000FF; }

}  // namespace

TEST_F(MainWindowTest, OrientationSixJpegOpensTurnedClockwise) {
    Image* picture = make_picture(40, 20, halves);
    std::string jpeg = scratch_path("upright.jpg"), png = scratch_path("upright.png");
    bool saved = save_image(jpeg.c_str(), picture, kSaveJpeg, 95) && save_image(png.c_str(), picture, kSavePng, 0);
    image_free(picture);
    ASSERT_TRUE(saved);
    std::vector<unsigned char> bytes = read_whole(jpeg), block = exif_block(6);
    ASSERT_GT(bytes.size(), 2u);
    bytes.insert(bytes.begin() + 2, block.begin(), block.end());  // right after the start-of-image marker
    write_scratch("upright.jpg", bytes);

    ASSERT_TRUE(OpenFileInViewer(jpeg.c_str()));
    ASSERT_EQ(g_viewer.shown->width, 20);
    ASSERT_EQ(g_viewer.shown->height, 40);
    const uint8_t* top = image_row(g_viewer.shown, 5) + 3 * 10;
    const uint8_t* bottom = image_row(g_viewer.shown, 35) + 3 * 10;
    EXPECT_TRUE(top[2] > 200 && top[0] < 60) << "turned clockwise, the red left half is the top";
    EXPECT_TRUE(bottom[0] > 200 && bottom[2] < 60) << "and the blue right half the bottom";

    ASSERT_TRUE(OpenFileInViewer(png.c_str()));
    EXPECT_EQ(g_viewer.shown->width, 40);
    EXPECT_EQ(g_viewer.shown->height, 20);
}
