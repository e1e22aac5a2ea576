// Windows bitmaps of 1, 4, 8, 16, 24 or 32 bits per pixel: uncompressed,
// RLE8 and RLE4, and bit fields of 16 and 32 bits; OS/2 1.x bitmaps with
// their 12-byte header and 3-byte palette entries.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/image.h"

Image* read_bmp(const char* path, char* message);
// The same reader over a file already in memory (the fuzzer's entry point).
Image* decode_bmp(const uint8_t* data, size_t size, char* message);
// The sides from the headers alone; true when both lie in 1..kMaxImageSide.
bool probe_bmp_size(const char* path, int* width, int* height);
bool probe_bmp_data(const uint8_t* data, size_t size, int* width, int* height);
