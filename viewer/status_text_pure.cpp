#include "viewer/status_text_pure.h"

#include <stdio.h>
#include <string.h>

#include "core/formats.h"

void FormatStatusName(char* out, size_t size, const char* path, int list_index, int list_count, int frame_index,
                      int frame_count, const char* frame_word) {
    if (!size) return;
    const char* name = file_name_part(path);
    if (list_count >= 2)
        snprintf(out, size, "%s  (%d/%d)", name, list_index + 1, list_count);
    else
        snprintf(out, size, "%s", name);
    if (frame_count > 1) {
        size_t used = strlen(out);
        snprintf(out + used, size - used, "  [%s %d/%d]", frame_word ? frame_word : "", frame_index + 1, frame_count);
    }
}

uint64_t KilobytesRoundedUp(uint64_t bytes) { return bytes / 1024 + (bytes % 1024 ? 1 : 0); }

void FormatKilobytes(char* out, size_t size, uint64_t bytes) {
    snprintf(out, size, "%llu KB", (unsigned long long)KilobytesRoundedUp(bytes));
}

void FormatDimensions(char* out, size_t size, int width, int height) { snprintf(out, size, "%d x %d", width, height); }

void FormatPercent(char* out, size_t size, int percent) { snprintf(out, size, "%d%%", percent); }

void FormatTitle(char* out, size_t size, const char* path, bool edited, const char* edited_format,
                 const char* product) {
    if (!size) return;
    if (!path || !path[0]) {
        snprintf(out, size, "%s", product);
        return;
    }
    const char* name = file_name_part(path);
    if (edited)
        snprintf(out, size, edited_format, name, product);
    else
        snprintf(out, size, "%s - %s", name, product);
}
