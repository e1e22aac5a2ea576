// The arithmetic of the Resize dialog (the viewer's and the browser's batch
// resize) and the names batch resizing and conversion write pictures under.
#pragma once
#include <stdint.h>

const int kMinResizePercent = 1;
const int kMaxResizePercent = 3200;
const int kMinResizeSide = 1;
const int kMaxResizeSide = 20000;

// A digits-only field as a number; -1 when it is empty, holds anything but
// digits or more than 18 of them (more than any edit of the dialog holds).
int64_t resize_field_value(const char* text);
bool resize_percent_valid(int64_t percent);
bool resize_side_valid(int64_t side);

// The side that keeps the aspect ratio of ref_value x ref_other when one
// side becomes value: value * ref_other / ref_value rounded half up. False
// (the other side stays as it is) when value or a reference side is below 1
// or the result would not fit an int.
bool linked_side(int64_t value, int ref_value, int ref_other, int* other);

// p % of w x h, each side rounded half up and at least 1. Not capped: a
// result above kMaxImageSide is refused later by image_create.
void size_from_percent(int percent, int w, int h, int* out_w, int* out_h);

// Where batch resizing writes path: the name without its extension,
// "_resized", and the extension when it is one save_image writes (.bmp
// .dib .png .jpg .jpeg .jpe, its case kept), else ".png". *format gets the
// matching kSave* value. False when the file name has no extension or the
// result would not fit out_size bytes or a 259-character path.
bool resized_output_path(const char* path, char* out, int out_size, int* format);
// Where converting path to a kSave* format writes: the extension replaced by
// ".png", ".jpg" or ".bmp". False as above.
bool converted_output_path(const char* path, int format, char* out, int out_size);
