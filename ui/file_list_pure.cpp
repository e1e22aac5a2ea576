#include "ui/file_list_pure.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "core/formats.h"

bool file_list_accepts(const char* name, bool directory, bool hidden, bool show_all, bool show_hidden,
                       size_t folder_length) {
    if (directory) return false;
    if (hidden && !show_hidden) return false;
    if (!show_all && !format_for_extension(name)) return false;
    return folder_length + strlen(name) < 260;
}

static bool grow(FileList* list) {
    int capacity = list->capacity == 0 ? 64 : list->capacity * 2;
    char** paths = (char**)realloc(list->path, capacity * sizeof(char*));
    if (!paths) return false;
    list->path = paths;
    uint32_t* sizes = (uint32_t*)realloc(list->size, capacity * sizeof(uint32_t));
    if (!sizes) return false;
    list->size = sizes;
    uint64_t* times = (uint64_t*)realloc(list->modified, capacity * sizeof(uint64_t));
    if (!times) return false;
    list->modified = times;
    list->capacity = capacity;
    return true;
}

bool file_list_append(FileList* list, const char* folder, const char* name, uint32_t size, uint64_t modified) {
    if (list->count == list->capacity && !grow(list)) return false;
    char* path = (char*)malloc(260);
    if (!path) return false;
    snprintf(path, 260, "%s%s", folder, name);
    list->path[list->count] = path;
    list->size[list->count] = size;
    list->modified[list->count] = modified;
    list->count++;
    return true;
}

void file_list_clear(FileList* list) {
    for (int i = 0; i < list->count; ++i) free(list->path[i]);
    list->count = 0;
    list->current = 0;
    list->totalSize = 0;
}

void file_list_release(FileList* list) {
    file_list_clear(list);
    free(list->path);
    free(list->size);
    free(list->modified);
    list->path = nullptr;
    list->size = nullptr;
    list->modified = nullptr;
    list->capacity = 0;
    list->folder[0] = 0;
}

const char* file_type_key(const char* path) {
    const char* dot = strrchr(path, '.');
    const char* slash = strrchr(path, '\\');
    if (!dot || (slash && slash > dot)) return "";
    return dot + 1;
}

void file_list_sort(FileList* list, int key, bool ascending, SortKeyMaker make_key) {
    const int n = list->count;
    if (n < 2) return;
    // Keys are made once per entry: the system's comparison is far too slow
    // to run n log n times on a large folder.
    std::vector<std::string> path_keys(n), type_keys(key == 2 ? n : 0);
    for (int i = 0; i < n; ++i) make_key(list->path[i], &path_keys[i]);
    for (int i = 0; i < (int)type_keys.size(); ++i) make_key(file_type_key(list->path[i]), &type_keys[i]);

    auto compare_entries = [&](int a, int b) {
        int r = 0;
        switch (key) {
        case 1: r = list->size[a] > list->size[b] ? 1 : list->size[a] < list->size[b] ? -1 : 0; break;
        case 2: r = type_keys[a].compare(type_keys[b]); break;
        case 3: r = list->modified[a] > list->modified[b] ? 1 : list->modified[a] < list->modified[b] ? -1 : 0; break;
        default: break;
        }
        if (r == 0) r = path_keys[a].compare(path_keys[b]);
        return ascending ? r : -r;
    };
    std::vector<int> order(n);
    for (int i = 0; i < n; ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return compare_entries(a, b) < 0; });

    std::vector<char*> paths(n);
    std::vector<uint32_t> sizes(n);
    std::vector<uint64_t> times(n);
    int current = list->current;
    for (int i = 0; i < n; ++i) {
        paths[i] = list->path[order[i]];
        sizes[i] = list->size[order[i]];
        times[i] = list->modified[order[i]];
        if (order[i] == current) list->current = i;  // the same file, wherever it went
    }
    std::copy(paths.begin(), paths.end(), list->path);
    std::copy(sizes.begin(), sizes.end(), list->size);
    std::copy(times.begin(), times.end(), list->modified);
}

int file_list_find(const FileList* list, const char* path, PathCompare compare) {
    size_t length = strlen(path);
    for (int i = 0; i < list->count; ++i)
        if (strlen(list->path[i]) == length && compare(list->path[i], path) == 0) return i;
    return -1;
}
bool file_list_is_image(const FileList* list, int index) {
    return index >= 0 && index < list->count && format_for_extension(list->path[index]);
}
