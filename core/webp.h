// WebP files through libwebp: lossy, lossless and with alpha, decoded straight
// into the bottom-up blue-green-red picture; animations through the library's
// animation decoder, which composes every frame on the canvas as it is to be
// shown. Alpha is dropped as for PNG: transparent parts show the colours the
// file stores. A still picture cut short or damaged shows as far as it
// decodes, the rest mid gray; an animation cut short keeps the frames the
// file still holds whole.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/image.h"

// More frames than this are refused as a corrupt file.
const int kMaxWebpFrames = 10000;
// Enough of a file for the first chunk's header (VP8X: 12 + 8 + 10 bytes).
const size_t kWebpHeadBytes = 32;

// What the container says, read without decoding.
struct WebpLayout {
    int width, height;  // the picture's, or an animation's canvas; not checked against kMaxImageSide
    bool alpha;         // the file says it has an alpha channel
    bool animated;
    size_t icc_offset, icc_length;  // the ICCP chunk's payload within the data; length 0: none
    size_t whole_length;            // up to the end of the last chunk the data hold whole
    bool cut;                       // the data end before the container does
};

// False when the data do not begin a WebP container whose first chunk
// (VP8X, "VP8 " or VP8L) gives the picture's sides.
bool webp_read_layout(const uint8_t* data, size_t size, WebpLayout* layout);

// The embedded colour profile: offset and length of the ICCP chunk's bytes
// within the file's data; false when the file has none.
bool webp_icc_profile(const uint8_t* data, size_t size, size_t* offset, size_t* length);

// One picture: a still one at 1/reduction of each side (rounded up; 1 for
// the whole), an animation's first frame whole. message: at least
// kMessageBytes, or null; empty on success.
Image* decode_webp(const uint8_t* data, size_t size, int reduction, char* message);
// Every frame with its delay in milliseconds for an animation; a still
// picture as a set of one without delays. The set (empty on entry) belongs to
// the caller; an entry may be null when its picture could not be had. False
// with the set empty and the reason in message when the file gives no frame.
bool decode_webp_frames(const uint8_t* data, size_t size, ImageSet* set, char* message);

// The format table's loaders and size probe.
Image* load_webp(const char* path, char* message);
Image* load_webp_reduced(const char* path, int need, char* message);
bool load_webp_frames(const char* path, ImageSet* set, char* message);
bool probe_webp_size(const char* path, int* width, int* height);
