// Any bytes through the DCX reader: every page, and the first page on its
// own, which must be the first of the pages.
#include "core/pcx.h"
#include "fuzz/support/fuzz_decode.h"

FUZZ_CAP_PIXEL_BYTES((size_t)1 << 20)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char message[kMessageBytes];
    Image* first = decode_dcx_first_page(data, size, message);
    check_decode(first, message);

    ImageSet set = {nullptr, -1, nullptr};
    if (decode_dcx_pages(data, size, &set, message)) {
        if (set.count < 1 || set.count > kMaxDcxPages || set.delays) __builtin_trap();
        for (int32_t i = 0; i < set.count; ++i) touch_pixels(set.frames[i]);
        const Image* page = set.frames[0];
        if (!first || first->width != page->width || first->height != page->height ||
            memcmp(first->pixels, page->pixels, (size_t)page->stride * page->height) != 0)
            __builtin_trap();
        image_set_free(&set);
    } else if (set.count != 0 || set.frames || strlen(message) == 0 || first) {
        __builtin_trap();
    }
    image_free(first);
    return 0;
}
