// The one bit cursor of the decoders that read codes rather than bytes (LZW,
// CCITT fax, the bit planes of PCX and IFF). Most significant bit first. Past
// the end it reads zeros and says so through bits_left, so a decoder never
// reads out of bounds and decides itself what running dry means.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <string.h>

struct BitReader {
    const uint8_t* data;
    size_t size;
    uint64_t pos;  // in bits; may pass size * 8 once the data has run out
};

const int kMaxBitsAtOnce = 32;

inline BitReader bits_make(const uint8_t* data, size_t size) { return BitReader{data, size, 0}; }

// Bits of the data not yet read; 0 once reads have gone past the end.
inline uint64_t bits_left(const BitReader* r) {
    uint64_t total = (uint64_t)r->size * 8;
    return r->pos < total ? total - r->pos : 0;
}

// The next n bits (0..kMaxBitsAtOnce) as a number, the first bit highest,
// without moving past them; bits past the end are 0.
inline uint32_t bits_peek(const BitReader* r, int n) {
    if (n <= 0) return 0;
    if (n > kMaxBitsAtOnce) n = kMaxBitsAtOnce;
    uint64_t byte = r->pos >> 3, window = 0;
    if (byte < r->size && r->size - byte >= 8) {
        // The hot case of the code loops: eight bytes in one load (every
        // target is little-endian) while they lie in the data.
        memcpy(&window, r->data + byte, 8);
        window = __builtin_bswap64(window) << (r->pos & 7);
        return (uint32_t)(window >> (64 - n));
    }
    // Near the end: five bytes hold any 32 bits that start anywhere in the
    // first of them, those past the end read as 0.
    for (uint64_t i = 0; i < 5; ++i) {
        uint64_t at = byte + i;
        window = (window << 8) | (at < r->size ? r->data[at] : 0u);
    }
    int shift = 40 - (int)(r->pos & 7) - n;
    return (uint32_t)((window >> shift) & ((n == 32) ? 0xFFFFFFFFu : ((1u << n) - 1)));
}

inline void bits_skip(BitReader* r, int n) {
    if (n > 0) r->pos += (uint64_t)n;
}

inline uint32_t bits_read(BitReader* r, int n) {
    if (n > kMaxBitsAtOnce) n = kMaxBitsAtOnce;
    uint32_t v = bits_peek(r, n);
    bits_skip(r, n);
    return v;
}

// Moves to the start of the next byte unless already at one (rows of fax and
// PCX data begin on whole bytes).
inline void bits_align(BitReader* r) { r->pos = (r->pos + 7) & ~(uint64_t)7; }
