// The thumbnail cache on disk: one file per picture and edge in the folder
// "LumoraThumb" under the temporary folder, reused while the picture's size
// and last-write time stay the same.
#pragma once
#include <windows.h>
#include <stdint.h>

// The cache folder ending in a backslash, worked out and made on the first
// call of the run; "" when the system names no temporary folder (the cache
// is then off: nothing is read, written or cleared).
const char* ensure_thumb_cache_folder();
// What a cache file is made for: the picture file as it is now, and the
// edge of the square. Fills take it once per file, so the edge travels with
// every buffer made for it, whatever the settings say meanwhile.
struct ThumbKey {
    const char* path;
    uint64_t modified;  // last-write time
    uint32_t file_size;
    int edge;
};
// A cache file's pixel rows (malloc'ed; none when there is no fitting file)
// and the edge they are made for.
struct CachedRows {
    uint8_t* rows;
    int edge;
};

// The picture's thumbnail as a bitmap compatible with dc, or none when
// there is no file for it that still fits.
HBITMAP load_cached_thumbnail(const ThumbKey& key, HDC dc);
// The two halves of that, for fills that read ahead on other threads: the
// rows, which any thread may read once the cache folder is worked out, and
// the bitmap made of them, on the interface thread. The rows are freed.
CachedRows read_cached_thumbnail(const ThumbKey& key);
HBITMAP cached_thumbnail_bitmap(CachedRows rows, HDC dc);
// Writes bitmap (a key.edge square, not selected into a context) as the
// picture's cache file. Failures are silent: the picture is rendered again.
void store_cached_thumbnail(const ThumbKey& key, HBITMAP bitmap, HDC dc);
// Deletes every *.tmb in the cache folder; the folder stays.
void clear_thumbnail_cache();

// The header of an edge square's 24-bit bottom-up rows, as the cache holds them.
BITMAPINFO thumb_bitmap_info(int edge);

// Tests: the folder to use in place of the system's temporary folder (null:
// the system's again); the cache folder is worked out anew on its next use.
void thumb_cache_use_temp_folder(const char* folder);
