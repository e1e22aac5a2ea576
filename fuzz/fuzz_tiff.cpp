// Any bytes through the TIFF reader: the first page, every page and the size
// probe of the same data.
#include "core/tiff.h"
#include "fuzz/support/fuzz_decode.h"

FUZZ_CAP_PIXEL_BYTES((size_t)1 << 18)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char message[kMessageBytes];
    Image* first = decode_tiff_first_page(data, size, message);
    check_decode(first, message);
    image_free(first);

    ImageSet set = {nullptr, -1, nullptr};
    if (decode_tiff_pages(data, size, &set, message)) {
        if (set.count < 1 || set.count > kMaxTiffPages || set.delays) __builtin_trap();
        for (int32_t i = 0; i < set.count; ++i) touch_pixels(set.frames[i]);
        image_set_free(&set);
    } else if (set.count != 0 || set.frames || strlen(message) == 0) {
        __builtin_trap();
    }

    int w = 0, h = 0;
    if (probe_tiff_data(data, size, &w, &h) && (w < 1 || w > kMaxImageSide || h < 1 || h > kMaxImageSide))
        __builtin_trap();
    return 0;
}
