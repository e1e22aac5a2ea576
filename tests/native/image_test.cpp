#include <gtest/gtest.h>
#include <string.h>

#include "core/image.h"

TEST(Image, StrideRoundsRowsToFourBytes) {
    const struct { int width, stride; } cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {30000, 90000}};
    for (auto c : cases) {
        Image* image = image_create(c.width, 1);
        ASSERT_NE(image, nullptr) << "width " << c.width;
        EXPECT_EQ(image->stride, c.stride) << "width " << c.width;
        image_free(image);
    }
}

TEST(Image, SidesOutsideTheLimitAreRefused) {
    EXPECT_EQ(image_create(30001, 1), nullptr);
    EXPECT_EQ(image_create(1, 30001), nullptr);
    EXPECT_EQ(image_create(0, 5), nullptr);
    EXPECT_EQ(image_create(5, -1), nullptr);
    EXPECT_EQ(image_create(-2147483647 - 1, 1), nullptr);
    Image* edge = image_create(30000, 2);
    ASSERT_NE(edge, nullptr);
    image_free(edge);
}

TEST(Image, LargestLegalPictureIsRefusedLikeAShortageOfMemory) {
    // 90000 x 30000 bytes is more than one block may take on any target.
    EXPECT_EQ(image_create(30000, 30000), nullptr);
}

TEST(Image, NewPictureIsBlackIncludingPadding) {
    Image* image = image_create(7, 5);
    ASSERT_NE(image, nullptr);
    for (int i = 0; i < image->stride * image->height; ++i) ASSERT_EQ(image->pixels[i], 0) << "byte " << i;
    image_free(image);
}

TEST(Image, PixelZeroZeroIsInTheLastStoredRow) {
    Image* image = image_create(2, 2);
    ASSERT_NE(image, nullptr);
    image_set_pixel(image, 0, 0, 10, 20, 30);
    image_set_pixel(image, 1, 1, 40, 50, 60);
    const uint8_t* p = image->pixels;
    EXPECT_EQ(p[image->stride + 0], 10);
    EXPECT_EQ(p[image->stride + 1], 20);
    EXPECT_EQ(p[image->stride + 2], 30);
    EXPECT_EQ(p[3], 40);
    EXPECT_EQ(p[4], 50);
    EXPECT_EQ(p[5], 60);
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[6], 0);  // padding untouched
    EXPECT_EQ(image_row(image, 0), image->pixels + image->stride);
    image_free(image);
}

TEST(Image, BitmapHeaderDescribesABottomUpDib) {
    Image* image = image_create(3, 2);
    ASSERT_NE(image, nullptr);
    BitmapInfoHeader h;
    memset(&h, 0xAB, sizeof h);
    image_fill_bitmap_header(image, &h);
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 3);
    EXPECT_EQ(h.biHeight, 2);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, 24u);
    EXPECT_EQ(h.biXPelsPerMeter, 0);
    EXPECT_EQ(h.biYPelsPerMeter, 0);
    EXPECT_EQ(h.biClrUsed, 0u);
    EXPECT_EQ(h.biClrImportant, 0u);
    image_free(image);
}

TEST(Image, FreeingNothingIsHarmless) {
    image_free(nullptr);
    image_set_free(nullptr);
    ImageSet empty = {};
    image_set_free(&empty);
    EXPECT_EQ(empty.count, 0);
}

TEST(Image, SetFreeReleasesFramesWithGapsAndDelays) {
    ImageSet set = {};
    set.count = 3;
    set.frames = (Image**)calloc(3, sizeof(Image*));
    set.frames[0] = image_create(4, 4);
    set.frames[2] = image_create(4, 4);  // frame 1 stays null, as after a failed allocation
    set.delays = (int32_t*)calloc(3, sizeof(int32_t));
    image_set_free(&set);  // the leak checker proves every block went
    EXPECT_EQ(set.frames, nullptr);
    EXPECT_EQ(set.delays, nullptr);
    EXPECT_EQ(set.count, 0);
}
