// What a slide show started from the browser shows: the selected pictures,
// or every picture of the folder, or every picture of a folder tree. The
// folder list is replaced by the collection (marked `collected`), so the
// viewer's Previous and Next step through it until the next folder scan.
#include <windows.h>
#include <commctrl.h>

#include <stdlib.h>

#include <memory>
#include <vector>

#include "browser/browser.h"
#include "browser/browser_state.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "ui/file_list.h"
#include "ui/file_list_pure.h"
#include "ui/frame.h"

namespace {

void tell(TextId text) { show_message(g_frame.window, tr(text), tr(kTextProduct), MB_OK | MB_ICONINFORMATION); }

// The entries of the folder list give way to those of `found`, which is
// left empty; the folder and the sort order stay.
void adopt(FileList* found) {
    FileList& list = g_file_list;
    file_list_clear(&list);
    free(list.path);
    free(list.size);
    free(list.modified);
    list.path = found->path;
    list.size = found->size;
    list.modified = found->modified;
    list.count = found->count;
    list.capacity = found->capacity;
    list.current = 0;
    list.totalSize = 0;
    for (int i = 0; i < list.count; ++i) list.totalSize += list.size[i];
    list.collected = true;
    ++list.scan_count;
    found->path = nullptr;
    found->size = nullptr;
    found->modified = nullptr;
    found->count = found->capacity = 0;
}

// Every picture below folder (ending in a backslash), depth first. Links and
// junctions are not followed: one pointing back up would never end.
void collect_tree(const char* folder, FileList* found) {
    const size_t length = strlen(folder);
    if (length + 2 >= kPathBytes) return;
    auto finder = std::make_unique<FileFinder>();  // deep trees would strain the stack
    if (finder_first(finder.get(), folder, "*.*") == INVALID_HANDLE_VALUE) return;
    do {
        const WIN32_FIND_DATAA& d = finder->data;
        if (d.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (d.cFileName[0] == '.' || length + strlen(d.cFileName) + 2 >= kPathBytes) continue;
            char below[kPathBytes];
            wsprintfA(below, "%s%s\\", folder, d.cFileName);
            collect_tree(below, found);
        } else if (file_list_accepts(d.cFileName, false, false, false, true, length)) {
            uint64_t modified = ((uint64_t)d.ftLastWriteTime.dwHighDateTime << 32) | d.ftLastWriteTime.dwLowDateTime;
            if (!file_list_append(found, folder, d.cFileName, d.nFileSizeLow, modified)) break;
        }
    } while (finder_next(finder.get()));
    finder_close(finder.get());
}

}  // namespace

bool browser_collect_selection() {
    const FileList& list = g_file_list;
    std::vector<int> chosen;
    HWND view = g_browser.list;
    for (int item = view ? ListView_GetNextItem(view, -1, LVNI_SELECTED) : -1; item >= 0;
         item = ListView_GetNextItem(view, item, LVNI_SELECTED)) {
        LPARAM p = list_item_param(view, item);
        if (p >= 0 && p < list.count && file_list_is_image(&list, (int)p)) chosen.push_back((int)p);
    }
    if (chosen.empty())
        for (int i = 0; i < list.count; ++i)
            if (file_list_is_image(&list, i)) chosen.push_back(i);

    FileList found = {};
    for (int i : chosen) file_list_append(&found, "", list.path[i], list.size[i], list.modified[i]);
    if (found.count == 0) {
        file_list_release(&found);
        tell(kTextNoImagesToShow);
        return false;
    }
    adopt(&found);
    return true;
}

bool browser_collect_tree() {
    if (!g_file_list.folder[0]) return false;
    FileList found = {};
    collect_tree(g_file_list.folder, &found);
    // Nothing found: the folder stays listed as it was rather than empty
    // under a browser that still shows its items.
    if (found.count == 0) {
        file_list_release(&found);
        tell(kTextNoImagesInTree);
        return false;
    }
    adopt(&found);
    sort_file_list();
    return true;
}
