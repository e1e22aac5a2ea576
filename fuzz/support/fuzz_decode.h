// What every decoder's fuzz target asks of one decode: a picture is readable
// to its last stored byte (a short pixel block shows up under the sanitizer),
// a failure says why.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "core/decode_message.h"
#include "core/image.h"

inline void touch_pixels(const Image* image) {
    volatile uint8_t sink = image->pixels[0];
    sink = image->pixels[(size_t)image->stride * image->height - 1];
    (void)sink;
}

inline void check_decode(const Image* image, const char* message) {
    if (image) touch_pixels(image);
    else if (strlen(message) == 0) __builtin_trap();
}

// Pictures above `bytes` of pixels fail as when memory is short: the parsing
// is the same, and thousands of runs a second stay possible.
#define FUZZ_CAP_PIXEL_BYTES(bytes)                           \
    extern "C" int LLVMFuzzerInitialize(int*, char***) {     \
        image_cap_pixel_bytes(bytes);                         \
        return 0;                                             \
    }
