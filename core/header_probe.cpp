#include "core/header_probe.h"

#include <stdint.h>
#include <string.h>

#include <vector>

#include "core/byte_reader.h"
#include "core/file_bytes.h"
#include "core/webp.h"

namespace {

bool probe_bmp(ByteReader* r, HeaderFacts* f) {
    reader_seek(r, 14);
    if (reader_u32le(r) == 12) {  // OS/2 1.x: 16-bit sides
        f->width = reader_u16le(r);
        f->height = reader_u16le(r);
        reader_skip(r, 2);
        f->bits = reader_u16le(r);
        return !r->failed;
    }
    f->width = (int32_t)reader_u32le(r);
    int32_t height = (int32_t)reader_u32le(r);
    if (height == INT32_MIN) return false;  // no positive counterpart
    f->height = height < 0 ? -height : height;  // top-down rows
    reader_skip(r, 2);
    f->bits = reader_u16le(r);
    f->alpha_or_deep = f->bits == 32;
    return !r->failed;
}

bool probe_png(ByteReader* r, HeaderFacts* f) {
    reader_seek(r, 16);
    f->width = (int)reader_u32be(r);
    f->height = (int)reader_u32be(r);
    const int depth = reader_u8(r), colour = reader_u8(r);
    const int channels = colour == 2 ? 3 : colour == 6 ? 4 : colour == 4 ? 2 : 1;
    f->bits = colour == 3 ? depth : depth * channels;
    f->alpha_or_deep = colour == 4 || colour == 6 || depth == 16;
    return !r->failed;
}

bool probe_gif(ByteReader* r, HeaderFacts* f) {
    reader_seek(r, 6);
    f->width = reader_u16le(r);
    f->height = reader_u16le(r);
    f->bits = (reader_u8(r) & 7) + 1;
    return !r->failed;
}

// The frame header's size; the markers before it are skipped by their length.
bool probe_jpeg(ByteReader* r, HeaderFacts* f) {
    size_t at = 2;
    while (at + 9 < r->size) {
        if (r->data[at] != 0xFF) {
            ++at;
            continue;
        }
        const uint8_t marker = r->data[at + 1];
        if (marker >= 0xD0 && marker <= 0xD9) {
            at += 2;
        } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            reader_seek(r, at + 5);
            f->height = reader_u16be(r);
            f->width = reader_u16be(r);
            f->bits = 8 * reader_u8(r);
            return !r->failed;
        } else {
            reader_seek(r, at + 2);
            const uint16_t length = reader_u16be(r);
            if (r->failed || length < 2) return false;
            at += 2 + length;
        }
    }
    return false;
}

bool probe_webp(const uint8_t* bytes, size_t size, HeaderFacts* f) {
    WebpLayout layout;
    if (!webp_read_layout(bytes, size, &layout)) return false;
    f->width = layout.width;
    f->height = layout.height;
    f->bits = layout.alpha ? 32 : 24;
    f->alpha_or_deep = layout.alpha;
    return true;
}

}  // namespace

bool probe_header_size(const uint8_t* bytes, size_t size, HeaderFacts* facts) {
    ByteReader r = reader_make(bytes, size);
    *facts = HeaderFacts{0, 0, 0, false};
    if (size >= 30 && bytes[0] == 'B' && bytes[1] == 'M') return probe_bmp(&r, facts);
    if (size > 25 && bytes[0] == 137 && bytes[1] == 'P' && bytes[2] == 'N' && bytes[3] == 'G') return probe_png(&r, facts);
    if (size > 10 && memcmp(bytes, "GIF", 3) == 0) return probe_gif(&r, facts);
    if (size > 3 && bytes[0] == 0xFF && bytes[1] == 0xD8) return probe_jpeg(&r, facts);
    if (size >= 12 && memcmp(bytes, "RIFF", 4) == 0 && memcmp(bytes + 8, "WEBP", 4) == 0)
        return probe_webp(bytes, size, facts);
    return false;
}

bool probe_file_header(const char* path, HeaderFacts* facts) {
    std::vector<uint8_t> head(kProbeBytes);
    const int got = file_read_head(path, head.data(), head.size());
    return got > 0 && probe_header_size(head.data(), (size_t)got, facts);
}
