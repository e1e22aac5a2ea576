// The thumbnail cache without the file system: the key of a path, the name
// of its file, the header that says whether a file still fits its picture,
// and where a picture sits in its square.
#pragma once
#include <stddef.h>
#include <stdint.h>

const size_t kThumbHeaderBytes = 20;

// What a cache file must match to stand for a picture file: the picture's
// last-write time and size as the folder scan saw them, and the edge.
struct ThumbStamp {
    uint32_t time_low, time_high, file_size;
    int32_t edge;
};

// FNV-1a over the path with ASCII capitals lowered, so that names differing
// only in case share one file.
uint32_t thumb_path_hash(const char* path);
// "<folder><hash>_<edge>.tmb"; false when that would take 260 bytes or more
// with its terminating zero's place (the picture is then not cached).
bool thumb_cache_file_name(const char* folder, uint32_t hash, int edge, char* name, size_t name_size);
void thumb_header_pack(const ThumbStamp& stamp, uint8_t header[kThumbHeaderBytes]);
// True only for a whole header (bytes read == 20) with the magic and every
// field equal to the stamp's.
bool thumb_header_fits(const uint8_t* header, size_t bytes, const ThumbStamp& stamp);
// The pixel bytes of a square thumbnail: 24-bit rows padded to 4 bytes.
size_t thumb_pixel_bytes(int edge);

// The rectangle a width x height picture takes in its square: never
// enlarged, at least one pixel each way, centred.
struct ThumbPlacement {
    int left, top, width, height;
};
ThumbPlacement thumb_placement(int width, int height, int edge);
