// Pixel operations that make a new picture from one, leaving it untouched.
// None when the input is none or image_create fails.
#pragma once
#include "core/image.h"

// Clockwise (nonzero): source (x, y) goes to (H - 1 - y, x); counter-clockwise:
// (x, y) goes to (y, W - 1 - x).
Image* image_rotate90(const Image* image, int clockwise);
// Left and right exchanged.
Image* image_mirror(const Image* image);
// Top and bottom exchanged.
Image* image_flip(const Image* image);
// A picture a camera stored with this EXIF orientation (1..8: where its first
// row and column belong), turned upright; none when it is upright already,
// the value is not one of the eight, or memory is short.
Image* image_upright(const Image* image, int orientation);
