#include "browser/address_pure.h"

#include <stdio.h>
#include <string.h>

void address_text(const char* folder, char* out, size_t size) {
    size_t length = strlen(folder);
    int shown = (int)(length > 3 && folder[length - 1] == '\\' ? length - 1 : length);
    snprintf(out, size, "%.*s", shown, folder);
}

void trim_typed_address(char* text) {
    size_t length = strlen(text);
    while (length > 3 && (text[length - 1] == '\\' || text[length - 1] == ' ')) text[--length] = 0;
}

size_t folder_prefix_length(const char* folder, int n) {
    for (size_t i = 0; folder[i]; ++i)
        if (folder[i] == '\\' && n-- == 0) return i + 1;
    return 0;
}
