// Letter case of ASCII text, for names the file systems and the command line
// compare without regard to case. Portable; no locale.
#pragma once
#include <stddef.h>

inline char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? (char)(c + 32) : c; }

inline bool equal_ignoring_case(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (ascii_lower(*a) != ascii_lower(*b)) return false;
        if (!*a) return true;
    }
}
