#include <gtest/gtest.h>

#include "core/transform.h"

namespace {

// A 3 x 2 picture whose pixel (x, y) is blue x, green y, red 100 + 10x + y.
Image* numbered() {
    Image* image = image_create(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) image_set_pixel(image, x, y, (uint8_t)x, (uint8_t)y, (uint8_t)(100 + 10 * x + y));
    return image;
}

// The source coordinates the pixel at (x, y) came from.
void origin(const Image* image, int x, int y, int* sx, int* sy) {
    const uint8_t* p = image_row(image, y) + 3 * x;
    *sx = p[0];
    *sy = p[1];
    EXPECT_EQ(p[2], 100 + 10 * p[0] + p[1]);
}

bool padding_is_zero(const Image* image) {
    for (int y = 0; y < image->height; ++y)
        for (int b = 3 * image->width; b < image->stride; ++b)
            if (image_row(image, y)[b]) return false;
    return true;
}

}  // namespace

TEST(Transform, RotateClockwiseAndBack) {
    Image* source = numbered();
    Image* cw = image_rotate90(source, 1);
    ASSERT_NE(cw, nullptr);
    EXPECT_EQ(cw->width, 2);
    EXPECT_EQ(cw->height, 3);
    // (x, y) went to (H - 1 - y, x): the top-left of the result is the bottom-left source pixel.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) {
            int sx, sy;
            origin(cw, x, y, &sx, &sy);
            EXPECT_EQ(sx, y);
            EXPECT_EQ(sy, 1 - x);
        }
    Image* back = image_rotate90(cw, 0);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(memcmp(back->pixels, source->pixels, (size_t)source->stride * source->height), 0);
    EXPECT_TRUE(padding_is_zero(cw));
    image_free(back);
    image_free(cw);
    image_free(source);
}

TEST(Transform, RotateCounterClockwise) {
    Image* source = numbered();
    Image* ccw = image_rotate90(source, 0);
    ASSERT_NE(ccw, nullptr);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) {
            int sx, sy;
            origin(ccw, x, y, &sx, &sy);
            EXPECT_EQ(sx, 2 - y);  // (x, y) went to (y, W - 1 - x)
            EXPECT_EQ(sy, x);
        }
    image_free(ccw);
    image_free(source);
}

TEST(Transform, MirrorAndFlip) {
    Image* source = numbered();
    Image* m = image_mirror(source);
    Image* f = image_flip(source);
    ASSERT_NE(m, nullptr);
    ASSERT_NE(f, nullptr);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            int sx, sy;
            origin(m, x, y, &sx, &sy);
            EXPECT_EQ(sx, 2 - x);
            EXPECT_EQ(sy, y);
            origin(f, x, y, &sx, &sy);
            EXPECT_EQ(sx, x);
            EXPECT_EQ(sy, 1 - y);
        }
    EXPECT_TRUE(padding_is_zero(m));
    image_free(m);
    image_free(f);
    image_free(source);
}

TEST(Transform, NoneGivesNone) {
    EXPECT_EQ(image_rotate90(nullptr, 1), nullptr);
    EXPECT_EQ(image_mirror(nullptr), nullptr);
    EXPECT_EQ(image_flip(nullptr), nullptr);
}
