// Any bytes through the PCX reader and its size probe. Pictures above a
// megabyte of pixels fail as when memory is short: the parsing is the same,
// and thousands of runs a second stay possible.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "core/decode_message.h"
#include "core/pcx.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    image_cap_pixel_bytes((size_t)1 << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char message[kMessageBytes];
    Image* image = decode_pcx(data, size, message);
    if (image) {
        volatile uint8_t sink = image->pixels[(size_t)image->stride * image->height - 1];
        (void)sink;
        if (message[0]) __builtin_trap();  // a picture comes without a reason
    } else if (strlen(message) == 0) {
        __builtin_trap();  // a failure must say why
    }
    // The probe reads the same sides the decoder does.
    int w = 0, h = 0;
    bool probed = probe_pcx_data(data, size, &w, &h);
    if (probed && (w < 1 || w > kMaxImageSide || h < 1 || h > kMaxImageSide)) __builtin_trap();
    if (image && (!probed || w != image->width || h != image->height)) __builtin_trap();
    image_free(image);
    return 0;
}
