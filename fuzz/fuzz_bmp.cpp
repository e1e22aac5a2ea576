// Any bytes through the header sniffing, the BMP reader and its size probe.
#include "core/bmp.h"
#include "core/formats.h"
#include "fuzz/support/fuzz_decode.h"

FUZZ_CAP_PIXEL_BYTES((size_t)1 << 20)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t head[kMaxSignatureBytes] = {};
    memcpy(head, data, size < sizeof head ? size : sizeof head);
    (void)format_for_header(head);

    char message[kMessageBytes];
    Image* image = decode_bmp(data, size, message);
    check_decode(image, message);

    // The probe reads the same headers: a picture it decodes has the sides it reports.
    int w = 0, h = 0;
    bool sized = probe_bmp_data(data, size, &w, &h);
    if (sized && (w < 1 || w > kMaxImageSide || h < 1 || h > kMaxImageSide)) __builtin_trap();
    if (image && (!sized || w != image->width || h != image->height)) __builtin_trap();
    image_free(image);
    return 0;
}
