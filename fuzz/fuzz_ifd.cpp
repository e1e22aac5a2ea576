// Any bytes as a TIFF structure through the IFD reader: the whole chain of
// directories, every entry and its values, under the EXIF block's entry
// limit and under none.
#include <stddef.h>
#include <stdint.h>

#include "core/ifd.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint32_t kLimits[] = {500, 65535};
    for (uint32_t max_entries : kLimits) {
        IfdReader reader;
        Ifd ifd;
        int directories = 0;
        for (uint32_t at = ifd_begin(&reader, data, size, max_entries); ifd_open(&reader, at, &ifd);
             at = ifd_next(&reader, &ifd)) {
            if (++directories > kMaxIfdChain || ifd.count > max_entries) __builtin_trap();
            IfdEntry entry;
            for (uint32_t i = 0; ifd_entry(&reader, &ifd, i, &entry); ++i) {
                const uint8_t* bytes = nullptr;
                size_t length = 0;
                if (!ifd_value_bytes(&reader, &entry, &bytes, &length) || length == 0) continue;
                if (bytes < data || length > size || bytes > data + (size - length)) __builtin_trap();
                volatile uint8_t sink = bytes[length - 1];  // the last value byte: the sanitizer checks it
                (void)sink;
            }
        }
    }
    return 0;
}
