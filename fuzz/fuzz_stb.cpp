// Any bytes through the stb_image path of load_image (JPEG, PNG, GIF first
// frame, TGA, PSD, PIC, PNM) and through the size query.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "core/decode_message.h"
#include "core/stb_adapter.h"
#include "core/stb_impl.h"

// Pictures above 256 KB take the library's out-of-memory paths instead of
// minutes of filling buffers.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    stb_limit_allocation_size(256u << 10);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int w = 0, h = 0;
    if (probe_stb_data(data, size, &w, &h) && (w < 1 || w > kMaxImageSide || h < 1 || h > kMaxImageSide))
        __builtin_trap();

    char message[kMessageBytes];
    Image* image = decode_with_stb(data, size, message);
    if (image) {
        if (image->stride != image_stride_for(image->width) || message[0] != 0) __builtin_trap();
        // The first and last stored bytes: a short pixel block shows up under the sanitizer.
        volatile uint8_t sink = image->pixels[0];
        sink = image->pixels[(size_t)image->stride * image->height - 1];
        (void)sink;
    } else if (strlen(message) == 0 || strlen(message) > kLibraryReasonChars) {
        __builtin_trap();  // a failure must say why, within the cut
    }
    image_free(image);
    return 0;
}
