// Any bytes through what runs before GDI: the size rule and the walk over
// the records. The walk must end, move forward only and stay inside the
// data, and judging a record must read nothing beyond it.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "core/wmf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WmfFrame frame = wmf_frame(data, size);
    if (frame.width < 1 || frame.width > kMaxWmfSide || frame.height < 1 || frame.height > kMaxWmfSide ||
        frame.metafile_at + frame.metafile_bytes != size || frame.extent_x == 0 || frame.extent_y == 0)
        __builtin_trap();
    WmfWalk walk = wmf_walk(data + frame.metafile_at, frame.metafile_bytes);
    WmfRecord record;
    size_t last_end = 0;
    for (;;) {
        bool more = wmf_has_next_record(&walk);
        WmfVerdict verdict = wmf_next_record(&walk, &record);
        if (more != (verdict != kWmfStop)) __builtin_trap();
        if (verdict == kWmfStop) break;
        if (record.at < last_end || record.bytes < 6 || record.bytes > frame.metafile_bytes - record.at) __builtin_trap();
        last_end = record.at + record.bytes;
        // What plays fits in itself, as judged on a block of exactly its size.
        if (verdict == kWmfPlay) {
            uint8_t* copy = (uint8_t*)malloc(record.bytes);
            memcpy(copy, walk.data + record.at, record.bytes);
            if (!wmf_record_fits(copy, record.bytes, walk.objects)) __builtin_trap();
            free(copy);
        }
    }
    if (wmf_next_record(&walk, &record) != kWmfStop) __builtin_trap();  // nothing after a stop
    return 0;
}
