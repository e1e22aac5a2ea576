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
// The picture's thumbnail at ThumbSize as a bitmap compatible with dc, or
// none when there is no file for it that still fits.
HBITMAP load_cached_thumbnail(const char* path, uint32_t time_low, uint32_t time_high, uint32_t file_size, HDC dc);
// The two halves of that, for fills that read ahead on other threads: the
// cache file's pixel rows (malloc'ed; none when there is no fitting file),
// which any thread may read once the cache folder is worked out, and the
// bitmap made of them, on the interface thread. The pixels are freed.
uint8_t* read_cached_thumbnail(const char* path, uint32_t time_low, uint32_t time_high, uint32_t file_size);
HBITMAP cached_thumbnail_bitmap(uint8_t* pixels, HDC dc);
// Writes bitmap (ThumbSize square, not selected into a context) as the
// picture's cache file. Failures are silent: the picture is rendered again.
void store_cached_thumbnail(const char* path, uint32_t time_low, uint32_t time_high, uint32_t file_size,
                            HBITMAP bitmap, HDC dc);
// Deletes every *.tmb in the cache folder; the folder stays.
void clear_thumbnail_cache();

// The header of a ThumbSize square's 24-bit bottom-up rows, as the cache holds them.
BITMAPINFO thumb_bitmap_info(int edge);

// Tests: the folder to use in place of the system's temporary folder (null:
// the system's again); the cache folder is worked out anew on its next use.
void thumb_cache_use_temp_folder(const char* folder);
