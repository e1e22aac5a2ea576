#include "core/transform.h"

#include <math.h>
#include <string.h>

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the quarter turn packs pixels for a little-endian processor"
#endif

// A quarter turn copies strips of kTurnRows source rows, kTurnColumns columns
// at a time: the strip's source bytes are read in order, and each destination
// row being filled gets 3 * kTurnRows bytes at a time while its cache lines
// are still held. A column-by-column walk touches a new cache line with every
// pixel.
const int32_t kTurnRows = 16, kTurnColumns = 1024;

namespace {

// Eight pixels of one source column, `step` bytes apart, each read as four
// bytes, packed into the 24 bytes they take side by side.
inline void put_eight(const uint8_t* s, ptrdiff_t step, uint8_t* d) {
    uint64_t p[8];
    for (int k = 0; k < 8; ++k) {
        uint32_t v;
        memcpy(&v, s + k * step, 4);
        p[k] = v & 0xFFFFFF;
    }
    const uint64_t q[3] = {p[0] | p[1] << 24 | p[2] << 48, p[2] >> 16 | p[3] << 8 | p[4] << 32 | p[5] << 56,
                           p[5] >> 8 | p[6] << 16 | p[7] << 40};
    memcpy(d, q, sizeof q);
}

}  // namespace

Image* image_rotate90(const Image* image, int clockwise) {
    if (!image) return nullptr;
    const int32_t w = image->width, h = image->height;
    Image* out = image_create(h, w);
    if (!out) return nullptr;
    // Rows are stored bottom-up: row y - 1 lies one stride above row y.
    const ptrdiff_t step = clockwise ? image->stride : -(ptrdiff_t)image->stride;
    for (int32_t tx = 0; tx < w; tx += kTurnColumns) {
        const int32_t end = w - tx < kTurnColumns ? w : tx + kTurnColumns;
        for (int32_t ty = 0; ty < h; ty += kTurnRows) {
            const int32_t n = h - ty < kTurnRows ? h - ty : kTurnRows;
            // Destination columns rise as the source rows fall clockwise, and
            // as they rise counter-clockwise.
            const int32_t first = clockwise ? ty + n - 1 : ty, column = clockwise ? h - ty - n : ty;
            for (int32_t x = tx; x < end; ++x) {
                const uint8_t* s = image_row(image, first) + 3 * (size_t)x;
                uint8_t* d = image_row(out, clockwise ? x : w - 1 - x) + 3 * (size_t)column;
                // The fourth byte read must still lie in the row's stride.
                if (n == kTurnRows && 3 * (int64_t)x + 4 <= image->stride)
                    for (int32_t k = 0; k < n; k += 8) put_eight(s + k * step, step, d + 3 * k);
                else
                    for (int32_t k = 0; k < n; ++k) memcpy(d + 3 * k, s + k * step, 3);
            }
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
        memcpy(image_row(out, image->height - 1 - y), image_row(image, y), 3 * (size_t)image->width);
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
