// The text listing of a folder: sizes with thousands separators, colour
// depth and format names, the line format. Portable.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>

// value with `separator` (its first character; "." when empty) between
// groups of three digits: 1234567 and "," give "1,234,567".
std::string format_thousands(uint64_t value, const char* separator);
// "BW", "16", "256", "32K", "64K", "16M" by bits per pixel; "" for 0 or less.
const char* depth_name(int bits);
// "jpeg", "tiff", "bmp", "iff", "pnm", "webp" and the other short names by the
// extension; an unknown extension as written; "" without one.
std::string listing_format_name(const char* path);
// "%dx%dx%s %s", or "" for a width below 1.
std::string image_properties(int width, int height, int bits, const char* path);
// "%-28s %13s  %-22s\r\n": names longer than 28 are not cut.
std::string listing_line(const std::string& name, const std::string& size, const std::string& properties);
