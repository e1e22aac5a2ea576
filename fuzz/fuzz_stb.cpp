// Any bytes through the stb_image path of load_image (JPEG, PNG, GIF first
// frame, TGA, PSD, PIC, PNM) and through the size query.
#include "core/stb_adapter.h"
#include "core/stb_impl.h"
#include "fuzz/support/fuzz_decode.h"

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
    check_decode(image, message);
    if (image && (image->stride != image_stride_for(image->width) || message[0] != 0)) __builtin_trap();
    if (strlen(message) > kLibraryReasonChars) __builtin_trap();  // the library's reason, within the cut
    image_free(image);
    return 0;
}
