#include <gtest/gtest.h>
#include <limits.h>
#include <string.h>

#include <memory>

#include "core/transform.h"
#include "tests/support/reference.h"

namespace {

struct FreeImage {
    void operator()(Image* image) const { image_free(image); }
};
using Picture = std::unique_ptr<Image, FreeImage>;

Picture picture_of(const RefPicture& ref) {
    Picture image(image_create(ref.width, ref.height));
    for (int y = 0; image && y < ref.height; ++y)
        for (int x = 0; x < ref.width; ++x) {
            const unsigned char* p = &ref.rgb[((size_t)y * ref.width + x) * 3];
            image_set_pixel(image.get(), x, y, p[2], p[1], p[0]);
        }
    return image;
}

Picture noise(int w, int h, uint32_t seed) {
    Picture image(image_create(w, h));
    for (int y = 0; y < h; ++y)
        for (int i = 0; i < 3 * w; ++i) {
            seed = seed * 1103515245u + 12345u;
            image_row(image.get(), y)[i] = (uint8_t)(seed >> 16);
        }
    return image;
}

// ((i + 0.5) * size / n - 0.5) * 256 taken in one integer division; the
// first neighbour and the weight of the second, clamped at the last sample.
void neighbour(int64_t i, int64_t size, int64_t n, int* first, int* weight) {
    int64_t pos = (2 * i + 1) * size * 128 / n - 128;
    if (pos < 0) pos = 0;
    *first = (int)(pos / 256), *weight = (int)(pos % 256);
    if (*first >= size - 1) *first = (int)size - 1, *weight = 0;
}

// The first difference between image_resize's result and the four-neighbour
// formula evaluated for every byte alone; "" when there is none.
std::string differs_from_formula(const Image* src, const Image* out) {
    const int W = src->width, H = src->height;
    for (int y = 0; y < out->height; ++y) {
        int y0, fy;
        neighbour(y, H, out->height, &y0, &fy);
        const int y1 = y0 + 1 < H ? y0 + 1 : y0;
        for (int x = 0; x < out->width; ++x) {
            int x0, fx;
            neighbour(x, W, out->width, &x0, &fx);
            const int x1 = x0 + 1 < W ? x0 + 1 : x0;
            for (int c = 0; c < 3; ++c) {
                auto p = [&](int px, int py) { return (int)image_row(src, py)[3 * px + c]; };
                const int top = (p(x0, y0) * (256 - fx) + p(x1, y0) * fx) / 256;
                const int bottom = (p(x0, y1) * (256 - fx) + p(x1, y1) * fx) / 256;
                const int want = (top * (256 - fy) + bottom * fy) / 256, have = image_row(out, y)[3 * x + c];
                if (have != want)
                    return "pixel (" + std::to_string(x) + "," + std::to_string(y) + ") byte " + std::to_string(c) +
                           ": want " + std::to_string(want) + ", have " + std::to_string(have);
            }
        }
        for (int i = 3 * out->width; i < out->stride; ++i)
            if (image_row(out, y)[i]) return "row " + std::to_string(y) + ": padding not 0";
    }
    return "";
}

// Whether `part` is the w x h rectangle of `whole` at (x, y), padding 0.
bool is_part_of(const Image* part, const Image* whole, int x, int y, int w, int h) {
    if (part->width != w || part->height != h) return false;
    for (int r = 0; r < h; ++r) {
        const uint8_t* row = image_row(part, r);
        if (memcmp(row, image_row(whole, y + r) + 3 * x, 3 * (size_t)w) != 0) return false;
        for (int i = 3 * w; i < part->stride; ++i)
            if (row[i]) return false;
    }
    return true;
}

}  // namespace

TEST(Transform, TurnsMirrorsFlipsAndCropsMatchPillow) {
    const struct { int w, h; } sizes[] = {{1, 7}, {2, 5}, {3, 3}, {5, 9}, {4, 33}, {67, 37}, {1030, 19}};
    for (auto s : sizes) {
        const std::string base = "xf-" + std::to_string(s.w) + "x" + std::to_string(s.h);
        RefPicture source;
        ASSERT_TRUE(read_ppm(data_path(base + ".ppm"), &source)) << base << ".ppm (scripts/make-test-data.sh)";
        Picture image = picture_of(source);
        const int cw = s.w / 2 > 1 ? s.w / 2 : 1, ch = s.h / 2 > 1 ? s.h / 2 : 1;
        const struct { const char* op; Picture made; } results[] = {
            {"cw", Picture(image_rotate90(image.get(), 1))}, {"ccw", Picture(image_rotate90(image.get(), 0))},
            {"mirror", Picture(image_mirror(image.get()))},  {"flip", Picture(image_flip(image.get()))},
            {"180", Picture(image_rotate180(image.get()))},
            {"crop", Picture(image_crop(image.get(), s.w / 3, s.h / 3, cw, ch))},
        };
        for (const auto& r : results) {
            RefPicture want;
            ASSERT_TRUE(read_ppm(data_path(base + "-" + r.op + ".ppm"), &want)) << base << "-" << r.op;
            ASSERT_TRUE(r.made) << base << " " << r.op << ": no picture";
            EXPECT_EQ(compare_with_reference(r.made.get(), want), "") << base << " " << r.op;
        }
        EXPECT_EQ(compare_with_reference(image.get(), source), "") << base << ": the source changed";
    }
}

TEST(Transform, ResizeFollowsTheFormulaOnBothPaths) {
#if defined(__x86_64__)
    EXPECT_TRUE(image_resize_allow_sse2(true)) << "every x86-64 processor has SSE2";
#endif
    const struct { int W, H, w, h; } cases[] = {
        {1, 1, 4, 4},       {2, 1, 4, 1},         {5, 3, 2, 7},        {3, 5, 1, 1},       {2, 2, 5, 3},
        {1, 9, 5, 2},       {5, 7, 3, 3},         {67, 37, 200, 9},    {67, 37, 13, 101},  {1030, 19, 517, 40},
        {4, 4, 30, 30},     {1, 1, 30000, 1},     {30000, 1, 29999, 1}, {1, 30000, 30000, 1}, {1, 1, 1, 30000},
        {5, 9, 5, 9},       {67, 37, 67, 37},     // the same size: every pixel sampled at its centre, a copy
    };
    for (bool sse2 : {true, false}) {
        const bool used = image_resize_allow_sse2(sse2);
        for (auto c : cases) {
            Picture source = noise(c.W, c.H, (uint32_t)(c.W * 31 + c.H));
            Picture out(image_resize(source.get(), c.w, c.h));
            ASSERT_TRUE(out) << c.W << "x" << c.H << " -> " << c.w << "x" << c.h;
            ASSERT_TRUE(out->width == c.w && out->height == c.h);
            EXPECT_EQ(differs_from_formula(source.get(), out.get()), "")
                << c.W << "x" << c.H << " -> " << c.w << "x" << c.h << (used ? " with SSE2" : " without SSE2");
        }
    }
    image_resize_allow_sse2(true);
}

TEST(Transform, ResizeWorkedExampleAndRefusedSizes) {
    // Black and white widened to four: the formula worked out by hand.
    Picture pair(image_create(2, 1));
    image_set_pixel(pair.get(), 1, 0, 255, 255, 255);
    Picture ramp(image_resize(pair.get(), 4, 1));
    ASSERT_TRUE(ramp);
    const int want[4] = {0, 63, 191, 255};
    for (int x = 0; x < 4; ++x)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(image_row(ramp.get(), 0)[3 * x + c], want[x]) << "pixel " << x;
    for (auto s : {std::make_pair(0, 5), std::make_pair(5, 0), std::make_pair(-1, 5), std::make_pair(INT_MIN, INT_MIN),
                   std::make_pair(30001, 1), std::make_pair(1, INT_MAX)})
        EXPECT_EQ(image_resize(pair.get(), s.first, s.second), nullptr) << s.first << "x" << s.second;
}

TEST(Transform, CropClipsToThePicture) {
    Picture image = noise(7, 5, 3);
    const struct { int x, y, w, h, at_x, at_y, want_w, want_h; } cases[] = {
        {-5, 0, 10, 5, 0, 0, 5, 5},        {0, -2, 3, 4, 0, 0, 3, 2},     {4, 2, 100, 100, 4, 2, 3, 3},
        {0, 0, INT_MAX, INT_MAX, 0, 0, 7, 5}, {-1, -1, INT_MAX, INT_MAX, 0, 0, 7, 5}, {6, 4, 1, 1, 6, 4, 1, 1},
        {7, 0, 1, 1, 0, 0, 0, 0},          {0, 5, 1, 1, 0, 0, 0, 0},      {-3, 0, 3, 5, 0, 0, 0, 0},
        {2, 1, 0, 3, 0, 0, 0, 0},          {2, 1, 3, -1, 0, 0, 0, 0},     {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 0, 0},
        {INT_MAX, 0, INT_MAX, 5, 0, 0, 0, 0}, {0, INT_MIN, 7, INT_MIN, 0, 0, 0, 0},
    };
    for (auto c : cases) {
        Picture part(image_crop(image.get(), c.x, c.y, c.w, c.h));
        if (c.want_w == 0) {
            EXPECT_FALSE(part) << c.x << "," << c.y << " " << c.w << "x" << c.h << ": want none";
            continue;
        }
        ASSERT_TRUE(part) << c.x << "," << c.y << " " << c.w << "x" << c.h << ": no picture";
        EXPECT_TRUE(is_part_of(part.get(), image.get(), c.at_x, c.at_y, c.want_w, c.want_h))
            << c.x << "," << c.y << " " << c.w << "x" << c.h << ": want " << c.want_w << "x" << c.want_h << " at "
            << c.at_x << "," << c.at_y << ", have " << part->width << "x" << part->height;
    }
}

TEST(Transform, ColourTableEdgesAndGamma) {
    // Entries worked out by hand from the brightness, contrast and gamma rules.
    const struct { int brightness, contrast; double gamma; int i, want; } cases[] = {
        {100, 0, 1.0, 0, 255},    {100, 0, 1.0, 255, 255}, {-100, 0, 1.0, 255, 0}, {0, -100, 1.0, 0, 128},
        {0, -100, 1.0, 255, 128}, {0, 0, 2.0, 1, 16},      {0, 0, 2.0, 64, 128},   {0, 0, 2.0, 128, 181},
        {0, 0, 2.0, 255, 255},    {0, 0, 0.5, 16, 1},      {0, 0, 0.5, 128, 64},   {0, 0, 0.5, 200, 157},
        {0, 100, 1.0, 0, 0},      {0, 100, 1.0, 100, 72},  {0, 100, 1.0, 191, 254}, {0, 100, 1.0, 192, 255},
        {20, 50, 1.0, 0, 0},      {20, 50, 1.0, 102, 140}, {20, 50, 1.0, 200, 255}, {100, 0, 0.5, 0, 255},
    };
    uint8_t lut[256];
    for (auto c : cases) {
        build_color_lut(c.brightness, c.contrast, c.gamma, lut);
        EXPECT_EQ(lut[c.i], c.want) << "brightness " << c.brightness << " contrast " << c.contrast << " gamma "
                                    << c.gamma << " entry " << c.i;
    }
    build_color_lut(0, 0, 1.0, lut);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(lut[i], i) << "brightness 0, contrast 0, gamma 1.00: entry " << i;
}

TEST(Transform, TableAndGrayscaleMapEveryByte) {
    // Blue, green, red in, then the gray of (29 b + 150 g + 77 r) >> 8 by hand.
    const struct { uint8_t b, g, r, gray; } pixels[] = {
        {255, 255, 255, 255}, {0, 0, 0, 0}, {255, 0, 0, 28}, {0, 255, 0, 149}, {0, 0, 255, 76}, {10, 20, 30, 21},
        {200, 100, 50, 96},
    };
    const int n = (int)(sizeof pixels / sizeof pixels[0]);
    Picture row(image_create(n, 1));
    for (int x = 0; x < n; ++x) image_set_pixel(row.get(), x, 0, pixels[x].b, pixels[x].g, pixels[x].r);
    uint8_t lut[256];
    for (int i = 0; i < 256; ++i) lut[i] = (uint8_t)(255 - i);
    Picture mapped(image_apply_lut(row.get(), lut)), gray(image_grayscale(row.get()));
    ASSERT_TRUE(mapped && gray);
    for (int x = 0; x < n; ++x) {
        const uint8_t* in = image_row(row.get(), 0) + 3 * x;
        const uint8_t* m = image_row(mapped.get(), 0) + 3 * x;
        const uint8_t* g = image_row(gray.get(), 0) + 3 * x;
        EXPECT_TRUE(m[0] == 255 - in[0] && m[1] == 255 - in[1] && m[2] == 255 - in[2]) << "table, pixel " << x;
        EXPECT_TRUE(g[0] == pixels[x].gray && g[1] == pixels[x].gray && g[2] == pixels[x].gray)
            << "gray of pixel " << x << ": want " << (int)pixels[x].gray << ", have " << (int)g[0] << "," << (int)g[1]
            << "," << (int)g[2];
    }
    for (const Image* made : {mapped.get(), gray.get()})
        for (int i = 3 * n; i < made->stride; ++i) EXPECT_EQ(made->pixels[i], 0) << "padding byte " << i;
}
