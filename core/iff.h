// Interchange File Format pictures: FORM ILBM (bit planes, with the
// Extra-Half-Brite and Hold-And-Modify modes) and FORM PBM (a byte per
// pixel), stored or ByteRun1-packed, up to 8 planes. The loader has a memory
// form (what the fuzzer calls) and a thin file wrapper.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/image.h"

// Files outside these sizes are refused before anything is decoded.
const size_t kMinIffFileBytes = 32;
const size_t kMaxIffFileBytes = 60000000;
// The most the unpacked BODY may take.
const uint64_t kMaxIffBodyBytes = 64000000;

Image* load_iff(const char* path, char* message);
Image* decode_iff(const uint8_t* data, size_t size, char* message);

// The sides from the first BMHD among the first 64 chunks, read without the
// rest of the file; true when both lie in 1..kMaxImageSide.
bool probe_iff_size(const char* path, int* width, int* height);
bool probe_iff_data(const uint8_t* data, size_t size, int* width, int* height);
