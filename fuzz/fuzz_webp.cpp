// Any bytes through the WebP decoder: the container walk, one picture at the
// reduction the input's length picks, every frame of an animation, and what
// the header probe and the colour profile's place say of the same bytes.
#include "core/header_probe.h"
#include "core/webp.h"
#include "fuzz/support/fuzz_decode.h"

// Pictures above 256 KB fail as when memory is short; the library's canvas
// and working memory follow the picture's size.
FUZZ_CAP_PIXEL_BYTES((size_t)256 << 10)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int reduction = 1 << (size % 4);
    char message[kMessageBytes];
    HeaderFacts facts;
    const bool probed = probe_header_size(data, size, &facts);
    Image* image = decode_webp(data, size, reduction, message);
    check_decode(image, message);
    // A picture decodes only from a header the probe reads, at the sides it reports.
    if (image && (!probed || message[0] != 0)) __builtin_trap();
    if (image && reduction == 1 && (image->width != facts.width || image->height != facts.height)) __builtin_trap();
    image_free(image);

    ImageSet set = {nullptr, -1, nullptr};
    if (decode_webp_frames(data, size, &set, message)) {
        if (set.count < 1 || set.count > kMaxWebpFrames || message[0] != 0 || !probed) __builtin_trap();
        for (int32_t i = 0; i < set.count; ++i) {
            const Image* f = set.frames[i];
            if (!f) continue;
            if (f->width != facts.width || f->height != facts.height) __builtin_trap();  // one canvas
            touch_pixels(f);
        }
        if (set.delays) {
            volatile int32_t sink = set.delays[set.count - 1];
            (void)sink;
        }
        image_set_free(&set);
    } else if (set.count != 0 || set.frames || set.delays || strlen(message) == 0) {
        __builtin_trap();
    }

    size_t offset = 0, length = 0;
    if (webp_icc_profile(data, size, &offset, &length) && (offset > size || length > size - offset))
        __builtin_trap();
    return 0;
}
