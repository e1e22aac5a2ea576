// Any bytes through the listing's header probe; the sanitizers watch its reads.
#include <stddef.h>
#include <stdint.h>

#include "core/header_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HeaderFacts facts;
    (void)probe_header_size(data, size, &facts);
    return 0;
}
