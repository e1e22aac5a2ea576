// Photo CD image packs: only the Base resolution, 768 x 512 luma with chroma
// at half resolution in both directions, at a fixed place in the file, turned
// upright by the pack's orientation field. Recognised by extension alone.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/image.h"

const size_t kPhotoCdSignatureAt = 2048;
const size_t kPhotoCdOrientationAt = 3586;
const size_t kPhotoCdBaseAt = 196608;
const int kPhotoCdWidth = 768;
const int kPhotoCdHeight = 512;
// Each group: two luma rows, then one row of each chroma half as wide.
const size_t kPhotoCdGroupBytes = 2 * 768 + 2 * 384;
// The end of the Base image: shorter files have none.
const size_t kPhotoCdBaseEnd = kPhotoCdBaseAt + 256 * kPhotoCdGroupBytes;

Image* load_photo_cd(const char* path, char* message);
// The memory form: `size` is the file's length, the data its first bytes.
Image* decode_photo_cd(const uint8_t* data, size_t size, char* message);

// 768 x 512, or 512 x 768 for a pack turned a quarter; needs the signature only.
bool probe_photo_cd_size(const char* path, int* width, int* height);
