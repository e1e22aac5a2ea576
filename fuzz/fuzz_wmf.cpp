// Any bytes through what runs before GDI: the size rule and the walk over the
// records. Each record the walk lets play is copied into a block of exactly
// its size and read the way GDI reads the counted ones (points, polygons,
// text, region scans), so a record whose counts reach past its end shows up
// as a read beyond the block. The walk must end, move forward only and stay
// inside the data.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "core/wmf.h"

namespace {

uint16_t word(const uint8_t* record, size_t i) { return (uint16_t)(record[6 + 2 * i] | record[7 + 2 * i] << 8); }

volatile uint32_t s_sink;

// Reads every counted word of the record as the player would use it.
void read_as_gdi(const uint8_t* r) {
    uint32_t sum = 0;
    uint16_t function = (uint16_t)(r[4] | r[5] << 8);
    switch (function) {
    case 0x0324:  // polygon, polyline: count, points
    case 0x0325:
        for (size_t i = 0, n = word(r, 0); i < 2 * n; ++i) sum += word(r, 1 + i);
        break;
    case 0x0538: {  // polygon counts, then every point
        size_t polygons = word(r, 0), points = 0;
        for (size_t i = 0; i < polygons; ++i) points += word(r, 1 + i);
        for (size_t i = 0; i < 2 * points; ++i) sum += word(r, 1 + polygons + i);
        break;
    }
    case 0x0521: {  // count, text, y, x
        size_t n = word(r, 0);
        for (size_t i = 0; i < n; ++i) sum += r[8 + i];
        sum += word(r, 1 + (n + 1) / 2) + word(r, 2 + (n + 1) / 2);
        break;
    }
    case 0x0A32: {  // y, x, count, options, [box], text
        size_t n = word(r, 2), text = 6 + 8 + ((word(r, 3) & 6) ? 8 : 0);
        for (size_t i = 0; i < n; ++i) sum += r[text + i];
        break;
    }
    case 0x06FF: {  // region: scans from word 11, each count + 4 words
        size_t at = 11;
        for (size_t scan = 0, scans = word(r, 5); scan < scans; ++scan) {
            size_t count = word(r, at);
            sum += word(r, at + count + 3);
            at += count + 4;
        }
        break;
    }
    }
    s_sink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WmfFrame frame = wmf_frame(data, size);
    if (frame.width < 1 || frame.width > kMaxWmfSide || frame.height < 1 || frame.height > kMaxWmfSide ||
        frame.metafile_at + frame.metafile_bytes != size || frame.extent_x == 0 || frame.extent_y == 0)
        __builtin_trap();
    WmfWalk walk = wmf_walk(data + frame.metafile_at, frame.metafile_bytes);
    WmfRecord record;
    size_t last_end = 0, records = 0;
    for (;;) {
        bool more = wmf_has_next_record(&walk);
        WmfVerdict verdict = wmf_next_record(&walk, &record);
        if (more != (verdict != kWmfStop)) __builtin_trap();
        if (verdict == kWmfStop) break;
        if (record.at < last_end || record.bytes < 6 || record.bytes > frame.metafile_bytes - record.at ||
            ++records > frame.metafile_bytes / 6)
            __builtin_trap();
        last_end = record.at + record.bytes;
        if (verdict == kWmfPlay) {
            uint8_t* copy = (uint8_t*)malloc(record.bytes);
            memcpy(copy, walk.data + record.at, record.bytes);
            read_as_gdi(copy);
            free(copy);
        }
    }
    if (wmf_next_record(&walk, &record) != kWmfStop) __builtin_trap();  // nothing after a stop
    return 0;
}
