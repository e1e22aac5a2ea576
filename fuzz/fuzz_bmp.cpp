// Any bytes through the header sniffing and the BMP reader.
#include "core/bmp.h"
#include "core/formats.h"
#include "fuzz/support/fuzz_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t head[8] = {};
    memcpy(head, data, size < 8 ? size : 8);
    (void)format_for_header(head);

    char message[kMessageBytes];
    Image* image = decode_bmp(data, size, message);
    check_decode(image, message);
    image_free(image);
    return 0;
}
