// Any bytes through the animated-GIF frame loader (the library's whole-
// animation call and the conversion of every frame).
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "core/decode_message.h"
#include "core/stb_adapter.h"
#include "core/stb_impl.h"

// Pictures above 1 MB take the library's out-of-memory paths instead of
// minutes of filling buffers.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    stb_limit_allocation_size(1u << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char message[kMessageBytes];
    int32_t* delays = nullptr;
    int32_t count = -1;
    Image** frames = decode_gif_frames(data, size, &delays, &count, message);
    if (frames) {
        if (count < 1 || count > kMaxGifFrames || !delays || message[0] != 0) __builtin_trap();
        volatile int32_t sink = delays[count - 1];
        int32_t width = 0, height = 0;
        for (int32_t i = 0; i < count; ++i) {
            Image* f = frames[i];
            if (!f) continue;
            if (!width) width = f->width, height = f->height;
            if (f->width != width || f->height != height) __builtin_trap();  // one logical screen
            sink = f->pixels[(size_t)f->stride * f->height - 1];
            image_free(f);
        }
        (void)sink;
        free(frames);
        free(delays);
    } else if (count != 0 || delays || strlen(message) == 0 || strlen(message) > kLibraryReasonChars) {
        __builtin_trap();
    }
    return 0;
}
