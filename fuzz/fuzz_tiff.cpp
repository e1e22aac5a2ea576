// Any bytes through the TIFF reader: the first page, every page and the size
// probe of the same data. Pages above 256 KB of pixels fail as when
// memory is short: the parsing is the same, and thousands of runs a second
// stay possible.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "core/decode_message.h"
#include "core/tiff.h"

namespace {

void touch_last_byte(const Image* image) {
    volatile uint8_t sink = image->pixels[(size_t)image->stride * image->height - 1];
    (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    image_cap_pixel_bytes((size_t)1 << 18);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char message[kMessageBytes];
    Image* first = decode_tiff_first_page(data, size, message);
    if (first) touch_last_byte(first);
    else if (strlen(message) == 0) __builtin_trap();  // a failure must say why
    image_free(first);

    ImageSet set = {nullptr, -1, nullptr};
    if (decode_tiff_pages(data, size, &set, message)) {
        if (set.count < 1 || set.count > kMaxTiffPages || set.delays) __builtin_trap();
        for (int32_t i = 0; i < set.count; ++i) touch_last_byte(set.frames[i]);
        image_set_free(&set);
    } else if (set.count != 0 || set.frames || strlen(message) == 0) {
        __builtin_trap();
    }

    int w = 0, h = 0;
    if (probe_tiff_data(data, size, &w, &h) && (w < 1 || w > kMaxImageSide || h < 1 || h > kMaxImageSide))
        __builtin_trap();
    return 0;
}
