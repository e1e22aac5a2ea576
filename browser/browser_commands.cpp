// The browser's own commands: view modes, folders, selection, listing
// options, sorting, thumbnail size, refresh and Edit in Paint.
#include <windows.h>
#include <commctrl.h>

#include "browser/browser.h"
#include "browser/browser_state.h"
#include "browser/browser_status_pure.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "shell/editor_launch.h"
#include "shell/settings.h"
#include "ui/file_list.h"
#include "ui/frame.h"

namespace {

const int kThumbSizes[] = {64, 96, 128, 192};

void focus_list() {
    if (g_browser.list) SetFocus(g_browser.list);
}

// Refills and lays out the browser after its list changed.
void refresh_and_layout() {
    refresh_browser();
    frame_relayout();
}

}  // namespace

void browser_set_view_mode(int mode) {
    g_settings.BrowseView = mode;
    if (g_frame.BrowseMode) {
        refresh_and_layout();
        focus_list();
    } else {
        frame_refresh_commands();
    }
    SaveSettings();
}

void browser_up_one_level() {
    char parent[260];
    if (g_frame.BrowseMode && parent_folder(g_file_list.folder, parent, sizeof parent)) navigate_to_folder(parent);
}

void browser_select_all() {
    HWND list = g_browser.list;
    if (!g_frame.BrowseMode || !list) return;
    // Repainting item by item would cost more than selecting them.
    bool shown = list_hold_redraw(list);
    ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
    list_release_redraw(list, shown);
    focus_list();
}

void browser_rename() {
    HWND list = g_browser.list;
    if (!g_frame.BrowseMode || !list) return;
    int item = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (item < 0) item = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (item < 0) return;
    focus_list();
    ListView_EditLabel(list, item);
}

void browser_toggle_listing(bool hidden_files) {
    int32_t& flag = hidden_files ? g_settings.ShowHidden : g_settings.ShowAllFiles;
    flag = !flag;
    if (g_frame.BrowseMode && g_file_list.folder[0]) {
        rescan_file_list();
        refresh_browser();
    }
    if (hidden_files) refresh_folder_tree();
    frame_relayout();
    SaveSettings();
}

void browser_toggle_folder_tree() {
    g_settings.FolderTree = !g_settings.FolderTree;
    if (g_settings.FolderTree) {
        create_folder_tree();
        select_folder_in_tree(g_file_list.folder);
    }
    frame_relayout();
    SaveSettings();
}

void browser_toggle_address_bar() {
    g_settings.AddrBar = !g_settings.AddrBar;
    frame_relayout();
    InvalidateRect(g_frame.window, nullptr, TRUE);
    SaveSettings();
}

void browser_arrange(int key) {
    g_file_list.SortKey = key;
    g_file_list.SortAscending = 1;
    sort_file_list();
    if (g_frame.BrowseMode) refresh_and_layout();
    else frame_refresh_commands();
}

void browser_set_thumb_size(int size_item) {
    if (size_item < 0 || size_item > 3) return;
    g_settings.ThumbSize = kThumbSizes[size_item];
    frame_refresh_commands();
    SaveSettings();
    if (g_frame.BrowseMode && g_settings.BrowseView == 0) {
        fill_thumbnail_view();
        frame_relayout();
    }
}

// F5 in the browser: the shown folder, not the viewer's picture, is read again.
void browser_refresh() {
    if (!g_file_list.folder[0]) return;
    rescan_file_list();
    refresh_and_layout();
}

// The first selected file: its own editor, else the paint program on it.
void browser_edit_in_paint() {
    HWND list = g_browser.list;
    if (!list) return;
    for (int item = ListView_GetNextItem(list, -1, LVNI_SELECTED); item >= 0;
         item = ListView_GetNextItem(list, item, LVNI_SELECTED)) {
        LPARAM p = list_item_param(list, item);
        if (p < 0 || p >= g_file_list.count) continue;
        char path[260];
        lstrcpynA(path, g_file_list.path[p], sizeof path);  // the editor may change the folder under the list
        HWND window = g_frame.window;
        if (run_edit_verb(window, path) || run_paint_program(window, path)) return;
        show_message(window, tr(kTextCouldNotOpenEditor), tr(kTextProduct), MB_OK | MB_ICONWARNING);
        return;
    }
}
