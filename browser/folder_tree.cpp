// The folder tree pane: the desktop, My Computer with its drives and My
// Documents, each folder's subfolders read when it is first expanded. It
// follows the browser's folder and navigates the browser when the user picks
// a folder.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "browser/address_pure.h"
#include "browser/browser.h"
#include "browser/browser_state.h"
#include "platform/bridge.h"
#include "shell/settings.h"
#include "ui/file_list.h"
#include "ui/frame.h"

namespace {

const int kTreeId = 4;

struct TreeState {
    HWND window = nullptr;
    HTREEITEM my_computer = nullptr;
    bool syncing = false;  // the browser moves the selection: no navigation
};
TreeState g_tree;

// The item's folder path (ending in a backslash; "" for My Computer).
const char* item_path(HTREEITEM item) {
    TVITEMA data = {};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!item || !TreeView_GetItem(g_tree.window, &data) || !data.lParam) return "";
    return (const char*)data.lParam;
}

HTREEITEM insert_item(HTREEITEM parent, const char* text, const char* path, int icon) {
    char* copy = _strdup(path);
    if (!copy) return nullptr;
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = (char*)text;
    insert.item.iImage = insert.item.iSelectedImage = icon;
    insert.item.cChildren = 1;  // every folder shows a button until it is opened
    insert.item.lParam = (LPARAM)copy;
    HTREEITEM item = (HTREEITEM)SendMessageA(g_tree.window, TVM_INSERTITEMA, 0, (LPARAM)&insert);
    if (!item) free(copy);
    return item;
}

// A special folder as the shell names it: its text, icon and path ("" when
// it is not in the file system). False when the shell has no such folder.
bool special_folder(int which, std::string* text, int* icon, std::string* path) {
    LPITEMIDLIST item_id = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, which, &item_id) != S_OK || !item_id) return false;
    SHFILEINFOA info = {};
    SHGetFileInfoA((const char*)item_id, 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME);
    *icon = info.iIcon;
    if (info.szDisplayName[0]) *text = info.szDisplayName;
    char folder[kPathBytes] = "";
    if (path_from_item_id(item_id, folder)) {
        size_t n = strlen(folder);
        if (n && n < 259 && folder[n - 1] != '\\') strcat(folder, "\\");
        *path = folder;
    }
    IMalloc* allocator = nullptr;
    if (SHGetMalloc(&allocator) == S_OK && allocator) {
        allocator->Free(item_id);
        allocator->Release();
    }
    return true;
}

HTREEITEM insert_special(HTREEITEM parent, int which, const char* fallback, bool need_path) {
    std::string text = fallback, path;
    int icon = 0;
    if (!special_folder(which, &text, &icon, &path)) return nullptr;
    if (need_path && path.empty()) return nullptr;
    return insert_item(parent, text.c_str(), path.c_str(), icon);
}

void build_tree_roots() {
    g_tree.syncing = true;
    TreeView_DeleteAllItems(g_tree.window);
    HTREEITEM desktop = insert_special(TVI_ROOT, CSIDL_DESKTOP, "Desktop", false);
    g_tree.my_computer = insert_special(desktop ? desktop : TVI_ROOT, CSIDL_DRIVES, "My Computer", false);
    if (g_tree.my_computer) {
        DWORD drives = GetLogicalDrives();
        for (int d = 0; d < 26; ++d) {
            if (!(drives & (1u << d))) continue;
            char root[4] = {(char)('A' + d), ':', '\\', 0};
            insert_item(g_tree.my_computer, root, root, system_icon_index(root, 0, 0));
        }
    }
    insert_special(desktop ? desktop : TVI_ROOT, CSIDL_PERSONAL, "My Documents", true);
    if (desktop) TreeView_Expand(g_tree.window, desktop, TVE_EXPAND);
    if (g_tree.my_computer) TreeView_Expand(g_tree.window, g_tree.my_computer, TVE_EXPAND);
    g_tree.syncing = false;
}

void fill_tree_children(HTREEITEM item) {
    std::string path = item_path(item);
    if (path.size() + 2 >= 260) return;
    std::vector<std::string> names;
    FileFinder finder;
    if (finder_first(&finder, path.c_str(), "*") != INVALID_HANDLE_VALUE) {
        do {
            const WIN32_FIND_DATAA& d = finder.data;
            if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || d.cFileName[0] == '.') continue;
            if ((d.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && !g_settings.ShowHidden) continue;
            if (path.size() + strlen(d.cFileName) + 1 >= 260) continue;
            names.push_back(d.cFileName);
        } while (finder_next(&finder));
        finder_close(&finder);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    int icon = system_icon_index("folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_USEFILEATTRIBUTES);
    for (const std::string& name : names) insert_item(item, name.c_str(), (path + name + "\\").c_str(), icon);
}

void on_expanding(const NMTREEVIEWA* change) {
    if (!(change->action & TVE_EXPAND)) return;
    HTREEITEM item = change->itemNew.hItem;
    if (TreeView_GetChild(g_tree.window, item) || !item_path(item)[0]) return;
    fill_tree_children(item);
    if (TreeView_GetChild(g_tree.window, item)) return;
    TVITEMA data = {};
    data.mask = TVIF_CHILDREN;
    data.hItem = item;
    data.cChildren = 0;  // nothing inside: the button goes
    TreeView_SetItem(g_tree.window, &data);
}

void on_selected(const NMTREEVIEWA* change) {
    if (g_tree.syncing) return;
    char path[260];
    lstrcpynA(path, item_path(change->itemNew.hItem), sizeof path);
    if (!path[0]) return;  // My Computer
    navigate_to_folder(path);
}

}  // namespace

void create_folder_tree() {
    if (g_tree.window) return;
    g_tree.window = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                    WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                    0, 0, 0, 0, g_frame.window, (HMENU)(INT_PTR)kTreeId, g_frame.instance, nullptr);
    if (!g_tree.window) return;
    TreeView_SetImageList(g_tree.window, system_icons(false), TVSIL_NORMAL);
    build_tree_roots();
}

HWND folder_tree_window() { return g_tree.window; }

void select_folder_in_tree(const char* folder) {
    if (!g_tree.window || !g_settings.FolderTree || !folder[0]) return;
    HTREEITEM selected = TreeView_GetSelection(g_tree.window);
    if (selected && lstrcmpiA(item_path(selected), folder) == 0) return;
    HTREEITEM current = g_tree.my_computer;
    if (!current) return;
    TreeView_Expand(g_tree.window, current, TVE_EXPAND);
    for (int n = 0;; ++n) {
        size_t length = folder_prefix_length(folder, n);
        if (!length) break;
        std::string prefix(folder, length);
        TreeView_Expand(g_tree.window, current, TVE_EXPAND);
        HTREEITEM found = nullptr;
        for (HTREEITEM child = TreeView_GetChild(g_tree.window, current); child && !found;
             child = TreeView_GetNextSibling(g_tree.window, child))
            if (lstrcmpiA(item_path(child), prefix.c_str()) == 0) found = child;
        if (!found) break;
        current = found;
    }
    g_tree.syncing = true;
    TreeView_SelectItem(g_tree.window, current);
    TreeView_EnsureVisible(g_tree.window, current);
    g_tree.syncing = false;
}

void refresh_folder_tree() {
    if (!g_tree.window) return;
    build_tree_roots();
    select_folder_in_tree(g_file_list.folder);
}

bool folder_tree_notify(NMHDR* header, LRESULT* result) {
    if (!g_tree.window || header->hwndFrom != g_tree.window) return false;
    *result = 0;
    switch (header->code) {
    case TVN_ITEMEXPANDINGA: on_expanding((const NMTREEVIEWA*)header); return true;
    case TVN_ITEMEXPANDINGW: on_expanding((const NMTREEVIEWA*)header); return true;  // same layout up to the fields read
    case TVN_SELCHANGEDA: on_selected((const NMTREEVIEWA*)header); return true;
    case TVN_SELCHANGEDW: on_selected((const NMTREEVIEWA*)header); return true;
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW: free((void*)((const NMTREEVIEWA*)header)->itemOld.lParam); return true;
    }
    return false;
}

void destroy_folder_tree() {
    if (g_tree.window) DestroyWindow(g_tree.window);  // its items' paths go with the delete notices
    g_tree = TreeState();
}
