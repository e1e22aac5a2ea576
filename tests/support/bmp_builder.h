// Builds BMP files byte by byte, for the cases no encoder writes on purpose.
#pragma once
#include <stdint.h>

#include <vector>

#include "tests/support/bytes.h"

struct BmpLayout {
    int32_t width = 2;
    int32_t height = 2;  // negative: top-down
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t colors_used = 0;
    uint32_t header_size = 40;
    int palette_entries = -1;  // entries written; -1: as many as the depth needs
};

inline size_t bmp_row_bytes(const BmpLayout& s) { return (((size_t)s.width * s.bits + 31) / 32) * 4; }

// Headers and palette (entry i = blue i, green 2i, red 3i); pixel rows are appended by the caller.
inline std::vector<uint8_t> bmp_headers(const BmpLayout& s) {
    int entries = s.palette_entries >= 0 ? s.palette_entries : (s.bits <= 8 ? (1 << s.bits) : 0);
    uint32_t offset = 14 + s.header_size + 4 * entries;
    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    put32(b, 0);
    put32(b, 0);
    put32(b, offset);
    put32(b, s.header_size);
    put32(b, (uint32_t)s.width);
    put32(b, (uint32_t)s.height);
    put16(b, 1);
    put16(b, s.bits);
    put32(b, s.compression);
    put32(b, 0);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, s.colors_used);
    put32(b, 0);
    while (b.size() < 14 + s.header_size) b.push_back(0);
    for (int i = 0; i < entries; ++i) {
        b.push_back((uint8_t)i);
        b.push_back((uint8_t)(2 * i));
        b.push_back((uint8_t)(3 * i));
        b.push_back(0);
    }
    return b;
}

// A whole file: the headers, then every pixel byte (and the row padding) `fill`.
inline std::vector<uint8_t> bmp_filled(const BmpLayout& s, uint8_t fill) {
    std::vector<uint8_t> b = bmp_headers(s);
    b.resize(b.size() + bmp_row_bytes(s) * (size_t)(s.height < 0 ? -s.height : s.height), fill);
    return b;
}
