#include "core/pnm_plain.h"

#include "core/byte_reader.h"
#include "core/decode_message.h"

namespace {

const uint32_t kMaxSampleValue = 65535;

bool is_space(uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool is_digit(uint8_t c) { return c >= '0' && c <= '9'; }

// Skips white space and '#' comments (to the end of their line).
void skip_space(ByteReader* r) {
    uint8_t c = 0;
    while (reader_peek(r, &c)) {
        if (c == '#') {
            while (reader_peek(r, &c) && c != '\n' && c != '\r') reader_skip(r, 1);
        } else if (is_space(c)) {
            reader_skip(r, 1);
        } else {
            return;
        }
    }
}

// A decimal number after white space; false when none is there. Values past
// `limit` are held at limit + 1 so they cannot overflow.
bool read_number(ByteReader* r, uint32_t limit, uint32_t* out) {
    skip_space(r);
    uint8_t c = 0;
    if (!reader_peek(r, &c) || !is_digit(c)) return false;
    uint32_t v = 0;
    while (reader_peek(r, &c) && is_digit(c)) {
        v = v * 10 + (c - '0');
        if (v > limit) v = limit + 1;
        reader_skip(r, 1);
    }
    *out = v;
    return true;
}

// Plain PBM digits may stand with or without white space between them.
bool read_bit(ByteReader* r, uint32_t* out) {
    skip_space(r);
    uint8_t c = reader_u8(r);
    if (r->failed || (c != '0' && c != '1')) return false;
    *out = c - '0';
    return true;
}

uint8_t scale(uint32_t v, uint32_t maxval) {
    if (v > maxval) v = maxval;
    return (uint8_t)((v * 255 + maxval / 2) / maxval);
}

void set_gray(Image* image, int32_t x, int32_t y, uint8_t v) { image_set_pixel(image, x, y, v, v, v); }


// Reads the header up to the last number before the samples; false with the
// message set.
bool read_header(ByteReader* r, int* kind, uint32_t* width, uint32_t* height, uint32_t* maxval, char* message) {
    const uint8_t* magic = reader_take(r, 2);
    if (!magic || magic[0] != 'P' || magic[1] < '1' || magic[1] > '4') {
        set_message(message, kMsgPnmInvalid);
        return false;
    }
    *kind = magic[1] - '0';
    *maxval = 1;
    if (!read_number(r, kMaxImageSide, width) || !read_number(r, kMaxImageSide, height) ||
        ((*kind == 2 || *kind == 3) && !read_number(r, kMaxSampleValue, maxval)) || *maxval < 1 ||
        *maxval > kMaxSampleValue) {
        set_message(message, kMsgPnmInvalid);
        return false;
    }
    if (*width < 1 || *width > (uint32_t)kMaxImageSide || *height < 1 || *height > (uint32_t)kMaxImageSide) {
        set_message(message, kMsgBadDimensions);
        return false;
    }
    return true;
}

}  // namespace

bool is_pnm_plain(const uint8_t* data, size_t size) {
    ByteReader r = reader_make(data, size);
    const uint8_t* magic = reader_take(&r, 2);
    return magic && magic[0] == 'P' && magic[1] >= '1' && magic[1] <= '4';
}

bool probe_pnm_plain(const uint8_t* data, size_t size, int* width, int* height) {
    ByteReader r = reader_make(data, size);
    int kind = 0;
    uint32_t w = 0, h = 0, maxval = 0;
    if (!read_header(&r, &kind, &w, &h, &maxval, nullptr)) return false;
    *width = (int)w;
    *height = (int)h;
    return true;
}

Image* decode_pnm_plain(const uint8_t* data, size_t size, char* message) {
    clear_message(message);
    ByteReader r = reader_make(data, size);
    int kind = 0;
    uint32_t width = 0, height = 0, maxval = 1;
    if (!read_header(&r, &kind, &width, &height, &maxval, message)) return nullptr;
    Image* image = image_create((int32_t)width, (int32_t)height);
    if (!image) {
        set_message(message, kMsgNoMemory);
        return nullptr;
    }

    if (kind == 4) {
        reader_skip(&r, 1);  // the one white space character before the bits
        size_t row_bytes = (width + 7) / 8;
        for (int32_t y = 0; y < image->height; ++y) {
            const uint8_t* row = reader_take(&r, row_bytes);
            if (!row) break;
            for (int32_t x = 0; x < image->width; ++x) set_gray(image, x, y, ((row[x >> 3] >> (7 - (x & 7))) & 1) ? 0 : 255);
        }
        return image;
    }
    // Text samples; the first one missing ends the picture.
    for (int32_t y = 0; y < image->height; ++y) {
        for (int32_t x = 0; x < image->width; ++x) {
            uint32_t s[3] = {0, 0, 0};
            if (kind == 1) {
                if (!read_bit(&r, &s[0])) return image;
                set_gray(image, x, y, s[0] ? 0 : 255);  // 1 is black
            } else if (kind == 2) {
                if (!read_number(&r, kMaxSampleValue, &s[0])) return image;
                set_gray(image, x, y, scale(s[0], maxval));
            } else {
                for (uint32_t& v : s) {
                    if (!read_number(&r, kMaxSampleValue, &v)) return image;
                }
                image_set_pixel(image, x, y, scale(s[2], maxval), scale(s[1], maxval), scale(s[0], maxval));
            }
        }
    }
    return image;
}
