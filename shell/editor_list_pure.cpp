#include "shell/editor_list_pure.h"

#include <stdio.h>
#include <string.h>

namespace {

// Copies n characters of from (cut to fit) and ends the text.
void copy_part(const char* from, size_t n, char* out, size_t size) {
    if (size == 0) return;
    if (n > size - 1) n = size - 1;
    memcpy(out, from, n);
    out[n] = 0;
}

}  // namespace

void editor_display_name(const char* path, char* out, size_t size) {
    const char* slash = strrchr(path, '\\');
    const char* name = slash ? slash + 1 : path;
    const char* dot = strrchr(name, '.');
    copy_part(name, dot ? (size_t)(dot - name) : strlen(name), out, size);
}

void command_program(const char* command, char* out, size_t size) {
    while (*command == ' ' || *command == '\t') ++command;
    if (*command == '"') {
        const char* start = command + 1;
        const char* end = strchr(start, '"');
        copy_part(start, end ? (size_t)(end - start) : strlen(start), out, size);
        return;
    }
    size_t n = strcspn(command, " \t");
    copy_part(command, n, out, size);
}

void app_path_program(const char* value, char* out, size_t size) {
    while (*value == ' ' || *value == '\t') ++value;
    if (*value == '"') {
        command_program(value, out, size);
        return;
    }
    size_t n = strlen(value);
    while (n > 0 && (value[n - 1] == ' ' || value[n - 1] == '\t')) --n;
    copy_part(value, n, out, size);
}

bool edit_with_parameters(const char* optional, const char* target, char* out, size_t size) {
    int n = optional[0] ? snprintf(out, size, "%s \"%s\"", optional, target) : snprintf(out, size, "\"%s\"", target);
    return n >= 0 && (size_t)n < size;
}
