#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include "core/image.h"

TEST(Image, StrideAndSideLimits) {
    const struct { int width, stride; } cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {30000, 90000}};
    for (auto c : cases) {
        Image* image = image_create(c.width, 1);
        ASSERT_NE(image, nullptr) << "width " << c.width;
        EXPECT_EQ(image->stride, c.stride) << "width " << c.width;
        image_free(image);
    }
    for (int side : {30001, 0, -1, -2147483647 - 1}) {
        EXPECT_EQ(image_create(side, 5), nullptr) << side;
        EXPECT_EQ(image_create(5, side), nullptr) << side;
    }
    // 90000 x 30000 bytes is more than one block may take on any target.
    EXPECT_EQ(image_create(30000, 30000), nullptr);
}

TEST(Image, NewPictureIsBlackAndRowZeroIsStoredLast) {
    Image* image = image_create(2, 2);
    ASSERT_NE(image, nullptr);
    for (int i = 0; i < image->stride * image->height; ++i) ASSERT_EQ(image->pixels[i], 0) << "byte " << i;
    image_set_pixel(image, 0, 0, 10, 20, 30);
    image_set_pixel(image, 1, 1, 40, 50, 60);
    const uint8_t want[16] = {0, 0, 0, 40, 50, 60, 0, 0, 10, 20, 30, 0, 0, 0, 0, 0};
    EXPECT_EQ(memcmp(image->pixels, want, sizeof want), 0);
    image_free(image);
}

TEST(Image, BitmapHeaderDescribesABottomUpDib) {
    Image* image = image_create(3, 2);
    ASSERT_NE(image, nullptr);
    BitmapInfoHeader h;
    memset(&h, 0xAB, sizeof h);
    image_fill_bitmap_header(image, &h);
    const BitmapInfoHeader want = {40, 3, 2, 1, 24, 0, 24, 0, 0, 0, 0};
    EXPECT_EQ(memcmp(&h, &want, sizeof h), 0);
    image_free(image);
}

TEST(Image, SetFreeReleasesFramesWithGapsAndDelays) {
    image_free(nullptr);
    image_set_free(nullptr);
    ImageSet set = {(Image**)calloc(3, sizeof(Image*)), 3, (int32_t*)calloc(3, sizeof(int32_t))};
    set.frames[0] = image_create(4, 4);
    set.frames[2] = image_create(4, 4);  // frame 1 stays null, as after a failed allocation
    image_set_free(&set);                // the leak checker proves every block went
    EXPECT_TRUE(set.frames == nullptr && set.delays == nullptr && set.count == 0);
}

TEST(Image, AdoptionPastTheBlockLimitIsRefusedUntouched) {
    // 29999 x 23861 packed rows fit in 2^31 - 1 bytes; padded to the stride they do not.
    uint8_t* block = (uint8_t*)malloc(8);
    memset(block, 7, 8);
    EXPECT_EQ(image_adopt_packed(block, 29999, 23861), nullptr);
    EXPECT_EQ(image_adopt_packed(block, 30001, 1), nullptr);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(block[i], 7);  // still the caller's, unchanged
    free(block);
}
