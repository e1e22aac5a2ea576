// Every frame or page of a file as the viewer shows it: a GIF's frames with
// their delays, or one picture as a set of one, a photo turned upright by its
// EXIF orientation.
#pragma once
#include "core/image.h"

enum LoadSetResult { kLoadSetOk, kLoadSetCannotOpen, kLoadSetFailed };

// On failure the set is empty and message (at least kMessageBytes) holds the reason.
LoadSetResult load_image_set(const char* path, ImageSet* set, char* message);

// The first frame or page only, turned upright like the set's picture: what
// the viewer would show of the file before any stepping, without decoding
// the other frames. None on failure, with the reason in message. A photo
// that memory was too short to turn comes back as decoded, with the memory
// message ("Bellek yetersiz.") all the same.
Image* load_upright_image(const char* path, char* message);
// The same for a picture needed only with its larger side at least `need`
// (load_image_reduced); turning keeps the larger side.
Image* load_upright_image_reduced(const char* path, int need, char* message);
