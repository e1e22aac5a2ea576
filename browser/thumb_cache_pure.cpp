#include "browser/thumb_cache_pure.h"

#include <stdio.h>
#include <string.h>

#include "core/image.h"

namespace {

// "TMB1" files were made before pictures were converted from their colour
// profiles: they no longer fit and are made again.
const uint8_t kMagic[4] = {'T', 'M', 'B', '2'};
const size_t kMaxPath = 260;  // paths live in buffers of 260 with their zero

void put32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = (uint8_t)(value >> (8 * i));
}

uint32_t get32(const uint8_t* at) {
    return (uint32_t)at[0] | (uint32_t)at[1] << 8 | (uint32_t)at[2] << 16 | (uint32_t)at[3] << 24;
}

}  // namespace

uint32_t thumb_path_hash(const char* path) {
    uint32_t hash = 0x811C9DC5u;
    for (const unsigned char* p = (const unsigned char*)path; *p; ++p) {
        unsigned char c = (*p >= 'A' && *p <= 'Z') ? (unsigned char)(*p + ('a' - 'A')) : *p;
        hash = (hash ^ c) * 0x01000193u;
    }
    return hash;
}

bool thumb_cache_file_name(const char* folder, uint32_t hash, int edge, char* name, size_t name_size) {
    char built[kMaxPath + 32];
    int length = snprintf(built, sizeof built, "%s%08lx_%d.tmb", folder, (unsigned long)hash, edge);
    if (length < 0 || (size_t)length >= kMaxPath || (size_t)length >= name_size) return false;
    memcpy(name, built, (size_t)length + 1);
    return true;
}

void thumb_header_pack(const ThumbStamp& stamp, uint8_t header[kThumbHeaderBytes]) {
    memcpy(header, kMagic, 4);
    put32(header + 4, stamp.time_low);
    put32(header + 8, stamp.time_high);
    put32(header + 12, stamp.file_size);
    put32(header + 16, (uint32_t)stamp.edge);
}

bool thumb_header_fits(const uint8_t* header, size_t bytes, const ThumbStamp& stamp) {
    return bytes == kThumbHeaderBytes && memcmp(header, kMagic, 4) == 0 && get32(header + 4) == stamp.time_low &&
           get32(header + 8) == stamp.time_high && get32(header + 12) == stamp.file_size &&
           get32(header + 16) == (uint32_t)stamp.edge;
}

size_t thumb_pixel_bytes(int edge) { return edge > 0 ? (size_t)image_stride_for(edge) * (size_t)edge : 0; }

ThumbPlacement thumb_placement(int width, int height, int edge) {
    double across = (double)edge / width, down = (double)edge / height;
    double scale = across < down ? across : down;
    if (scale > 1) scale = 1;  // small pictures keep their size
    int w = (int)(scale * width), h = (int)(scale * height);
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    return ThumbPlacement{(edge - w) / 2, (edge - h) / 2, w, h};
}
