#include "core/image.h"

#include <stdlib.h>
#include <string.h>

#include "core/checked.h"

Image* image_create(int32_t width, int32_t height) {
    if (width < 1 || width > kMaxImageSide || height < 1 || height > kMaxImageSide) return nullptr;
    int32_t stride = image_stride_for(width);
    size_t bytes = 0;
    if (!checked_pixel_bytes((size_t)stride, (size_t)height, &bytes)) return nullptr;
    Image* image = (Image*)malloc(sizeof(Image));
    if (!image) return nullptr;
    image->pixels = (uint8_t*)calloc(bytes, 1);
    if (!image->pixels) {
        free(image);
        return nullptr;
    }
    image->width = width;
    image->height = height;
    image->stride = stride;
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
