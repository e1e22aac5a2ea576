// The subfolders of the listed folder.
#include <stdlib.h>
#include <string.h>

#include "browser/browser_state.h"
#include "ui/file_list.h"
#include "platform/bridge.h"
#include "shell/settings.h"

namespace {

const int kFirstCapacity = 32;

// Room for one more entry; false when the list cannot grow.
bool make_room(SubfolderList& list) {
    if (list.count < list.capacity) return true;
    int capacity = list.capacity ? list.capacity * 2 : kFirstCapacity;
    char** grown = (char**)realloc(list.path, capacity * sizeof(char*));
    if (!grown) return false;
    list.path = grown;
    list.capacity = capacity;
    return true;
}

void free_entries(SubfolderList& list) {
    for (int i = 0; i < list.count; ++i) free(list.path[i]);
    list.count = 0;
}

int compare_paths(const void* a, const void* b) { return lstrcmpiA(*(char* const*)a, *(char* const*)b); }

}  // namespace

void scan_subfolders() {
    SubfolderList& list = g_browser.subfolders;
    free_entries(list);
    const char* folder = g_file_list.folder;
    size_t folder_length = strlen(folder);
    if (!folder_length || folder_length + 2 >= kPathBytes) return;

    FileFinder finder;
    if (finder_first(&finder, folder, "*") == INVALID_HANDLE_VALUE) return;
    do {
        const WIN32_FIND_DATAA& d = finder.data;
        if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || d.cFileName[0] == '.') continue;
        if ((d.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && !g_settings.ShowHidden) continue;
        size_t name_length = strlen(d.cFileName);
        if (folder_length + name_length + 1 >= kPathBytes) continue;
        if (!make_room(list)) break;
        size_t length = folder_length + name_length + 1;
        char* path = (char*)malloc(length + 1);
        if (!path) break;
        memcpy(path, folder, folder_length);
        memcpy(path + folder_length, d.cFileName, name_length);
        path[length - 1] = '\\';
        path[length] = 0;
        list.path[list.count++] = path;
    } while (finder_next(&finder));
    finder_close(&finder);
    if (list.count >= 2) qsort(list.path, list.count, sizeof(char*), compare_paths);
}

void free_subfolders() {
    SubfolderList& list = g_browser.subfolders;
    free_entries(list);
    free(list.path);
    list = SubfolderList{};
}
