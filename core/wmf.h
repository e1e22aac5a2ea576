// Windows metafiles. A metafile is a program that GDI runs, so the part that
// decides what GDI may see lives here, portable and fuzzed natively: the size
// of the picture from the placeable header, and a walk over the records that
// says, record by record, play, skip or stop. The GDI player that follows the
// walk is render_wmf (core/wmf_play.cpp); without GDI it reports the format
// as not available.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/image.h"

// Files outside these sizes are refused before anything is played.
const size_t kMinWmfFileBytes = 26;
const size_t kMaxWmfFileBytes = 20000000;
const size_t kWmfPlaceableBytes = 22;
// The standard header in front of the records: nine words.
const size_t kWmfHeaderBytes = 18;
const int kWmfDpi = 96;
const int kMaxWmfSide = 3000;
const int kWmfDefaultWidth = 640;
const int kWmfDefaultHeight = 480;
const uint16_t kWmfEscape = 0x0626;

// The picture and the mapping of logical units onto it.
struct WmfFrame {
    int width, height;              // pixels, 1..kMaxWmfSide
    int origin_x, origin_y;         // window origin: the box's left and top
    int extent_x, extent_y;         // window extent, signed: a box drawn bottom to top flips
    size_t metafile_at, metafile_bytes;  // the standard metafile within the file
};

// The frame of a whole file: with the placeable key its box and units per
// inch (0 counts as 1440) at 96 dots per inch, without it 640 x 480.
WmfFrame wmf_frame(const uint8_t* data, size_t size);

enum WmfVerdict {
    kWmfStop,  // the playback ends before this record
    kWmfSkip,  // GDI must not see it; the next record follows
    kWmfPlay,
};

// A cursor over the records of a standard metafile.
struct WmfWalk {
    const uint8_t* data;  // the standard metafile
    size_t size;
    size_t at;            // the next record; starts behind the header
    uint32_t objects;     // entries of the handle table GDI makes
};

struct WmfRecord {
    size_t at, bytes;
    uint16_t function;
};

// The walk from the first record; none to play (at == size) when the header
// is not the nine-word header GDI walks from.
WmfWalk wmf_walk(const uint8_t* metafile, size_t size);
// The verdict on the next record, and past it unless the verdict is stop.
// Stop for a record under 3 words, one longer than what is left, the end
// record, and from then on.
WmfVerdict wmf_next_record(WmfWalk* walk, WmfRecord* record);
// Whether the next record would be enumerated at all (not a stop), without
// moving: the player ends the playback before GDI reads a record that does
// not fit.
bool wmf_has_next_record(const WmfWalk* walk);
// Whether the declared contents of a record fit inside its own bytes and its
// object numbers lie inside the handle table; `record` holds `bytes` bytes.
bool wmf_record_fits(const uint8_t* record, size_t bytes, uint32_t objects);

// The picture of a metafile file; see core/wmf_play.cpp.
Image* render_wmf(const char* path, char* message);
Image* render_wmf_data(const uint8_t* data, size_t size, char* message);
