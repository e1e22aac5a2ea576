// Size arithmetic for anything that comes from a file: every product and sum
// is checked before it is used to allocate or index.
#pragma once
#include <stddef.h>
#include <stdint.h>

// The most one pixel buffer or file copy may take. A 32-bit process cannot
// hold more in one block anyway, and keeping every byte count below 2^31 lets
// callers use plain signed arithmetic on offsets and GDI sizes.
const size_t kMaxBlockBytes = 0x7FFFFFFFu;

inline bool checked_mul(size_t a, size_t b, size_t* out) {
    if (a != 0 && b > SIZE_MAX / a) return false;
    *out = a * b;
    return true;
}

inline bool checked_add(size_t a, size_t b, size_t* out) {
    if (b > SIZE_MAX - a) return false;
    *out = a + b;
    return true;
}

// a * b, refused when it overflows or exceeds kMaxBlockBytes.
inline bool checked_pixel_bytes(size_t a, size_t b, size_t* out) {
    size_t n = 0;
    if (!checked_mul(a, b, &n) || n > kMaxBlockBytes) return false;
    *out = n;
    return true;
}
