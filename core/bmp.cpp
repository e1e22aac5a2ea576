#include "core/bmp.h"
#include "core/bmp_direct.h"

#include <stdlib.h>
#include <string.h>

#include "core/byte_reader.h"
#include "core/checked.h"
#include "core/decode_message.h"
#include "core/file_bytes.h"

namespace {

// A file larger than any legal bitmap plus its headers is not read at all.
const size_t kMaxBmpFileBytes = kMaxBlockBytes;

struct BmpInfo {
    int32_t width;
    int32_t height;  // as stored: negative means top-down rows
    uint16_t bits;
    uint32_t compression;
    uint32_t colors_used;
    uint32_t header_size;
    uint32_t pixel_offset;
};

// Where the palette starts. It follows the information header, whatever its
// version: version 4 and 5 headers (108 and 124 bytes) put it further on than
// the 40-byte one. A size field we do not know is ignored and the palette is
// taken right after the first 40 bytes.
size_t palette_offset(uint32_t header_size) {
    switch (header_size) {
    case 52: case 56: case 64: case 108: case 124:
        return 14 + header_size;
    default:
        return 14 + 40;
    }
}

void convert_indexed_row(const uint8_t* src, uint8_t* dst, int32_t width, int bits, const uint8_t (*palette)[3]) {
    for (int32_t x = 0; x < width; ++x) {
        unsigned index;
        if (bits == 8) index = src[x];
        else if (bits == 4) index = (x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4);
        else index = (src[x >> 3] >> (7 - (x & 7))) & 1;
        memcpy(dst + 3 * x, palette[index], 3);
    }
}

void convert_row(const uint8_t* src, uint8_t* dst, int32_t width, int bits, const uint8_t (*palette)[3]) {
    switch (bits) {
    case 24:
        memcpy(dst, src, 3 * (size_t)width);  // already blue, green, red
        break;
    case 32:
        for (int32_t x = 0; x < width; ++x) {
            dst[3 * x] = src[4 * x];
            dst[3 * x + 1] = src[4 * x + 1];
            dst[3 * x + 2] = src[4 * x + 2];
        }
        break;
    default:
        convert_indexed_row(src, dst, width, bits, palette);
        break;
    }
}

}  // namespace

Image* decode_bmp(const uint8_t* data, size_t size, char* message) {
    clear_message(message);
    ByteReader r = reader_make(data, size);

    uint16_t magic = reader_u16le(&r);
    reader_skip(&r, 8);  // file size and two reserved words
    BmpInfo info = {};
    info.pixel_offset = reader_u32le(&r);
    if (r.failed || magic != 0x4D42) {
        set_message(message, kMsgBmpBadHeader);
        return nullptr;
    }

    info.header_size = reader_u32le(&r);
    info.width = (int32_t)reader_u32le(&r);
    info.height = (int32_t)reader_u32le(&r);
    reader_skip(&r, 2);  // planes
    info.bits = reader_u16le(&r);
    info.compression = reader_u32le(&r);
    reader_skip(&r, 12);  // image size, resolution
    info.colors_used = reader_u32le(&r);
    reader_skip(&r, 4);  // important colours
    if (r.failed) {
        set_message(message, kMsgBmpNoInfo);
        return nullptr;
    }
    if (info.compression != 0) {
        set_message(message, kMsgBmpCompressed);
        return nullptr;
    }
    int bits = info.bits;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        set_message(message, kMsgBmpBadDepth);
        return nullptr;
    }
    bool top_down = info.height < 0;
    // Widened first: the negation of the most negative height does not fit.
    int64_t height = top_down ? -(int64_t)info.height : (int64_t)info.height;

    uint8_t palette[256][3] = {};  // unread entries give black
    if (bits <= 8) {
        uint32_t colors = info.colors_used ? info.colors_used : (1u << bits);
        if (colors > 256) colors = 256;
        reader_seek(&r, palette_offset(info.header_size));
        for (uint32_t i = 0; i < colors; ++i) {
            const uint8_t* entry = reader_take(&r, 4);
            if (!entry) {
                set_message(message, kMsgBmpNoPalette);
                return nullptr;
            }
            memcpy(palette[i], entry, 3);
        }
    }

    Image* image = (height >= 1 && height <= kMaxImageSide) ? image_create(info.width, (int32_t)height) : nullptr;
    if (!image) {
        set_message(message, kMsgNoMemory);
        return nullptr;
    }

    size_t row_bytes = (((size_t)image->width * bits + 31) / 32) * 4;
    // Rows that are not in the file stay black: a picture cut short still opens.
    reader_seek(&r, info.pixel_offset);
    for (int32_t stored = 0; stored < image->height; ++stored) {
        const uint8_t* src = reader_take(&r, row_bytes);
        if (!src) break;
        int32_t y = top_down ? stored : image->height - 1 - stored;
        convert_row(src, image_row(image, y), image->width, bits, palette);
    }
    return image;
}

Image* read_bmp(const char* path, char* message) {
    clear_message(message);
    bool taken = false;
    Image* direct = read_bmp_direct(path, message, &taken);
    if (taken) return direct;
    FileBytes file;
    if (!file_bytes_read_for_decoder(path, kMaxBmpFileBytes, &file, message)) return nullptr;
    Image* image = decode_bmp(file.data, file.size, message);
    file_bytes_free(&file);
    return image;
}
