// Any bytes as a fax strip: the first four choose the width, the rows, the
// coding and the photometric value, the rest is the strip. Every output
// byte must be black or white.
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "core/fax.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    int32_t width = 1 + (int32_t)((data[0] | data[1] << 8) % 30000);
    int32_t rows = 1 + data[2] % (width > 2000 ? 4 : 32);  // wide pages cost their width
    FaxCoding coding = (FaxCoding)(data[3] & 3);
    int photometric = data[3] >> 2 & 1;
    static std::vector<uint8_t> out;
    out.assign((size_t)width * rows, 0x77);
    if (!decode_fax_strip(data + 4, size - 4, width, rows, coding, photometric, out.data())) __builtin_trap();
    for (uint8_t v : out)
        if (v != 0 && v != 255) __builtin_trap();
    return 0;
}
