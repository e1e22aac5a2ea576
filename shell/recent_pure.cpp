#include "shell/recent_pure.h"
#include "core/ascii_case.h"

#include <stdio.h>
#include <string.h>

namespace {

void copy_cut(char* out, const char* path) {
    snprintf(out, kRecentPathSize, "%s", path);
}

}  // namespace

bool recent_add(RecentList* list, const char* path) {
    if (!path || !path[0]) return false;
    char cut[kRecentPathSize];
    copy_cut(cut, path);
    for (int i = 0; i < list->count; ++i) {
        if (!equal_ignoring_case(list->entry[i], cut)) continue;
        memmove(list->entry[i], list->entry[i + 1], (size_t)(list->count - 1 - i) * kRecentPathSize);
        --list->count;
        break;
    }
    int kept = list->count < kRecentMax - 1 ? list->count : kRecentMax - 1;
    memmove(list->entry[1], list->entry[0], (size_t)kept * kRecentPathSize);
    memcpy(list->entry[0], cut, kRecentPathSize);
    if (list->count < kRecentMax) ++list->count;
    return true;
}

void recent_append(RecentList* list, const char* path) {
    if (!path[0] || list->count >= kRecentMax) return;
    copy_cut(list->entry[list->count++], path);
}

void recent_menu_text(const RecentList& list, int i, bool folders, char* out, size_t size) {
    const char* path = list.entry[i];
    if (!folders) {
        const char* slash = strrchr(path, '\\');
        snprintf(out, size, "&%d %s", i + 1, slash ? slash + 1 : path);
        return;
    }
    size_t length = strlen(path);
    int shown = (int)(length > 3 && path[length - 1] == '\\' ? length - 1 : length);
    snprintf(out, size, "&%d %.*s", i + 1, shown, path);
}

void recent_folder_probe(const char* entry, char* out, size_t size) {
    snprintf(out, size, "%s", entry);
    size_t length = strlen(out);
    if (length > 3 && out[length - 1] == '\\') out[length - 1] = 0;
}
