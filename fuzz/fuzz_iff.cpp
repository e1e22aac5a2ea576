// Any bytes through the IFF reader and its size probe. Pictures above a
// megabyte of pixels fail as when memory is short: the chunk walk and the
// unpacking are the same, and thousands of runs a second stay possible.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "core/decode_message.h"
#include "core/iff.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    image_cap_pixel_bytes((size_t)1 << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char message[kMessageBytes];
    Image* image = decode_iff(data, size, message);
    if (image) {
        volatile uint8_t sink = image->pixels[(size_t)image->stride * image->height - 1];
        (void)sink;
    } else if (strlen(message) == 0) {
        __builtin_trap();  // a failure must say why
    }
    int w = 0, h = 0;
    if (probe_iff_data(data, size, &w, &h) && (w < 1 || w > kMaxImageSide || h < 1 || h > kMaxImageSide))
        __builtin_trap();
    image_free(image);
    return 0;
}
