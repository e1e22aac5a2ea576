// Any bytes as an embedded colour profile: our checks, the library's reading
// of what passes them, and the conversion of a small picture in place. The
// size field is made to agree with the input, so the runs reach the library
// rather than stop at the first check (the containers' targets reach that).
#include <stdlib.h>

#include "core/color_profile.h"
#include "fuzz/support/fuzz_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t* profile = (uint8_t*)malloc(size ? size : 1);
    Image* image = image_create(7, 5);
    if (!profile || !image) __builtin_trap();
    if (size) memcpy(profile, data, size);
    if (size >= 4)
        for (int i = 0; i < 4; ++i) profile[i] = (uint8_t)(size >> (24 - 8 * i));
    for (int32_t y = 0; y < image->height; ++y)
        for (int32_t x = 0; x < 3 * image->width; ++x) image_row(image, y)[x] = (uint8_t)(37 * x + 101 * y);

    bool plausible = color_profile_plausible(profile, size);
    if (color_profile_convert(image, profile, size) && !plausible) __builtin_trap();
    for (int32_t y = 0; y < image->height; ++y)  // the rows' padding is never written
        for (int32_t x = 3 * image->width; x < image->stride; ++x)
            if (image_row(image, y)[x] != 0) __builtin_trap();
    image_free(image);
    free(profile);
    return 0;
}
