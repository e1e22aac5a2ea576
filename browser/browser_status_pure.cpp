#include "browser/browser_status_pure.h"

#include <stdio.h>
#include <string.h>

void format_status_size(char* out, size_t size, uint64_t bytes, const char* bytes_format) {
    if (bytes < 1024) {
        snprintf(out, size, bytes_format, (unsigned long)bytes);
    } else if (bytes < 1048576) {
        uint64_t tenths = bytes * 10 / 1024;
        snprintf(out, size, "%lu.%luKB", (unsigned long)(tenths / 10), (unsigned long)(tenths % 10));
    } else {
        uint64_t hundredths = bytes / 1024 * 100 / 1024;
        snprintf(out, size, "%lu.%02luMB", (unsigned long)(hundredths / 100), (unsigned long)(hundredths % 100));
    }
}

void format_browser_status(const BrowserCounts& c, const BrowserStatusWords& w, char* count_text, size_t count_size,
                           char* size_text, size_t size_size) {
    auto plural = [&](int n) { return n == 1 ? "" : w.plural; };
    uint64_t bytes;
    if (c.selected > 0) {
        snprintf(count_text, count_size, w.objects_selected, c.selected, plural(c.selected));
        bytes = c.selected_bytes;
    } else if (c.thumbnails) {
        snprintf(count_text, count_size, w.objects, c.images, plural(c.images));
        bytes = c.image_bytes;
    } else {
        int objects = c.folders + c.files;
        if (c.show_all_files)
            snprintf(count_text, count_size, w.objects_and_images, objects, plural(objects), c.images,
                     plural(c.images));
        else
            snprintf(count_text, count_size, w.objects, objects, plural(objects));
        bytes = c.total_bytes;
    }
    format_status_size(size_text, size_size, bytes, w.bytes);
}

void format_browser_title(char* out, size_t size, const char* folder, const char* word) {
    size_t n = folder ? strlen(folder) : 0;
    if (n == 0) {
        snprintf(out, size, "%s", word);
        return;
    }
    if (n > 3 && folder[n - 1] == '\\') --n;
    snprintf(out, size, "%.*s - %s", (int)n, folder, word);
}

void folder_display_name(char* out, size_t size, const char* folder) {
    size_t n = strlen(folder);
    if (n <= 3) {
        snprintf(out, size, "%s", folder);
        return;
    }
    size_t end = folder[n - 1] == '\\' ? n - 1 : n;
    size_t start = end;
    while (start > 0 && folder[start - 1] != '\\') --start;
    snprintf(out, size, "%.*s", (int)(end - start), folder + start);
}

bool parent_folder(const char* folder, char* out, size_t size) {
    char copy[260];
    snprintf(copy, sizeof copy, "%s", folder);
    size_t n = strlen(copy);
    if (n > 0 && copy[n - 1] == '\\') copy[--n] = 0;
    char* slash = strrchr(copy, '\\');
    if (!slash) return false;
    slash[1] = 0;
    snprintf(out, size, "%s", copy);
    return true;
}
