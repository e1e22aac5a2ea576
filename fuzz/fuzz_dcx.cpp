// Any bytes through the DCX reader: every page, and the first page on its
// own, which must be the first of the pages. Pictures above a megabyte of
// pixels fail as when memory is short.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "core/decode_message.h"
#include "core/pcx.h"

static void touch_last_byte(const Image* image) {
    volatile uint8_t sink = image->pixels[(size_t)image->stride * image->height - 1];
    (void)sink;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    image_cap_pixel_bytes((size_t)1 << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char message[kMessageBytes];
    Image* first = decode_dcx_first_page(data, size, message);
    if (first) touch_last_byte(first);
    else if (strlen(message) == 0) __builtin_trap();  // a failure must say why

    ImageSet set = {nullptr, -1, nullptr};
    if (decode_dcx_pages(data, size, &set, message)) {
        if (set.count < 1 || set.count > kMaxDcxPages || set.delays) __builtin_trap();
        for (int32_t i = 0; i < set.count; ++i) touch_last_byte(set.frames[i]);
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
