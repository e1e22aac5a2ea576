#include "shell/properties_pure.h"

#include <stdio.h>
#include <string.h>

namespace {

// Appends text where out ends, cut to fit size.
void append(char* out, size_t size, const char* text) {
    size_t used = strlen(out);
    if (used + 1 < size) snprintf(out + used, size - used, "%s", text);
}

}  // namespace

uint64_t size_in_kb(uint64_t bytes) { return bytes / 1024 + (bytes % 1024 != 0); }

const char* path_file_name(const char* path) {
    const char* slash = strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

void format_properties_text(const char* body, const PropertiesFacts& f, char* out, size_t size) {
    if (size == 0) return;
    out[0] = 0;
    // The body takes unsigned long: 32 bits on Windows, which no picture the
    // decoders accept outgrows.
    const uint64_t kLimit = 0xFFFFFFFFu;
    unsigned long bytes = (unsigned long)(f.bytes > kLimit ? kLimit : f.bytes);
    unsigned long kb = (unsigned long)size_in_kb(bytes);
    snprintf(out, size, body, f.name, f.path, f.width, f.height, bytes, kb);
    if (f.make[0] || f.model[0]) {
        append(out, size, "\nCamera: ");
        if (f.make[0]) {
            append(out, size, f.make);
            append(out, size, " ");
        }
        append(out, size, f.model);
    }
    if (f.date[0]) {
        append(out, size, "\nDate taken: ");
        append(out, size, f.date);
    }
}
