#include "core/resize_rules.h"

#include <limits.h>
#include <string.h>

#include "core/formats.h"
#include "core/stb_adapter.h"

namespace {

const int kMaxFieldDigits = 18;  // below INT64_MAX whatever the digits
const int kMaxPathChars = 259;
const char kResizedSuffix[] = "_resized";

}  // namespace

int64_t resize_field_value(const char* text) {
    if (!text || !*text) return -1;
    int64_t value = 0;
    int digits = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9' || ++digits > kMaxFieldDigits) return -1;
        value = value * 10 + (*p - '0');
    }
    return value;
}

bool resize_percent_valid(int64_t percent) {
    return percent >= kMinResizePercent && percent <= kMaxResizePercent;
}

bool resize_side_valid(int64_t side) { return side >= kMinResizeSide && side <= kMaxResizeSide; }

bool linked_side(int64_t value, int ref_value, int ref_other, int* other) {
    if (value < 1 || ref_value < 1 || ref_other < 1) return false;
    // In double: an 18-digit value times a side passes any integer type.
    double exact = (double)value * ref_other / ref_value + 0.5;
    // INT_MAX has 10 digits: whatever passes also fits the other edit.
    if (exact >= (double)INT_MAX + 1.0) return false;
    *other = (int)exact;
    return true;
}

void size_from_percent(int percent, int w, int h, int* out_w, int* out_h) {
    // Half up without floating point: trunc(p * s / 100 + 0.5) for p, s >= 0.
    int64_t sw = ((int64_t)percent * w + 50) / 100, sh = ((int64_t)percent * h + 50) / 100;
    *out_w = sw < 1 ? 1 : sw > INT_MAX ? INT_MAX : (int)sw;
    *out_h = sh < 1 ? 1 : sh > INT_MAX ? INT_MAX : (int)sh;
}

namespace {

// path cut at the dot of its file name, then insert, then extension, into
// out. False without such a dot or when the result would not fit.
bool replace_extension(const char* path, const char* insert, const char* extension, char* out, int out_size) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    // The last dot of the file name: a dot in a folder name is no extension.
    const char* dot = strrchr(name, '.');
    if (!dot) return false;
    size_t stem = (size_t)(dot - path), middle = strlen(insert), tail = strlen(extension);
    size_t length = stem + middle + tail;
    if (length > kMaxPathChars || out_size < 1 || length >= (size_t)out_size) return false;
    memmove(out, path, stem);  // out may be path itself
    memcpy(out + stem, insert, middle);
    memcpy(out + stem + middle, extension, tail + 1);
    return true;
}

}  // namespace

bool resized_output_path(const char* path, char* out, int out_size, int* format) {
    const char* dot = strrchr(file_name_part(path), '.');
    if (!dot) return false;
    // Every writable extension is shorter than the 7 characters a resized
    // name may carry over; any other becomes ".png".
    *format = save_format_for_path(dot);
    char extension[8] = ".png";
    if (*format) strcpy(extension, dot);
    else *format = kSavePng;
    return replace_extension(path, kResizedSuffix, extension, out, out_size);
}

bool converted_output_path(const char* path, int format, char* out, int out_size) {
    const char* extension = format == kSavePng ? ".png" : format == kSaveJpeg ? ".jpg" : ".bmp";
    return replace_extension(path, "", extension, out, out_size);
}
