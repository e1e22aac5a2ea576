// Any bytes through the EXIF reader, with the callers' buffer sizes and with
// tiny ones.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "core/exif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int orientation = 0;
    char date[40], make[64], model[64];
    read_exif_data(data, size, &orientation, date, sizeof date, make, sizeof make, model, sizeof model);
    if (orientation < 1 || orientation > 8) __builtin_trap();
    if (strlen(date) >= sizeof date || strlen(make) >= sizeof make || strlen(model) >= sizeof model) __builtin_trap();

    char one[1], two[2];
    read_exif_data(data, size, nullptr, one, sizeof one, two, sizeof two, nullptr, 0);
    if (one[0] != 0 || (two[0] != 0 && two[1] != 0)) __builtin_trap();
    return 0;
}
