#include "core/transform.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

Image* image_rotate90(const Image* image, int clockwise) {
    if (!image) return nullptr;
    const int w = image->width, h = image->height;
    Image* out = image_create(h, w);
    if (!out) return nullptr;
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = image_row(image, y);
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = row + 3 * x;
            if (clockwise) image_set_pixel(out, h - 1 - y, x, p[0], p[1], p[2]);
            else image_set_pixel(out, y, w - 1 - x, p[0], p[1], p[2]);
        }
    }
    return out;
}

Image* image_mirror(const Image* image) {
    if (!image) return nullptr;
    Image* out = image_create(image->width, image->height);
    if (!out) return nullptr;
    const int w = image->width;
    for (int y = 0; y < image->height; ++y) {
        const uint8_t* src = image_row(image, y);
        uint8_t* dst = image_row(out, y);
        for (int x = 0; x < w; ++x) memcpy(dst + 3 * (w - 1 - x), src + 3 * x, 3);
    }
    return out;
}

Image* image_flip(const Image* image) {
    if (!image) return nullptr;
    Image* out = image_create(image->width, image->height);
    if (!out) return nullptr;
    for (int y = 0; y < image->height; ++y)
        memcpy(image_row(out, image->height - 1 - y), image_row(image, y), (size_t)image->stride);
    return out;
}

Image* image_rotate180(const Image* image) {
    if (!image) return nullptr;
    const int w = image->width, h = image->height;
    Image* out = image_create(w, h);
    if (!out) return nullptr;
    for (int y = 0; y < h; ++y) {
        const uint8_t* src = image_row(image, y);
        uint8_t* dst = image_row(out, h - 1 - y);
        for (int x = 0; x < w; ++x) memcpy(dst + 3 * (w - 1 - x), src + 3 * x, 3);
    }
    return out;
}

Image* image_crop(const Image* image, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!image) return nullptr;
    // 64-bit so that extreme arguments cannot wrap on the way to the clip.
    int64_t left = x, top = y, width = w, height = h;
    if (left < 0) width += left, left = 0;
    if (top < 0) height += top, top = 0;
    if (width > image->width - left) width = image->width - left;
    if (height > image->height - top) height = image->height - top;
    if (width < 1 || height < 1) return nullptr;
    Image* out = image_create((int32_t)width, (int32_t)height);
    if (!out) return nullptr;
    for (int32_t row = 0; row < (int32_t)height; ++row)
        memcpy(image_row(out, row), image_row(image, (int32_t)top + row) + 3 * left, 3 * (size_t)width);
    return out;
}

namespace {

// Source positions of n destination samples over a source of `size`, in
// 1/256 pixel with the pixel centres aligned: index and weight of each.
bool resample_positions(int32_t size, int32_t n, int32_t* index, int32_t* weight) {
    for (int32_t i = 0; i < n; ++i) {
        int64_t t = (2 * (int64_t)i + 1) * size;
        int64_t pos = (t / n) * 128 + ((t % n) * 128) / n - 128;
        if (pos < 0) pos = 0;
        index[i] = (int32_t)(pos >> 8);
        weight[i] = (int32_t)(pos & 255);
        if (index[i] >= size - 1) index[i] = size - 1, weight[i] = 0;
    }
    return true;
}

}  // namespace

Image* image_resize(const Image* image, int32_t w, int32_t h) {
    if (!image || w < 1 || h < 1) return nullptr;
    Image* out = image_create(w, h);
    if (!out) return nullptr;
    int32_t* xs = (int32_t*)malloc(sizeof(int32_t) * 2 * (size_t)w);
    int32_t* ys = (int32_t*)malloc(sizeof(int32_t) * 2 * (size_t)h);
    if (!xs || !ys) {
        free(xs);
        free(ys);
        image_free(out);
        return nullptr;
    }
    const int32_t W = image->width, H = image->height;
    resample_positions(W, w, xs, xs + w);
    resample_positions(H, h, ys, ys + h);
    for (int32_t y = 0; y < h; ++y) {
        int32_t y0 = ys[y], fy = ys[h + y], y1 = y0 + 1 < H ? y0 + 1 : y0;
        const uint8_t* r0 = image_row(image, y0);
        const uint8_t* r1 = image_row(image, y1);
        uint8_t* d = image_row(out, y);
        for (int32_t x = 0; x < w; ++x) {
            int32_t x0 = xs[x], fx = xs[w + x], x1 = x0 + 1 < W ? x0 + 1 : x0;
            for (int c = 0; c < 3; ++c) {
                int top = (r0[3 * x0 + c] * (256 - fx) + r0[3 * x1 + c] * fx) >> 8;
                int bottom = (r1[3 * x0 + c] * (256 - fx) + r1[3 * x1 + c] * fx) >> 8;
                d[3 * x + c] = (uint8_t)((top * (256 - fy) + bottom * fy) >> 8);
            }
        }
    }
    free(xs);
    free(ys);
    return out;
}

Image* image_apply_lut(const Image* image, const uint8_t lut[256]) {
    if (!image || !lut) return nullptr;
    Image* out = image_create(image->width, image->height);
    if (!out) return nullptr;
    const size_t row = 3 * (size_t)image->width;
    for (int32_t y = 0; y < image->height; ++y) {
        const uint8_t* s = image_row(image, y);
        uint8_t* d = image_row(out, y);
        for (size_t i = 0; i < row; ++i) d[i] = lut[s[i]];
    }
    return out;
}

Image* image_grayscale(const Image* image) {
    if (!image) return nullptr;
    Image* out = image_create(image->width, image->height);
    if (!out) return nullptr;
    for (int32_t y = 0; y < image->height; ++y) {
        const uint8_t* s = image_row(image, y);
        uint8_t* d = image_row(out, y);
        for (int32_t x = 0; x < image->width; ++x, s += 3, d += 3) {
            unsigned g = (29u * s[0] + 150u * s[1] + 77u * s[2]) >> 8;
            d[0] = d[1] = d[2] = (uint8_t)(g > 255 ? 255 : g);
        }
    }
    return out;
}

void build_color_lut(int brightness, int contrast, double gamma, uint8_t lut[256]) {
    const double k = (contrast + 100) / 100.0;
    const bool use_gamma = gamma > 1.001 || gamma < 0.999;
    for (int i = 0; i < 256; ++i) {
        double v = (i - 128) * k + 128 + brightness * 2.55;
        v = v < 0 ? 0 : v > 255 ? 255 : v;
        if (use_gamma) {
            v = 255 * pow(v / 255, 1 / gamma);
            v = v < 0 ? 0 : v > 255 ? 255 : v;
        }
        lut[i] = (uint8_t)(v + 0.5);
    }
}

namespace {

enum UprightStep { kStepNone, kStepMirror, kStepFlip, kStepRotate180, kStepRotateCw, kStepRotateCcw };

Image* apply_step(const Image* image, UprightStep step) {
    switch (step) {
    case kStepMirror: return image_mirror(image);
    case kStepFlip: return image_flip(image);
    case kStepRotateCw: return image_rotate90(image, 1);
    case kStepRotateCcw: return image_rotate90(image, 0);
    case kStepRotate180: return image_rotate180(image);
    default: return nullptr;
    }
}

}  // namespace

Image* image_upright(const Image* image, int orientation) {
    // By orientation: the first step, then the second. 5 and 7 are stored
    // transposed and need a turn and a mirror.
    static const UprightStep kSteps[9][2] = {
        {kStepNone, kStepNone},          // 0: not a value
        {kStepNone, kStepNone},          // 1: upright
        {kStepMirror, kStepNone},        // 2
        {kStepRotate180, kStepNone},     // 3
        {kStepFlip, kStepNone},          // 4
        {kStepRotateCw, kStepMirror},    // 5
        {kStepRotateCw, kStepNone},      // 6
        {kStepRotateCcw, kStepMirror},   // 7
        {kStepRotateCcw, kStepNone},     // 8
    };
    if (orientation < 1 || orientation > 8) return nullptr;
    Image* first = apply_step(image, kSteps[orientation][0]);
    if (!first || kSteps[orientation][1] == kStepNone) return first;
    Image* second = apply_step(first, kSteps[orientation][1]);
    image_free(first);
    return second;
}
