// The text of the viewer's Properties box, made without Windows.
#pragma once
#include <stddef.h>
#include <stdint.h>

// What the box tells about one file.
struct PropertiesFacts {
    const char* name;  // the file name, after the last backslash
    const char* path;
    int width, height;  // of the shown picture; 0 x 0 without one
    uint64_t bytes;     // the file's size; 0 when it cannot be read
    const char* date;   // the EXIF date taken, camera maker and model ("" when absent)
    const char* make;
    const char* model;
};

// Whole kilobytes, rounded up: 1 byte is 1 KB, 1025 bytes are 2 KB.
uint64_t size_in_kb(uint64_t bytes);
// The file name part of a path: after the last backslash, the whole path without one.
const char* path_file_name(const char* path);
// The localized body (texts of "File: %s\nPath: %s\n\nDimensions: %d x %d
// pixels\n...%lu bytes (%lu KB)") filled in, then the camera line when the
// maker or model is known and the date line when the date is. Cut to fit
// size, always ended.
void format_properties_text(const char* body, const PropertiesFacts& facts, char* out, size_t size);
