#include "browser/file_list_pure.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "core/loader.h"

bool file_list_accepts(const char* name, bool directory, bool hidden, bool show_all, bool show_hidden,
                       size_t folder_length) {
    if (directory) return false;
    if (hidden && !show_hidden) return false;
    if (!show_all && (!strchr(name, '.') || decoder_for_extension(name) == kDecoderNone)) return false;
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

void file_list_sort(FileList* list, int key, bool ascending, PathCompare compare) {
    if (list->count < 2) return;
    char remembered[260] = "";
    bool had_current = list->current >= 0 && list->current < list->count;
    if (had_current) snprintf(remembered, sizeof remembered, "%s", list->path[list->current]);

    auto compare_entries = [&](int a, int b) {
        int r = 0;
        switch (key) {
        case 1: r = list->size[a] > list->size[b] ? 1 : list->size[a] < list->size[b] ? -1 : 0; break;
        case 2: r = compare(file_type_key(list->path[a]), file_type_key(list->path[b])); break;
        case 3: r = list->modified[a] > list->modified[b] ? 1 : list->modified[a] < list->modified[b] ? -1 : 0; break;
        default: break;
        }
        if (r == 0) r = compare(list->path[a], list->path[b]);
        return ascending ? r : -r;
    };
    std::vector<int> order(list->count);
    for (int i = 0; i < list->count; ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return compare_entries(a, b) < 0; });

    std::vector<char*> paths(list->count);
    std::vector<uint32_t> sizes(list->count);
    std::vector<uint64_t> times(list->count);
    for (int i = 0; i < list->count; ++i) {
        paths[i] = list->path[order[i]];
        sizes[i] = list->size[order[i]];
        times[i] = list->modified[order[i]];
    }
    std::copy(paths.begin(), paths.end(), list->path);
    std::copy(sizes.begin(), sizes.end(), list->size);
    std::copy(times.begin(), times.end(), list->modified);

    if (had_current) {
        int found = file_list_find(list, remembered, compare);
        if (found >= 0) list->current = found;
    }
}

int file_list_find(const FileList* list, const char* path, PathCompare compare) {
    for (int i = 0; i < list->count; ++i)
        if (compare(list->path[i], path) == 0) return i;
    return -1;
}

bool file_list_is_image(const FileList* list, int index) {
    return index >= 0 && index < list->count && decoder_for_extension(list->path[index]) != kDecoderNone;
}
