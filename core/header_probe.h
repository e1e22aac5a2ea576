// The size and depth of a BMP, PNG, GIF, JPEG or WebP from its first bytes,
// without decoding it: for the file listing, and to tell what 24-bit pixels
// would lose of a picture before it is rewritten.
#pragma once
#include <stddef.h>
#include <stdint.h>

// How many leading bytes of a file the probe reads.
const size_t kProbeBytes = 65536;

struct HeaderFacts {
    int width, height, bits;  // bits per pixel
    bool alpha_or_deep;       // an alpha channel or samples of 16 bits: more than 24-bit pixels hold
};

// False for another file or a header that tells nothing.
bool probe_header_size(const uint8_t* bytes, size_t size, HeaderFacts* facts);
// The same for the first kProbeBytes of a file; false when it cannot be read.
bool probe_file_header(const char* path, HeaderFacts* facts);
