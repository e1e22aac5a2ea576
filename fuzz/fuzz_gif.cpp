// Any bytes through the animated-GIF frame loader (the library's whole-
// animation call and the conversion of every frame).
#include "core/stb_adapter.h"
#include "core/stb_impl.h"
#include "fuzz/support/fuzz_decode.h"

// Pictures above 1 MB take the library's out-of-memory paths instead of
// minutes of filling buffers.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    stb_limit_allocation_size(1u << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char message[kMessageBytes];
    ImageSet set = {nullptr, -1, nullptr};
    if (decode_gif_frames(data, size, &set, message)) {
        if (set.count < 1 || set.count > kMaxGifFrames || !set.delays || message[0] != 0) __builtin_trap();
        volatile int32_t sink = set.delays[set.count - 1];
        (void)sink;
        int32_t width = 0, height = 0;
        for (int32_t i = 0; i < set.count; ++i) {
            const Image* f = set.frames[i];
            if (!f) continue;
            if (!width) width = f->width, height = f->height;
            if (f->width != width || f->height != height) __builtin_trap();  // one logical screen
            touch_pixels(f);
        }
        image_set_free(&set);
    } else if (set.count != 0 || set.frames || set.delays || strlen(message) == 0 ||
               strlen(message) > kLibraryReasonChars) {
        __builtin_trap();
    }
    return 0;
}
