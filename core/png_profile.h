// The ICC profile of a PNG file: its iCCP chunk (PNG, 11.3.3.3), which
// stands before the first IDAT, inflated. The pixels themselves are
// stb_image's (core/stb_adapter.h); this reads only the chunks.
#pragma once
#include <stddef.h>
#include <stdint.h>

// False when the file has no iCCP chunk before its pixel data, the chunk is
// damaged, its method is not zlib, or the inflated profile's size field
// disagrees with what inflates (or passes kMaxColorProfileBytes). *profile
// is malloc'ed, the caller's.
bool png_icc_profile(const uint8_t* data, size_t size, uint8_t** profile, size_t* length);
// The same from a file, reading only the chunks before the pixel data.
bool png_icc_profile_of_file(const char* path, uint8_t** profile, size_t* length);
