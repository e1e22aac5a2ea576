// TIFF pages in strips or tiles, chunky or one plane per sample, of 1, 2, 4,
// 8 or 16-bit samples, uncompressed, PackBits, LZW or Deflate with the
// optional horizontal predictor: gray (either polarity), RGB, RGBA, CMYK and
// palette pages, and bilevel fax pages (core/fax.h); each turned upright by
// its Orientation tag. Each loader has a memory form (what the fuzzer calls)
// and a thin file wrapper.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/ifd.h"
#include "core/image.h"

// Files are read whole; offsets in them are 32-bit anyway.
const size_t kMaxTiffFileBytes = 0x7FFFFFFFu;
const int kMaxTiffPages = 512;

// The first page only (load_image).
Image* load_tiff_first_page(const char* path, char* message);
Image* decode_tiff_first_page(const uint8_t* data, size_t size, char* message);

// Every page, at most kMaxTiffPages, into an empty set without delays. Pages
// that fail are skipped with their reason left in message. False with the
// set empty when no page decodes.
bool load_tiff_pages(const char* path, ImageSet* set, char* message);
bool decode_tiff_pages(const uint8_t* data, size_t size, ImageSet* set, char* message);

// The sides from the first directory, read without the pixels; true when
// both lie in 1..kMaxImageSide.
bool probe_tiff_size(const char* path, int* width, int* height);
bool probe_tiff_data(const uint8_t* data, size_t size, int* width, int* height);

// Test hook: whether RGB rows may use the processor's byte shuffle (when it
// has one); returns whether they now do.
bool tiff_allow_ssse3(bool allowed);

// Value number `index` of an entry: 0 when it lies outside the data. Bytes
// for one-byte types, 16 bits for two-byte ones, else the first 32-bit word
// (a rational gives its numerator).
uint32_t tiff_tag_value(const IfdReader* reader, const IfdEntry* entry, uint32_t index);
