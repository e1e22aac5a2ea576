#include "core/tiff_samples.h"

#include <string.h>

#include "core/checked.h"

namespace {

struct ReversedBytes {
    uint8_t of[256];
};
constexpr ReversedBytes make_reversed() {
    ReversedBytes r{};
    for (int i = 0; i < 256; ++i) {
        int v = 0;
        for (int b = 0; b < 8; ++b) v |= ((i >> b) & 1) << (7 - b);
        r.of[i] = (uint8_t)v;
    }
    return r;
}
constexpr ReversedBytes kReversed = make_reversed();

inline uint32_t u16_at(const uint8_t* p, bool little) {
    return little ? (uint32_t)p[0] | (uint32_t)p[1] << 8 : (uint32_t)p[0] << 8 | (uint32_t)p[1];
}

// The rounding rule of 16-bit samples, the nearest of the 256 levels:
// (v * 255 + 32767) / 65535, which equals this for every 16-bit v (checked
// for all of them by the tests) and vectorises.
inline uint8_t reduce16(uint32_t v) { return (uint8_t)(((v + 128u) * 65281u) >> 24); }

// Writes sample i of a packed row of sub-byte samples, leaving its neighbours.
inline void put_packed(uint8_t* row, size_t i, uint32_t bits, uint32_t value) {
    size_t bit = i * bits;
    uint32_t shift = 8 - bits - (uint32_t)(bit & 7);
    uint8_t mask = (uint8_t)(((1u << bits) - 1) << shift);
    row[bit >> 3] = (uint8_t)((row[bit >> 3] & ~mask) | ((value << shift) & mask));
}

}  // namespace

size_t tiff_packed_bytes(uint64_t count, uint32_t bits) {
    if (count > (uint64_t)kMaxBlockBytes * 8 / (bits ? bits : 1)) return 0;
    uint64_t bytes = (count * bits + 7) / 8;
    return bytes > kMaxBlockBytes ? 0 : (size_t)bytes;
}

uint32_t tiff_sample_at(const uint8_t* row, size_t i, uint32_t bits, bool little) {
    if (bits == 8) return row[i];
    if (bits == 16) return u16_at(row + 2 * i, little);
    size_t bit = i * bits;
    return (row[bit >> 3] >> (8 - bits - (bit & 7))) & ((1u << bits) - 1);
}

void tiff_widen_samples(const uint8_t* in, uint8_t* out, size_t count, uint32_t bits, bool little, bool indexes) {
    if (bits == 16) {
        // One loop per byte order, each simple enough for the compiler's vectors.
        if (little)
            for (size_t i = 0; i < count; ++i) out[i] = reduce16((uint32_t)in[2 * i] | (uint32_t)in[2 * i + 1] << 8);
        else
            for (size_t i = 0; i < count; ++i) out[i] = reduce16((uint32_t)in[2 * i] << 8 | (uint32_t)in[2 * i + 1]);
        return;
    }
    if (bits == 8) {
        memcpy(out, in, count);
        return;
    }
    uint32_t max = (1u << bits) - 1, scale = indexes ? 1 : 255 / max;  // 255, 85, 17: exact
    uint32_t per_byte = 8 / bits;
    size_t i = 0;
    for (; i + per_byte <= count; ++in) {
        uint32_t byte = *in;
        for (uint32_t k = 1; k <= per_byte; ++k) out[i++] = (uint8_t)(((byte >> (8 - k * bits)) & max) * scale);
    }
    for (uint32_t k = 1; i < count; ++k) out[i++] = (uint8_t)(((*in >> (8 - k * bits)) & max) * scale);
}

void tiff_place_samples(const uint8_t* from, uint32_t from_samples, uint8_t* to, uint32_t to_samples,
                        size_t column, uint32_t first_sample, size_t columns, uint32_t bits) {
    size_t first = column * to_samples + first_sample;
    if (from_samples == to_samples && (first * bits) % 8 == 0) {
        memcpy(to + first * bits / 8, from, tiff_packed_bytes((uint64_t)columns * from_samples, bits));
        return;
    }
    for (size_t x = 0; x < columns; ++x) {
        for (uint32_t s = 0; s < from_samples; ++s) {
            size_t i = x * from_samples + s, j = first + x * to_samples + s;
            if (bits == 8) {
                to[j] = from[i];
            } else if (bits == 16) {
                to[2 * j] = from[2 * i];
                to[2 * j + 1] = from[2 * i + 1];
            } else {
                put_packed(to, j, bits, tiff_sample_at(from, i, bits, true));
            }
        }
    }
}

void tiff_reverse_bits(const uint8_t* in, uint8_t* out, size_t length) {
    for (size_t i = 0; i < length; ++i) out[i] = kReversed.of[in[i]];
}
