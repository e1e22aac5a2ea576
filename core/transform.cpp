#include "core/transform.h"

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

namespace {

enum UprightStep { kStepNone, kStepMirror, kStepFlip, kStepRotate180, kStepRotateCw, kStepRotateCcw };

Image* apply_step(const Image* image, UprightStep step) {
    switch (step) {
    case kStepMirror: return image_mirror(image);
    case kStepFlip: return image_flip(image);
    case kStepRotateCw: return image_rotate90(image, 1);
    case kStepRotateCcw: return image_rotate90(image, 0);
    case kStepRotate180: {
        Image* half = image_rotate90(image, 1);
        Image* whole = image_rotate90(half, 1);
        image_free(half);
        return whole;
    }
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
