#include "browser/file_list.h"

#include <stdlib.h>

#include "viewer/viewer_state.h"

int SortKey = 0;
int SortAscending = 1;

void scan_folder(const char*) {}
void sort_file_list() {}

void free_file_list() {
    FileList& list = g_viewer.FileList;
    for (int i = 0; i < list.count; ++i) free(list.path[i]);
    free(list.path);
    free(list.size);
    free(list.modified);
    list.path = nullptr;
    list.size = nullptr;
    list.modified = nullptr;
    list.count = list.capacity = list.current = 0;
    list.totalSize = 0;
    list.folder[0] = 0;
}
