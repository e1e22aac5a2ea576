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
