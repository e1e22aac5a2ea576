// Every frame or page of a file as the viewer shows it: a GIF's frames with
// their delays, or one picture as a set of one, a photo turned upright by its
// EXIF orientation.
#pragma once
#include "core/image.h"

enum LoadSetResult { kLoadSetOk, kLoadSetCannotOpen, kLoadSetFailed };

// On failure the set is empty and message (at least kMessageBytes) holds the reason.
LoadSetResult load_image_set(const char* path, ImageSet* set, char* message);
