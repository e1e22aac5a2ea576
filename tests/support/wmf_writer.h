// Metafiles written record by record: the standard header, any records
// (honest or not), the end record, and a placeable header when a box is given.
// Drawing helpers for the usual picture of the tests: solid brushes, a null
// pen and rectangles. Header-only.
#pragma once
#include <stdint.h>

#include <vector>

#include "tests/support/bytes.h"

typedef std::vector<uint8_t> WmfBytes;

struct WmfBox {
    int16_t left, top, right, bottom;
    uint16_t units_per_inch;
};

// A record of the given parameter words; `words`, when given, is written as
// its size instead of the true one.
inline WmfBytes wmf_record(uint16_t function, const std::vector<uint16_t>& params, int64_t words = -1) {
    WmfBytes b;
    put32(b, words >= 0 ? (uint32_t)words : 3 + (uint32_t)params.size());
    put16(b, function);
    for (uint16_t p : params) put16(b, p);
    return b;
}

// The null pen, made first (slot 0 of the handle table) and kept; a solid
// brush of 0xRRGGBB in slot 1, used by what follows and deleted by
// wmf_drop_brush so the next brush takes the slot again.
inline WmfBytes wmf_null_pen() {
    WmfBytes b = wmf_record(0x02FA, {5, 0, 0, 0, 0});  // CreatePenIndirect: null style
    WmfBytes select = wmf_record(0x012D, {0});
    b.insert(b.end(), select.begin(), select.end());
    return b;
}
inline WmfBytes wmf_brush(uint32_t rgb) {
    WmfBytes b = wmf_record(0x02FC, {0, (uint16_t)((rgb >> 16 & 0xFF) | (rgb & 0xFF00)), (uint16_t)(rgb & 0xFF), 0});
    WmfBytes select = wmf_record(0x012D, {1});
    b.insert(b.end(), select.begin(), select.end());
    return b;
}
inline WmfBytes wmf_drop_brush() { return wmf_record(0x01F0, {1}); }
// Rectangle keeps its parameters last to first.
inline WmfBytes wmf_rectangle(int16_t left, int16_t top, int16_t right, int16_t bottom) {
    return wmf_record(0x041B, {(uint16_t)bottom, (uint16_t)right, (uint16_t)top, (uint16_t)left});
}
inline WmfBytes wmf_filled(uint32_t rgb, int16_t left, int16_t top, int16_t right, int16_t bottom) {
    WmfBytes b = wmf_brush(rgb), r = wmf_rectangle(left, top, right, bottom), drop = wmf_drop_brush();
    b.insert(b.end(), r.begin(), r.end());
    b.insert(b.end(), drop.begin(), drop.end());
    return b;
}
// SETABORTPROC: an escape that asks the player to call back into the file.
inline WmfBytes wmf_escape() { return wmf_record(0x0626, {9, 4, 0x1234, 0x5678}); }

// The whole file; its handle table holds the pen and one brush.
inline WmfBytes wmf_file(const std::vector<WmfBytes>& records, const WmfBox* box, bool end_record = true) {
    WmfBytes body;
    for (const WmfBytes& r : records) body.insert(body.end(), r.begin(), r.end());
    if (end_record) {
        WmfBytes end = wmf_record(0, {});
        body.insert(body.end(), end.begin(), end.end());
    }
    WmfBytes b;
    if (box) {
        put32(b, 0x9AC6CDD7);
        put16(b, 0);
        put16(b, (uint16_t)box->left);
        put16(b, (uint16_t)box->top);
        put16(b, (uint16_t)box->right);
        put16(b, (uint16_t)box->bottom);
        put16(b, box->units_per_inch);
        put32(b, 0);
        uint16_t sum = 0;
        for (size_t i = 0; i < b.size(); i += 2) sum ^= (uint16_t)(b[i] | b[i + 1] << 8);
        put16(b, sum);
    }
    put16(b, 1);   // in memory
    put16(b, 9);   // header words
    put16(b, 0x300);
    put32(b, (uint32_t)(9 + body.size() / 2));
    put16(b, 2);   // objects: the pen and one brush
    put32(b, 8);   // the longest record
    put16(b, 0);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}
