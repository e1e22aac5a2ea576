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

const uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;
// OS/2 1.x: a 12-byte core header of 16-bit sides and 3-byte palette entries.
const uint32_t kCoreHeaderBytes = 12;
// OS/2 2.x: compressions 3 and 4 mean Huffman and RLE24 there, not bit fields.
const uint32_t kOs2v2HeaderBytes = 64;
const size_t kFileHeaderBytes = 14;
// Bit fields follow the 40-byte part of every Windows information header.
const size_t kMaskOffset = kFileHeaderBytes + 40;

struct BmpInfo {
    int32_t width;
    int32_t height;  // as stored: negative means top-down rows
    uint16_t bits;
    uint32_t compression;
    uint32_t colors_used;
    uint32_t header_size;
    uint32_t pixel_offset;
};

// One colour of a bit-field pixel: where its bits are and how they widen.
struct Channel {
    uint32_t mask;
    int shift;     // of its lowest bit
    int drop;      // low bits beyond the top 8 of wide masks
    uint32_t max;  // its largest value after the drop; 0 for an empty mask
};

// Masks of one run of bits (or none) only; wider than 8 bits keep their top 8.
bool channel_of(uint32_t mask, Channel* c) {
    *c = Channel{mask, 0, 0, 0};
    if (!mask) return true;
    while (!((mask >> c->shift) & 1)) ++c->shift;
    uint32_t run = mask >> c->shift;
    if (run & (run + 1)) return false;  // a gap inside the mask
    int bits = 0;
    for (uint32_t v = run; v; v >>= 1) ++bits;
    c->drop = bits > 8 ? bits - 8 : 0;
    c->max = (1u << (bits - c->drop)) - 1;
    return true;
}

// The value scaled to 0..255, rounded to the nearest level.
inline uint8_t channel_value(const Channel& c, uint32_t pixel) {
    if (!c.max) return 0;
    uint32_t v = ((pixel & c.mask) >> c.shift) >> c.drop;
    return (uint8_t)((v * 255 + c.max / 2) / c.max);
}

struct Format {
    int bits;
    bool rle, top_down, core;
    Channel blue, green, red;  // 16 and 32 bits
    bool plain32;              // 32 bits as blue, green, red bytes: no masks to apply
};

// Where the palette starts. It follows the information header, whatever its
// version: version 4 and 5 headers (108 and 124 bytes) put it further on than
// the 40-byte one. A size field we do not know is ignored and the palette is
// taken right after the first 40 bytes.
size_t palette_offset(uint32_t header_size) {
    switch (header_size) {
    case kCoreHeaderBytes: case 52: case 56: case 64: case 108: case 124:
        return kFileHeaderBytes + header_size;
    default:
        return kFileHeaderBytes + 40;
    }
}

// The file and information headers; false with the message when they fail.
bool read_headers(ByteReader* r, BmpInfo* info, char* message) {
    uint16_t magic = reader_u16le(r);
    reader_skip(r, 8);  // file size and two reserved words
    *info = BmpInfo{};
    info->pixel_offset = reader_u32le(r);
    if (r->failed || magic != 0x4D42) {
        set_message(message, kMsgBmpBadHeader);
        return false;
    }
    info->header_size = reader_u32le(r);
    if (info->header_size == kCoreHeaderBytes) {
        info->width = reader_u16le(r);
        info->height = reader_u16le(r);
        reader_skip(r, 2);  // planes
        info->bits = reader_u16le(r);
    } else {
        info->width = (int32_t)reader_u32le(r);
        info->height = (int32_t)reader_u32le(r);
        reader_skip(r, 2);  // planes
        info->bits = reader_u16le(r);
        info->compression = reader_u32le(r);
        reader_skip(r, 12);  // image size, resolution
        info->colors_used = reader_u32le(r);
        reader_skip(r, 4);  // important colours
    }
    if (r->failed) {
        set_message(message, kMsgBmpNoInfo);
        return false;
    }
    return true;
}

// What the headers ask for, or the reason it is refused.
const char* format_of(const uint8_t* data, size_t size, const BmpInfo& info, Format* f) {
    *f = Format{};
    f->bits = info.bits;
    f->top_down = info.height < 0;
    f->core = info.header_size == kCoreHeaderBytes;
    bool os2_codes = info.header_size == kOs2v2HeaderBytes;
    uint32_t c = info.compression;
    f->rle = (c == kBiRle8 && f->bits == 8) || (c == kBiRle4 && f->bits == 4);
    bool fields = !os2_codes && c == kBiBitfields && (f->bits == 16 || f->bits == 32);
    // RLE rows are stored bottom-up only.
    if (!(c == kBiRgb || fields || f->rle) || (f->rle && f->top_down)) return kMsgBmpCompressed;
    int bits = f->bits;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return kMsgBmpBadDepth;
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // 16 bits without masks: 5-5-5
    if (bits == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (fields) {
        ByteReader r = reader_make(data, size);
        reader_seek(&r, kMaskOffset);
        for (uint32_t& m : masks) m = reader_u32le(&r);
        if (r.failed) return kMsgBmpNoInfo;
    }
    if (!channel_of(masks[0], &f->red) || !channel_of(masks[1], &f->green) || !channel_of(masks[2], &f->blue))
        return kMsgBmpCompressed;
    f->plain32 = bits == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;
    return nullptr;
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

void convert_fields_row(const uint8_t* src, uint8_t* dst, int32_t width, const Format& f) {
    int step = f.bits / 8;
    for (int32_t x = 0; x < width; ++x, src += step, dst += 3) {
        uint32_t pixel = step == 2 ? (uint32_t)src[0] | (uint32_t)src[1] << 8
                                   : (uint32_t)src[0] | (uint32_t)src[1] << 8 | (uint32_t)src[2] << 16 |
                                         (uint32_t)src[3] << 24;
        dst[0] = channel_value(f.blue, pixel);
        dst[1] = channel_value(f.green, pixel);
        dst[2] = channel_value(f.red, pixel);
    }
}

void convert_row(const uint8_t* src, uint8_t* dst, int32_t width, const Format& f, const uint8_t (*palette)[3]) {
    if (f.bits == 24) {
        memcpy(dst, src, 3 * (size_t)width);  // already blue, green, red
    } else if (f.plain32) {
        for (int32_t x = 0; x < width; ++x) {
            dst[3 * x] = src[4 * x];
            dst[3 * x + 1] = src[4 * x + 1];
            dst[3 * x + 2] = src[4 * x + 2];
        }
    } else if (f.bits >= 16) {
        convert_fields_row(src, dst, width, f);
    } else {
        convert_indexed_row(src, dst, width, f.bits, palette);
    }
}

// RLE8 and RLE4 (bottom-up only): runs and literal groups of palette
// indexes, with escapes for the end of a line, the end of the picture and a
// jump ahead. A run past its row's end is cut, not wrapped; a jump out of
// the picture, the end of the data and anything past the last row end the
// decoding, keeping what was drawn. Pixels the file never sets keep
// palette entry 0.
void decode_rle(ByteReader* r, Image* image, int bits, const uint8_t (*palette)[3]) {
    bool black = !palette[0][0] && !palette[0][1] && !palette[0][2];  // a new picture is black already
    for (int32_t y = 0; y < image->height && !black; ++y)
        for (int32_t x = 0; x < image->width; ++x) memcpy(image_row(image, y) + 3 * x, palette[0], 3);
    int64_t x = 0, row = 0;  // row counts from the bottom
    auto put = [&](unsigned index) {
        if (x < image->width) memcpy(image_row(image, image->height - 1 - (int32_t)row) + 3 * x, palette[index], 3);
        ++x;
    };
    while (row < image->height) {
        const uint8_t* pair = reader_take(r, 2);
        if (!pair) return;
        if (pair[0] > 0) {  // a run: one index, or two alternating in RLE4
            for (int i = 0; i < pair[0] && x < image->width; ++i)
                put(bits == 8 ? pair[1] : (i & 1) ? pair[1] & 0x0F : pair[1] >> 4);
            continue;
        }
        if (pair[1] == 0) {  // end of line
            x = 0;
            ++row;
        } else if (pair[1] == 1) {  // end of the picture
            return;
        } else if (pair[1] == 2) {  // jump right and up
            const uint8_t* delta = reader_take(r, 2);
            if (!delta) return;
            x += delta[0];
            row += delta[1];
        } else {  // that many indexes stored as they are, padded to 16 bits
            int n = pair[1];
            size_t bytes = bits == 8 ? (size_t)n : (size_t)(n + 1) / 2;
            const uint8_t* literal = reader_take(r, bytes + (bytes & 1));
            size_t have = literal ? bytes : reader_left(r);
            if (!literal) literal = reader_take(r, have);
            for (int i = 0; i < n && (size_t)(bits == 8 ? i : i / 2) < have; ++i)
                put(bits == 8 ? literal[i] : (i & 1) ? literal[i / 2] & 0x0F : literal[i / 2] >> 4);
            if (have < bytes) return;
        }
    }
}

}  // namespace

Image* decode_bmp(const uint8_t* data, size_t size, char* message) {
    clear_message(message);
    ByteReader r = reader_make(data, size);
    BmpInfo info;
    if (!read_headers(&r, &info, message)) return nullptr;
    Format f;
    if (const char* reason = format_of(data, size, info, &f)) {
        set_message(message, reason);
        return nullptr;
    }
    // Widened first: the negation of the most negative height does not fit.
    int64_t height = f.top_down ? -(int64_t)info.height : (int64_t)info.height;

    uint8_t palette[256][3] = {};  // unread entries give black
    if (f.bits <= 8) {
        uint32_t colors = info.colors_used ? info.colors_used : (1u << f.bits);
        if (colors > 256) colors = 256;
        size_t at = palette_offset(info.header_size), entry_bytes = f.core ? 3 : 4;
        // Core headers have no count: the palette fills the room before the pixels.
        if (f.core && info.pixel_offset > at && (info.pixel_offset - at) / entry_bytes < colors)
            colors = (uint32_t)((info.pixel_offset - at) / entry_bytes);
        reader_seek(&r, at);
        for (uint32_t i = 0; i < colors; ++i) {
            const uint8_t* entry = reader_take(&r, entry_bytes);
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
    reader_seek(&r, info.pixel_offset);
    if (f.rle) {
        decode_rle(&r, image, f.bits, palette);
        return image;
    }
    size_t row_bytes = (((size_t)image->width * f.bits + 31) / 32) * 4;
    // Rows that are not in the file stay black: a picture cut short still opens.
    for (int32_t stored = 0; stored < image->height; ++stored) {
        const uint8_t* src = reader_take(&r, row_bytes);
        if (!src) break;
        int32_t y = f.top_down ? stored : image->height - 1 - stored;
        convert_row(src, image_row(image, y), image->width, f, palette);
    }
    return image;
}

bool probe_bmp_data(const uint8_t* data, size_t size, int* width, int* height) {
    ByteReader r = reader_make(data, size);
    BmpInfo info;
    if (!read_headers(&r, &info, nullptr)) return false;
    int64_t h = info.height < 0 ? -(int64_t)info.height : info.height;
    if (info.width < 1 || info.width > kMaxImageSide || h < 1 || h > kMaxImageSide) return false;
    *width = info.width;
    *height = (int)h;
    return true;
}

bool probe_bmp_size(const char* path, int* width, int* height) {
    uint8_t head[kFileHeaderBytes + 40];
    int got = file_read_head(path, head, sizeof head);
    return got > 0 && probe_bmp_data(head, (size_t)got, width, height);
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
