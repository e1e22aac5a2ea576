#include "core/png_profile.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/byte_reader.h"
#include "core/color_profile.h"
#include "core/tiff_codecs.h"

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
const uint32_t kChunkIccp = 0x69434350;  // "iCCP"
const uint32_t kChunkIdat = 0x49444154;  // "IDAT"
const uint32_t kChunkIend = 0x49454E44;  // "IEND"
// A profile name is 1 to 79 bytes and its zero.
const size_t kMaxNameBytes = 80;
// A file of thousands of small chunks before its pixels is not searched to the end.
const int kMaxChunksBefore = 4096;
const size_t kProfileHeaderBytes = 132;

// Reads n bytes at offset into out; false when the source has fewer.
typedef bool (*ReadAt)(void* source, uint64_t offset, uint8_t* out, size_t n);

bool read_memory(void* source, uint64_t offset, uint8_t* out, size_t n) {
    ByteReader r = *(const ByteReader*)source;
    return offset <= r.size && reader_seek(&r, (size_t)offset) && reader_read(&r, out, n);
}

bool read_file(void* source, uint64_t offset, uint8_t* out, size_t n) {
    FILE* f = (FILE*)source;
    return offset <= (uint64_t)LONG_MAX && fseek(f, (long)offset, SEEK_SET) == 0 && fread(out, 1, n, f) == n;
}

// The chunk's body: name, zero, method 0 (zlib), the compressed profile,
// inflated to exactly the size its own header gives.
bool profile_from_chunk(const uint8_t* body, size_t n, uint8_t** profile, size_t* length) {
    const uint8_t* zero = (const uint8_t*)memchr(body, 0, n < kMaxNameBytes ? n : kMaxNameBytes);
    if (!zero || zero == body) return false;
    size_t at = (size_t)(zero - body) + 1;
    if (at >= n || body[at] != 0) return false;
    ++at;
    uint8_t head[4];
    if (tiff_inflate(body + at, n - at, head, sizeof head) != sizeof head) return false;
    ByteReader size_field = reader_make(head, sizeof head);
    size_t declared = reader_u32be(&size_field);
    if (declared < kProfileHeaderBytes || declared > kMaxColorProfileBytes) return false;
    // One byte of room more: a stream that inflates past its size field is refused.
    uint8_t* out = (uint8_t*)malloc(declared + 1);
    if (!out) return false;
    if (tiff_inflate(body + at, n - at, out, declared + 1) != declared) {
        free(out);
        return false;
    }
    *profile = out;
    *length = declared;
    return true;
}

bool find_profile(ReadAt read, void* source, uint8_t** profile, size_t* length) {
    *profile = nullptr;
    *length = 0;
    uint8_t head[8];
    if (!read(source, 0, head, sizeof head) || memcmp(head, kSignature, sizeof kSignature) != 0) return false;
    uint64_t at = sizeof kSignature;
    for (int i = 0; i < kMaxChunksBefore; ++i) {
        if (!read(source, at, head, sizeof head)) return false;
        ByteReader chunk = reader_make(head, sizeof head);
        uint32_t n = reader_u32be(&chunk), type = reader_u32be(&chunk);
        if (type == kChunkIdat || type == kChunkIend) return false;
        if (type == kChunkIccp) {
            // Compressed, a profile is seldom larger than itself.
            if (n > kMaxColorProfileBytes) return false;
            uint8_t* body = (uint8_t*)malloc(n ? n : 1);
            bool ok = body && read(source, at + 8, body, n) && profile_from_chunk(body, n, profile, length);
            free(body);
            return ok;
        }
        at += 12 + (uint64_t)n;  // length, type, data, CRC
    }
    return false;
}

}  // namespace

bool png_icc_profile(const uint8_t* data, size_t size, uint8_t** profile, size_t* length) {
    ByteReader r = reader_make(data, size);
    return find_profile(read_memory, &r, profile, length);
}

bool png_icc_profile_of_file(const char* path, uint8_t** profile, size_t* length) {
    *profile = nullptr;
    *length = 0;
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    bool ok = find_profile(read_file, f, profile, length);
    fclose(f);
    return ok;
}
