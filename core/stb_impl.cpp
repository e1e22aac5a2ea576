// The one translation unit that compiles stb_image and stb_image_write, from
// the build's patched copy of the packaged headers (cmake/StbPatch.cmake).
#include "core/stb_impl.h"

#include <stdlib.h>

namespace {

// 0: every allocation succeeds; n: the nth allocation from now and all after it fail.
int g_fail_from = 0;

size_t g_max_bytes = 0;  // 0: no limit

bool allocation_refused(size_t size) {
    if (g_max_bytes && size > g_max_bytes) return true;
    if (g_fail_from == 0) return false;
    if (g_fail_from > 1) {
        --g_fail_from;
        return false;
    }
    return true;
}

}  // namespace

void* lumora_stb_malloc(size_t size) { return allocation_refused(size) ? nullptr : malloc(size); }

// realloc(p, 0) may free p and return null, which the library would take for a
// failure and free p again: never pass 0 through.
void* lumora_stb_realloc(void* p, size_t size) {
    if (allocation_refused(size)) return nullptr;
    return realloc(p, size ? size : 1);
}

void stb_fail_allocations_from(int n) { g_fail_from = n > 0 ? n : 0; }

void stb_limit_allocation_size(size_t max_bytes) { g_max_bytes = max_bytes; }

#define STBI_MALLOC(size) lumora_stb_malloc(size)
#define STBI_REALLOC(p, size) lumora_stb_realloc(p, size)
#define STBI_FREE(p) free(p)
#define STBIW_MALLOC(size) lumora_stb_malloc(size)
#define STBIW_REALLOC(p, size) lumora_stb_realloc(p, size)
#define STBIW_FREE(p) free(p)

// Only the decoders Lumora hands files to; floating-point HDR stays out.
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STB_IMAGE_IMPLEMENTATION
#include "stb_image.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "stb_image_write.h"

void stb_clear_failure_reason() { stbi__g_failure_reason = nullptr; }
