// Any bytes through the IFF reader and its size probe.
#include "core/iff.h"
#include "fuzz/support/fuzz_decode.h"

FUZZ_CAP_PIXEL_BYTES((size_t)1 << 20)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char message[kMessageBytes];
    Image* image = decode_iff(data, size, message);
    check_decode(image, message);
    int w = 0, h = 0;
    if (probe_iff_data(data, size, &w, &h) && (w < 1 || w > kMaxImageSide || h < 1 || h > kMaxImageSide))
        __builtin_trap();
    image_free(image);
    return 0;
}
