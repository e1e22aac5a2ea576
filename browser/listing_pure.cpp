#include "browser/listing_pure.h"

#include <stdio.h>
#include <string.h>

#include "core/formats.h"

std::string format_thousands(uint64_t value, const char* separator) {
    const char mark = separator && separator[0] ? separator[0] : '.';
    char digits[24];
    snprintf(digits, sizeof digits, "%llu", (unsigned long long)value);
    std::string out;
    const size_t n = strlen(digits);
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += mark;
        out += digits[i];
    }
    return out;
}

const char* depth_name(int bits) {
    switch (bits) {
    case 1: return "BW";
    case 4: return "16";
    case 8: return "256";
    case 15: return "32K";
    case 16: return "64K";
    case 24:
    case 32: return "16M";
    }
    return bits > 24 ? "16M" : bits >= 1 ? "256" : "";
}

std::string listing_format_name(const char* path) {
    const char* dot = strrchr(file_name_part(path), '.');
    if (!dot) return "";
    static const struct {
        const char* extensions[4];
        const char* name;
    } kNames[] = {
        {{"jpg", "jpeg", "jpe"}, "jpeg"}, {{"tif", "tiff"}, "tiff"}, {{"bmp", "dib"}, "bmp"},
        {{"iff", "lbm", "ilbm"}, "iff"},  {{"pnm", "pbm", "pgm", "ppm"}, "pnm"},
        {{"png"}, "png"}, {{"gif"}, "gif"}, {{"tga"}, "tga"}, {{"pcx"}, "pcx"}, {{"dcx"}, "dcx"},
        {{"psd"}, "psd"}, {{"pic"}, "pic"}, {{"wmf"}, "wmf"}, {{"webp"}, "webp"},
    };
    for (const auto& row : kNames)
        for (const char* extension : row.extensions)
            if (extension && extension_equal(dot + 1, extension)) return row.name;
    return dot + 1;
}

std::string image_properties(int width, int height, int bits, const char* path) {
    if (width < 1) return "";
    char text[96];
    snprintf(text, sizeof text, "%dx%dx%s %s", width, height, depth_name(bits), listing_format_name(path).c_str());
    return text;
}

std::string listing_line(const std::string& name, const std::string& size, const std::string& properties) {
    std::string line(name.size() + size.size() + properties.size() + 64, '\0');
    int n = snprintf(&line[0], line.size(), "%-28s %13s  %-22s\r\n", name.c_str(), size.c_str(), properties.c_str());
    line.resize(n > 0 ? (size_t)n : 0);
    return line;
}
