// Uncompressed Windows bitmaps with 1, 4, 8, 24 or 32 bits per pixel.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/image.h"

Image* read_bmp(const char* path, char* message);
// The same reader over a file already in memory (the fuzzer's entry point).
Image* decode_bmp(const uint8_t* data, size_t size, char* message);
