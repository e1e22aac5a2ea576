#include "ui/file_list.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "ui/file_list_pure.h"
#include "platform/bridge.h"
#include "shell/settings.h"

FileList g_file_list;

// The system's locale-aware, case-insensitive comparison, and its sort key.
static int compare_paths(const char* a, const char* b) { return lstrcmpiA(a, b); }

static void sort_key(const char* text, std::string* key) {
    char buffer[1024];
    int n = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text, -1, buffer, sizeof buffer);
    key->assign(buffer, n > 0 ? (size_t)n : 0);
}

void scan_folder(const char* path) {
    FileList* list = &g_file_list;
    ++list->scan_count;
    file_list_clear(list);
    list->collected = false;

    const char* slash = strrchr(path, '\\');
    if (!slash) return;
    size_t length = (size_t)(slash - path) + 1;
    if (length + 4 >= 260) return;  // room for the "*.*" pattern
    char folder[260];
    memcpy(folder, path, length);
    folder[length] = 0;
    memcpy(list->folder, folder, length + 1);

    FileFinder finder;
    if (finder_first(&finder, folder, "*.*") != INVALID_HANDLE_VALUE) {
        do {
            const WIN32_FIND_DATAA& d = finder.data;
            if (!file_list_accepts(d.cFileName, d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY,
                                   d.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN, g_settings.ShowAllFiles != 0,
                                   g_settings.ShowHidden != 0, length))
                continue;
            uint64_t modified = ((uint64_t)d.ftLastWriteTime.dwHighDateTime << 32) | d.ftLastWriteTime.dwLowDateTime;
            if (!file_list_append(list, folder, d.cFileName, d.nFileSizeLow, modified)) break;
        } while (finder_next(&finder));
        finder_close(&finder);
    }

    list->current = 0;
    list->totalSize = 0;
    for (int i = 0; i < list->count; ++i) list->totalSize += list->size[i];
    sort_file_list();
    int found = file_list_find(list, path, compare_paths);
    list->current = found >= 0 ? found : 0;
}

void sort_file_list() { file_list_sort(&g_file_list, g_file_list.SortKey, g_file_list.SortAscending != 0, sort_key); }

void rescan_file_list() {
    const FileList& list = g_file_list;
    if (!list.folder[0]) return;
    char path[260];  // the scan frees the entry
    bool on_file = list.current >= 0 && list.current < list.count;
    // A collected list may stand on a file of a subfolder: the folder is
    // read, the file kept only when it lies there.
    if (on_file && list.collected) {
        char folder[260];
        lstrcpynA(folder, list.path[list.current], sizeof folder);
        char* slash = strrchr(folder, '\\');
        if (slash) slash[1] = 0;
        on_file = lstrcmpiA(folder, list.folder) == 0;
    }
    lstrcpynA(path, on_file ? list.path[list.current] : list.folder, sizeof path);
    scan_folder(path);
}

void free_file_list() { file_list_release(&g_file_list); }
