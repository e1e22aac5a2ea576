// Pixel operations that make a new picture from one, leaving it untouched.
// None when the input is none, a size is invalid or image_create fails.
// Coordinates count from the top row. Padding bytes of the result are 0.
#pragma once
#include <stdint.h>

#include "core/image.h"

// Clockwise (nonzero): source (x, y) goes to (H - 1 - y, x); counter-clockwise:
// (x, y) goes to (y, W - 1 - x).
Image* image_rotate90(const Image* image, int clockwise);
// The same pixels as two clockwise quarter turns, made in one pass and one
// allocation.
Image* image_rotate180(const Image* image);
// Left and right exchanged.
Image* image_mirror(const Image* image);
// Top and bottom exchanged.
Image* image_flip(const Image* image);
// The rectangle at (x, y) of w x h clipped to the picture; none when less
// than one pixel of it is left.
Image* image_crop(const Image* image, int32_t x, int32_t y, int32_t w, int32_t h);
// Bilinear resampling to w x h in 1/256 fixed point with the pixel centres
// aligned; downscaling uses the same four neighbours.
Image* image_resize(const Image* image, int32_t w, int32_t h);
// Lets image_resize use SSE2 where the processor has it (the default) or
// keeps it to plain integer code, so both can be checked for the same bytes.
// Returns whether SSE2 is used from now on.
bool image_resize_allow_sse2(bool allowed);
// Every colour byte b becomes lut[b].
Image* image_apply_lut(const Image* image, const uint8_t lut[256]);
// Gray (29 blue + 150 green + 77 red) >> 8 in all three bytes.
Image* image_grayscale(const Image* image);
// The Adjust Colors table: brightness and contrast -100..100, gamma 0.10..3.00.
void build_color_lut(int brightness, int contrast, double gamma, uint8_t lut[256]);
// A picture a camera stored with this EXIF orientation (1..8: where its first
// row and column belong), turned upright; none when it is upright already,
// the value is not one of the eight, or memory is short.
Image* image_upright(const Image* image, int orientation);
