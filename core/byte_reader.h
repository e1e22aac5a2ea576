// The one cursor every decoder reads through. A read that would pass the end
// returns zeros, reads nothing and marks the cursor failed, so a decoder can
// read a whole header and test `failed` once. Bounds are checked as
// `n > size - pos`; `data + n` is never formed past the end.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <string.h>

struct ByteReader {
    const uint8_t* data;
    size_t size;
    size_t pos;
    bool failed;
};

inline ByteReader reader_make(const uint8_t* data, size_t size) { return ByteReader{data, size, 0, false}; }

inline size_t reader_left(const ByteReader* r) { return r->size - r->pos; }

// Moves to an absolute offset; an offset past the end fails the cursor and
// leaves it at the end, so every later read fails too.
inline bool reader_seek(ByteReader* r, size_t pos) {
    if (pos > r->size) {
        r->pos = r->size;
        r->failed = true;
        return false;
    }
    r->pos = pos;
    return true;
}

inline bool reader_skip(ByteReader* r, size_t n) {
    if (n > reader_left(r)) return reader_seek(r, r->size + 1);
    r->pos += n;
    return true;
}

// Pointer to the next n bytes, advancing past them; none when fewer are left.
inline const uint8_t* reader_take(ByteReader* r, size_t n) {
    if (n > reader_left(r)) {
        r->failed = true;
        return nullptr;
    }
    const uint8_t* p = r->data + r->pos;
    r->pos += n;
    return p;
}

// All n bytes or none (the destination is then left untouched).
inline bool reader_read(ByteReader* r, void* dst, size_t n) {
    const uint8_t* p = reader_take(r, n);
    if (!p) return false;
    if (n) memcpy(dst, p, n);
    return true;
}

// As many of n bytes as there are, like fread; never fails the cursor.
inline size_t reader_read_some(ByteReader* r, void* dst, size_t n) {
    size_t k = n < reader_left(r) ? n : reader_left(r);
    if (k) memcpy(dst, r->data + r->pos, k);
    r->pos += k;
    return k;
}

// The next byte without moving past it; false at the end (the cursor is not failed).
inline bool reader_peek(const ByteReader* r, uint8_t* byte) {
    if (reader_left(r) == 0) return false;
    *byte = r->data[r->pos];
    return true;
}

inline uint8_t reader_u8(ByteReader* r) {
    const uint8_t* p = reader_take(r, 1);
    return p ? p[0] : 0;
}

inline uint16_t reader_u16le(ByteReader* r) {
    const uint8_t* p = reader_take(r, 2);
    return p ? (uint16_t)(p[0] | (p[1] << 8)) : 0;
}

inline uint16_t reader_u16be(ByteReader* r) {
    const uint8_t* p = reader_take(r, 2);
    return p ? (uint16_t)((p[0] << 8) | p[1]) : 0;
}

inline uint32_t reader_u32le(ByteReader* r) {
    const uint8_t* p = reader_take(r, 4);
    return p ? (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24) : 0;
}

inline uint32_t reader_u32be(ByteReader* r) {
    const uint8_t* p = reader_take(r, 4);
    return p ? ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | (uint32_t)p[3] : 0;
}
