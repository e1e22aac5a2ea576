// The netpbm kinds stb_image does not read: plain (text) PBM, PGM and PPM
// (P1, P2, P3) and raw bitmaps (P4). The byte kinds P5 and P6 go to stb_image.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/image.h"

// True when the data starts with "P1" .. "P4".
bool is_pnm_plain(const uint8_t* data, size_t size);
// Samples missing at the end leave their pixels black. message: at least kMessageBytes, or null.
Image* decode_pnm_plain(const uint8_t* data, size_t size, char* message);
// The size from the header alone; true when both sides lie in 1..kMaxImageSide.
bool probe_pnm_plain(const uint8_t* data, size_t size, int* width, int* height);
