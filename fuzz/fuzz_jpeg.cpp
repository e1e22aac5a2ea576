// Any bytes through the JPEG path of load_image: libjpeg-turbo at the size
// the input's length picks (whole, 1/2, 1/4, 1/8), stb_image when the library
// cannot start.
#include "core/jpeg.h"
#include "core/stb_impl.h"
#include "fuzz/support/fuzz_decode.h"

// Pictures above 64 KB, and the library's working memory above 4 MB, take
// the out-of-memory paths instead of seconds of filling buffers.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    image_cap_pixel_bytes(64u << 10);
    stb_limit_allocation_size(256u << 10);
    jpeg_cap_work_bytes(4u << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int reduction = 1 << (size % 4);
    char message[kMessageBytes];
    Image* image = decode_jpeg_or_stb(data, size, reduction, message);
    check_decode(image, message);
    if (image && (image->stride != image_stride_for(image->width) || message[0] != 0)) __builtin_trap();
    image_free(image);
    return 0;
}
