// One entry point from a path to one picture, whatever the format: the header
// is sniffed first, then the extension decides (core/formats.h).
#pragma once
#include "core/formats.h"
#include "core/image.h"

// message: at least kMessageBytes, or null. Empty on success.
Image* load_image(const char* path, char* message);
// The same for a caller that has read the file's first kMaxSignatureBytes already.
Image* load_image_with_head(const char* path, const uint8_t head[kMaxSignatureBytes], char* message);
// A picture needed only with its larger side at least `need` (a thumbnail,
// a cell of a contact sheet): formats that can decode smaller cheaply do, by
// at most what keeps the larger side at least `need`; every other file, and
// any picture less than twice that size, comes whole as load_image gives it.
Image* load_image_reduced(const char* path, int need, char* message);
// True when both sides could be read and lie in 1..kMaxImageSide; never
// decodes pixels. By the extension alone, as the browser asks for many files.
bool probe_image_size(const char* path, int* width, int* height);
