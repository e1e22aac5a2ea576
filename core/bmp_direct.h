// Plain 24-bit bitmaps read straight from the file into the picture, with
// no copy of the file beside it.
#pragma once
#include "core/image.h"

// *taken: the file is a plain 24-bit bitmap (uncompressed, an information
// header of 40 bytes or more, pixels within the first 64 KB) and this is its
// answer: the picture, or none with the reason. Otherwise false, and the
// caller reads the file its own way.
Image* read_bmp_direct(const char* path, char* message, bool* taken);
