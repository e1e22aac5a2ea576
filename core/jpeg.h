// JPEG files through libjpeg-turbo: decoded straight into the bottom-up
// blue-green-red picture, at full size or at 1/2, 1/4 or 1/8 of each side.
// A file the library cannot start decoding goes to the stb_image adapter,
// which decodes or refuses it with its own message as it always has. A file
// cut short or damaged inside its scans shows as far as it decodes, the rest
// mid gray, as a broken download shows.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/image.h"

// The library's working memory beyond the picture (a progressive file keeps
// every coefficient of the picture) may not pass this.
const size_t kJpegWorkBytes = (size_t)512 << 20;

// The reduction (1, 2, 4 or 8) a picture whose larger side is `larger` can
// be decoded at when it is only needed with its larger side at least
// `need`: the largest whose result is still that large, 1 below twice it.
int jpeg_reduction_for(int larger, int need);

// One picture at 1/reduction of each side (rounded up), reduction being 1,
// 2, 4 or 8. *started is false when the library could not start decoding:
// the result is then none and the message untouched, for the caller's
// fallback. A picture with damage past the start comes back decoded as far
// as it goes, the message empty.
Image* decode_jpeg(const uint8_t* data, size_t size, int reduction, bool* started, char* message);

// The same from memory with the fallback: what the stb_image adapter says of
// a file the library could not start.
Image* decode_jpeg_or_stb(const uint8_t* data, size_t size, int reduction, char* message);

// The format table's loaders: the whole picture, and one whose larger side
// need be no more than `need` (at least that, where the file is larger).
Image* load_jpeg(const char* path, char* message);
Image* load_jpeg_reduced(const char* path, int need, char* message);

// The ICC profile of a file, from its APP2 "ICC_PROFILE" segments before
// the first scan (ICC.1 annex B.4): the chunks joined in the order of their
// sequence numbers, whatever order the segments stand in. False when there
// is none, a chunk is missing or stands twice, the chunks disagree on their
// count, or the whole passes kMaxColorProfileBytes. *profile is malloc'ed,
// the caller's.
bool jpeg_icc_profile(const uint8_t* data, size_t size, uint8_t** profile, size_t* length);

// Fuzzing hook: the library's working memory is capped at this many bytes
// instead of kJpegWorkBytes; 0 restores the default.
void jpeg_cap_work_bytes(size_t bytes);
// The cap every decode through the library sets.
size_t jpeg_work_bytes();
