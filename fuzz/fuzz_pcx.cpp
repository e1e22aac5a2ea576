// Any bytes through the PCX reader and its size probe.
#include "core/pcx.h"
#include "fuzz/support/fuzz_decode.h"

FUZZ_CAP_PIXEL_BYTES((size_t)1 << 20)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char message[kMessageBytes];
    Image* image = decode_pcx(data, size, message);
    check_decode(image, message);
    if (image && message[0]) __builtin_trap();  // a picture comes without a reason
    // The probe reads the same sides the decoder does.
    int w = 0, h = 0;
    bool probed = probe_pcx_data(data, size, &w, &h);
    if (probed && (w < 1 || w > kMaxImageSide || h < 1 || h > kMaxImageSide)) __builtin_trap();
    if (image && (!probed || w != image->width || h != image->height)) __builtin_trap();
    image_free(image);
    return 0;
}
