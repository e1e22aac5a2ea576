// PCX pictures (run-length coded, 1, 4 or 8 bits in one to four planes) and
// DCX files, which bundle PCX pages behind a table of offsets. Each loader
// has a memory form (what the fuzzers call) and a thin file wrapper; a DCX
// page is decoded in place in the DCX file's block.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/image.h"

const size_t kPcxHeaderBytes = 128;
const size_t kMaxPcxFileBytes = 40000000;
const size_t kMaxDcxFileBytes = 80000000;
const int kMaxDcxPages = 1023;

Image* load_pcx(const char* path, char* message);
Image* decode_pcx(const uint8_t* data, size_t size, char* message);

// The sides from the first 16 bytes; true when both lie in 1..kMaxImageSide.
bool probe_pcx_size(const char* path, int* width, int* height);
bool probe_pcx_data(const uint8_t* data, size_t size, int* width, int* height);

// Every page that decodes, in table order, into an empty set without delays.
// A page that fails is skipped with its reason left in message. False with
// the set empty when no page decodes.
bool load_dcx_pages(const char* path, ImageSet* set, char* message);
bool decode_dcx_pages(const uint8_t* data, size_t size, ImageSet* set, char* message);

// The first page that decodes; the pages after it are not looked at.
Image* load_dcx_first_page(const char* path, char* message);
Image* decode_dcx_first_page(const uint8_t* data, size_t size, char* message);
