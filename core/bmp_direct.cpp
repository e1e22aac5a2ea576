// Plain 24-bit bitmaps read straight from the file into the picture: their
// rows are the picture's rows byte for byte, so no copy of the file is held
// beside the picture (a bitmap of 1.2 GB fits a 32-bit process once, not twice).
#include "core/bmp_direct.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/bmp.h"
#include "core/byte_reader.h"
#include "core/decode_message.h"
#include "core/file_bytes.h"

namespace {

// Headers and palette of a file taken this way are read whole first.
const uint32_t kMaxDirectPixelOffset = 1u << 16;
const size_t kFixedHeaderBytes = 34;  // up to and with the compression field

// Reads the stored rows into the picture: bottom-up files in one read, top-down
// ones a row at a time. Rows the file does not have stay black; so does a row
// it has only part of.
void read_rows(FILE* f, Image* image, bool top_down) {
    const size_t stride = (size_t)image->stride;
    if (!top_down) {
        size_t got = fread(image->pixels, 1, stride * (size_t)image->height, f);
        size_t whole = got / stride * stride;
        memset(image->pixels + whole, 0, got - whole);
    } else {
        for (int32_t y = 0; y < image->height; ++y)
            if (fread(image_row(image, y), 1, stride, f) != stride) {
                memset(image_row(image, y), 0, stride);
                break;
            }
    }
    // The file's row padding is anything; the picture's is zero.
    const size_t row = 3 * (size_t)image->width;
    for (int32_t y = 0; y < image->height; ++y) memset(image_row(image, y) + row, 0, stride - row);
}

}  // namespace

Image* read_bmp_direct(const char* path, char* message, bool* taken) {
    *taken = false;
    uint8_t fixed[kFixedHeaderBytes];
    if (file_read_head(path, fixed, sizeof fixed) < (int)sizeof fixed) return nullptr;
    ByteReader r = reader_make(fixed, sizeof fixed);
    const uint16_t magic = reader_u16le(&r);
    reader_skip(&r, 8);
    const uint32_t pixel_offset = reader_u32le(&r);
    const uint32_t header_size = reader_u32le(&r);
    reader_skip(&r, 4);  // width
    const int32_t height = (int32_t)reader_u32le(&r);
    reader_skip(&r, 2);  // planes
    const uint16_t bits = reader_u16le(&r);
    const uint32_t compression = reader_u32le(&r);
    if (r.failed || magic != 0x4D42 || header_size < 40 || bits != 24 || compression != 0 ||
        pixel_offset < 14 + header_size || pixel_offset > kMaxDirectPixelOffset)
        return nullptr;

    *taken = true;
    uint8_t* head = (uint8_t*)malloc(pixel_offset);
    if (!head) {
        set_message(message, kMsgNoMemory);
        return nullptr;
    }
    int got = file_read_head_for_decoder(path, head, pixel_offset, message);
    // The headers alone: the reader checks them as for any bitmap and gives
    // the picture, every row black as for a file cut before its pixels.
    Image* image = got < 0 ? nullptr : decode_bmp(head, (size_t)got, message);
    free(head);
    if (!image) return nullptr;
    FILE* f = fopen(path, "rb");
    if (f && fseek(f, (long)pixel_offset, SEEK_SET) == 0) read_rows(f, image, height < 0);
    if (f) fclose(f);
    return image;
}
