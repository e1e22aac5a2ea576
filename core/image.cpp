#include "core/image.h"

#include <stdlib.h>
#include <string.h>

#include "core/checked.h"

bool image_pixel_bytes(int32_t width, int32_t height, size_t* bytes) {
    if (width < 1 || width > kMaxImageSide || height < 1 || height > kMaxImageSide) return false;
    return checked_pixel_bytes((size_t)image_stride_for(width), (size_t)height, bytes);
}

namespace {

// 0: allocations succeed; n: the nth from now and all later fail. Each
// thread's own, so a test can starve one thread of memory and not another.
thread_local int s_fail_from = 0;
size_t s_cap_bytes = 0;  // 0: no cap

bool allocation_refused() {
    if (s_fail_from == 0) return false;
    if (s_fail_from > 1) {
        --s_fail_from;
        return false;
    }
    return true;
}

// The one allocation of pixel buffers: a new zeroed block when `block` is
// null, else `block` grown to the picture's size. None when the sides are
// refused or memory is short (a block passed in is then left as it was).
Image* allocate_picture(uint8_t* block, int32_t width, int32_t height) {
    size_t bytes = 0;
    if (!image_pixel_bytes(width, height, &bytes) || (s_cap_bytes && bytes > s_cap_bytes) || allocation_refused())
        return nullptr;
    Image* image = (Image*)malloc(sizeof(Image));
    if (!image) return nullptr;
    image->pixels = block ? (uint8_t*)realloc(block, bytes) : (uint8_t*)calloc(bytes, 1);
    if (!image->pixels) {
        free(image);
        return nullptr;
    }
    image->width = width;
    image->height = height;
    image->stride = image_stride_for(width);
    return image;
}

}  // namespace

void image_fail_allocations_from(int n) { s_fail_from = n > 0 ? n : 0; }

void image_cap_pixel_bytes(size_t bytes) { s_cap_bytes = bytes; }

Image* image_create(int32_t width, int32_t height) { return allocate_picture(nullptr, width, height); }

Image* image_adopt_packed(uint8_t* block, int32_t width, int32_t height) {
    if (!block) return nullptr;
    Image* image = allocate_picture(block, width, height);
    if (!image) return nullptr;
    size_t row = (size_t)width * 3, stride = (size_t)image->stride;
    if (stride != row) {
        // From the last row back, so no row is overwritten before it has moved.
        for (int32_t r = height - 1; r >= 0; --r) {
            memmove(image->pixels + (size_t)r * stride, image->pixels + (size_t)r * row, row);
            memset(image->pixels + (size_t)r * stride + row, 0, stride - row);
        }
    }
    return image;
}

void image_free(Image* image) {
    if (!image) return;
    free(image->pixels);
    free(image);
}

void image_fill_bitmap_header(const Image* image, BitmapInfoHeader* header) {
    memset(header, 0, sizeof(*header));
    header->biSize = sizeof(BitmapInfoHeader);
    header->biWidth = image->width;
    header->biHeight = image->height;  // positive: bottom-up rows
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = 0;
    header->biSizeImage = (uint32_t)image->stride * (uint32_t)image->height;
}

void image_set_pixel(Image* image, int32_t x, int32_t y, uint8_t blue, uint8_t green, uint8_t red) {
    uint8_t* p = image_row(image, y) + 3 * (size_t)x;
    p[0] = blue;
    p[1] = green;
    p[2] = red;
}

void image_copy_rgb_rows(Image* image, const uint8_t* rgb, int channels) {
    size_t src_row = (size_t)image->width * channels;
    for (int32_t y = 0; y < image->height; ++y) {
        const uint8_t* s = rgb + (size_t)y * src_row;
        uint8_t* d = image_row(image, y);
        for (int32_t x = 0; x < image->width; ++x, s += channels, d += 3) {
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
        }
    }
}

void image_gray_rows_from(Image* image, int32_t first) {
    for (int32_t y = first < 0 ? 0 : first; y < image->height; ++y)
        memset(image_row(image, y), kMissingRowGray, (size_t)image->width * 3);
}

void image_set_free(ImageSet* set) {
    if (!set) return;
    if (set->frames) {
        for (int32_t i = 0; i < set->count; ++i) image_free(set->frames[i]);
    }
    free(set->frames);
    free(set->delays);
    set->frames = nullptr;
    set->delays = nullptr;
    set->count = 0;
}

bool image_set_append(ImageSet* set, int32_t* capacity, Image* frame) {
    if (set->count == *capacity) {
        int32_t grown = *capacity ? *capacity * 2 : 8;
        Image** frames = (Image**)realloc(set->frames, (size_t)grown * sizeof(Image*));
        if (!frames) {
            image_free(frame);
            return false;
        }
        set->frames = frames;
        *capacity = grown;
    }
    set->frames[set->count++] = frame;
    return true;
}
