// Metafiles written record by record, honest or not: the standard header, the
// records, the end record, and a placeable header when a box is given; with
// helpers for the tests' usual picture of solid blocks under a null pen.
#pragma once
#include <stdint.h>

#include <vector>

#include "tests/support/bytes.h"

typedef std::vector<uint8_t> WmfBytes;

struct WmfBox {
    int16_t left, top, right, bottom;
    uint16_t units_per_inch;
};

// `words`, when given, is written as the record's size instead of the true one.
inline WmfBytes wmf_record(uint16_t function, const std::vector<uint16_t>& params, int64_t words = -1) {
    WmfBytes b;
    put32(b, words >= 0 ? (uint32_t)words : 3 + (uint32_t)params.size());
    put16(b, function);
    for (uint16_t p : params) put16(b, p);
    return b;
}

inline WmfBytes wmf_join(const std::vector<WmfBytes>& parts) {
    WmfBytes b;
    for (const WmfBytes& part : parts) b.insert(b.end(), part.begin(), part.end());
    return b;
}

// The null pen, made first into slot 0 of the handle table and selected.
inline WmfBytes wmf_null_pen() { return wmf_join({wmf_record(0x02FA, {5, 0, 0, 0, 0}), wmf_record(0x012D, {0})}); }
// A rectangle in a solid brush of 0xRRGGBB, made into slot 1 and deleted
// after. Rectangle keeps its parameters last to first.
inline WmfBytes wmf_filled(uint32_t rgb, int16_t left, int16_t top, int16_t right, int16_t bottom) {
    return wmf_join({wmf_record(0x02FC, {0, (uint16_t)((rgb >> 16 & 0xFF) | (rgb & 0xFF00)), (uint16_t)(rgb & 0xFF), 0}),
                     wmf_record(0x012D, {1}),
                     wmf_record(0x041B, {(uint16_t)bottom, (uint16_t)right, (uint16_t)top, (uint16_t)left}),
                     wmf_record(0x01F0, {1})});
}
// SETABORTPROC: an escape that asks the player to call back into the file.
inline WmfBytes wmf_escape() { return wmf_record(0x0626, {9, 4, 0x1234, 0x5678}); }

inline WmfBytes wmf_file(const std::vector<WmfBytes>& records, const WmfBox* box) {
    WmfBytes body = wmf_join({wmf_join(records), wmf_record(0, {})}), b;
    if (box) {
        for (uint32_t v : {0xCDD7u, 0x9AC6u, 0u, (uint32_t)(uint16_t)box->left, (uint32_t)(uint16_t)box->top,
                           (uint32_t)(uint16_t)box->right, (uint32_t)(uint16_t)box->bottom, (uint32_t)box->units_per_inch, 0u, 0u, 0u})
            put16(b, v);  // the checksum (last) is not looked at
    }
    for (uint32_t v : {1u, 9u, 0x300u}) put16(b, v);  // in memory, header words, version
    put32(b, (uint32_t)(9 + body.size() / 2));
    put16(b, 2);  // objects: the pen and one brush
    put32(b, 8);  // the longest record
    put16(b, 0);
    return wmf_join({b, body});
}
