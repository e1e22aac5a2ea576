// The browser's panes in the main window: the list's fills and folders,
// the caption row, the status texts and the title, the list's notifications.
#include "browser/browser.h"

#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include "browser/browser_layout_pure.h"
#include "browser/browser_state.h"
#include "browser/browser_status_pure.h"
#include "core/loader.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "res/resource.h"
#include "shell/settings.h"
#include "ui/file_list.h"
#include "ui/file_list_pure.h"
#include "ui/frame.h"

BrowserState g_browser;

namespace {

int browse_view() { return g_settings.BrowseView >= 0 && g_settings.BrowseView <= 4 ? g_settings.BrowseView : 0; }

void focus_list() {
    if (g_browser.list) SetFocus(g_browser.list);
}

// --- Status bar ---------------------------------------------------------

// "%d x %d px" of the one selected image, read without decoding and kept
// for its path.
void format_selected_dimensions(LPARAM param, char* out, size_t size) {
    out[0] = 0;
    if (!file_list_is_image(&g_file_list, (int)param)) return;
    BrowserState& b = g_browser;
    const char* path = g_file_list.path[param];
    // Read again after every scan: the file may have changed meanwhile.
    if (b.dimension_scan != g_file_list.scan_count || lstrcmpiA(b.dimension_path, path) != 0) {
        int w = 0, h = 0;
        if (!probe_image_size(path, &w, &h)) w = h = 0;
        b.dimension_scan = g_file_list.scan_count;
        lstrcpynA(b.dimension_path, path, sizeof b.dimension_path);
        b.dimension_width = w;
        b.dimension_height = h;
    }
    if (b.dimension_width > 0) snprintf(out, size, "%d x %d px", b.dimension_width, b.dimension_height);
}

}  // namespace

void update_browser_status() {
    HWND bar = g_frame.status_bar;
    if (!bar || !g_frame.BrowseMode || g_frame.fullscreen) return;
    const FileList& files = g_file_list;
    BrowserCounts c = {};
    c.thumbnails = browse_view() == 0;
    c.show_all_files = g_settings.ShowAllFiles != 0;
    c.folders = g_browser.subfolders.count;
    c.files = files.count;
    c.total_bytes = files.totalSize;
    for (int i = 0; i < files.count; ++i)
        if (file_list_is_image(&files, i)) {
            ++c.images;
            c.image_bytes += files.size[i];
        }
    LPARAM only = -1;
    if (HWND list = g_browser.list) {
        for (int item = ListView_GetNextItem(list, -1, LVNI_SELECTED); item >= 0;
             item = ListView_GetNextItem(list, item, LVNI_SELECTED)) {
            LPARAM p = list_item_param(list, item);
            if (++c.selected == 1) only = p;
            if (p >= 0 && p < files.count) c.selected_bytes += files.size[p];  // folders add no size
        }
    }
    BrowserStatusWords words = {tr(kTextObjectsSelected), tr(kTextObjects), tr(kTextObjectsAndImages), tr(kTextBytes),
                                tr(kTextPluralSuffix)};
    char count_text[160], size_text[64], dimensions[64] = "";
    format_browser_status(c, words, count_text, sizeof count_text, size_text, sizeof size_text);
    if (c.selected == 1) format_selected_dimensions(only, dimensions, sizeof dimensions);
    set_status_text(bar, 0, count_text);
    set_status_text(bar, 1, size_text);
    set_status_text(bar, 2, dimensions);
    set_status_text(bar, 3, "");
}

void set_browser_title() {
    char title[400];
    format_browser_title(title, sizeof title, g_file_list.folder, tr(kTextImageExplorer));
    SetWindowTextA(g_frame.window, title);
}

void finish_fill() {
    frame_refresh_commands();
    set_browser_title();
    update_browser_status();
}

void refresh_browser() {
    scan_subfolders();
    if (browse_view() == 0) fill_thumbnail_view();
    else fill_icon_view();
    set_address_text();
    select_folder_in_tree(g_file_list.folder);
    frame_refresh_commands();
}

void navigate_to_folder(const char* folder) {
    char copy[260];  // the scan frees the subfolder list entry folder may be
    lstrcpynA(copy, folder, sizeof copy);
    scan_folder(copy);
    refresh_browser();
    frame_relayout();
    focus_list();
}

void browser_show() {
    if (!g_file_list.folder[0]) return;
    // A list collected for a slide show is not the folder: read the folder.
    if (g_file_list.collected) rescan_file_list();
    g_settings.BrowseView = 0;
    if (g_settings.FolderTree) create_folder_tree();
    create_address_bar();
    refresh_browser();
}

void browser_focus_list() { focus_list(); }

bool browser_open_subfolder(int i) {
    if (i < 0 || i >= g_browser.subfolders.count) return false;
    navigate_to_folder(g_browser.subfolders.path[i]);
    return true;
}

void browser_selection_changed() {
    g_browser.selection_update_posted = false;
    if (!g_frame.BrowseMode) return;
    frame_refresh_commands();
    update_browser_status();
}

bool browser_notify(NMHDR* header, LRESULT* result) {
    if (folder_tree_notify(header, result)) return true;
    if (!g_browser.list || header->hwndFrom != g_browser.list) return false;
    *result = 0;
    switch (header->code) {
    case LVN_ITEMCHANGED: {
        const NMLISTVIEW* change = (const NMLISTVIEW*)header;
        bool selection = (change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED);
        // Ctrl+A sends one notice per item: the texts are made once, after the last.
        if (selection && !g_browser.Populating && !g_browser.selection_update_posted) {
            g_browser.selection_update_posted = true;
            PostMessageA(g_frame.window, WM_BROWSER_SELECTION, 0, 0);
        }
        return true;
    }
    case NM_DBLCLK: PostMessageA(g_frame.window, WM_OPEN_SELECTED, 0, 0); return true;
    case NM_RETURN: PostMessageA(g_frame.window, WM_OPEN_SELECTED, 0, 0); return true;
    case LVN_KEYDOWN:
        if (((const NMLVKEYDOWN*)header)->wVKey == VK_ESCAPE)
            PostMessageA(g_frame.window, WM_COMMAND, IDM_VIEW_BROWSE_FOLDER, 0);
        return true;
    case LVN_COLUMNCLICK: list_view_column_click(((const NMLISTVIEW*)header)->iSubItem); return true;
    case LVN_ENDLABELEDITA: {
        const LVITEMA& item = ((const NMLVDISPINFOA*)header)->item;
        *result = browser_finish_rename(item.iItem, item.pszText);
        return true;
    }
    case LVN_ENDLABELEDITW: {
        const LVITEMW& item = ((const NMLVDISPINFOW*)header)->item;
        char text[kPathBytes];
        // A name the ANSI code page cannot hold cannot be given to the file.
        *result = item.pszText && round_trips(item.pszText, text, sizeof text) && browser_finish_rename(item.iItem, text);
        return true;
    }
    }
    return false;
}

namespace {

int shown_height(HWND window) { return window && IsWindowVisible(window) ? WindowHeight(window) : 0; }

// The panes between the browser toolbar and the status bar.
BrowserPanes current_panes() {
    RECT client;
    GetClientRect(g_frame.window, &client);
    int top = shown_height(g_frame.browser_toolbar);
    return layout_browser_panes(client.right, top, client.bottom - shown_height(g_frame.status_bar),
                                g_settings.FolderTree && folder_tree_window(), g_settings.AddrBar && address_bar_window());
}

// A pane shown in its box, or hidden when the browser is not shown or the
// box is empty.
void place_pane(HWND pane, bool shown, const PaneBox& box) {
    if (!pane) return;
    bool visible = shown && box.right > box.left && box.bottom > box.top;
    if (visible) MoveWindow(pane, box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
    ShowWindow(pane, visible ? SW_SHOW : SW_HIDE);
}

}  // namespace

void browser_layout() {
    BrowserState& b = g_browser;
    bool shown = g_frame.BrowseMode && !g_frame.fullscreen;
    if (g_frame.browser_toolbar) {
        ShowWindow(g_frame.browser_toolbar, shown ? SW_SHOW : SW_HIDE);
        if (shown) SendMessageA(g_frame.browser_toolbar, TB_AUTOSIZE, 0, 0);
    }
    BrowserPanes panes = current_panes();
    place_pane(folder_tree_window(), shown, panes.tree);
    place_pane(address_bar_window(), shown, panes.address_bar);
    if (!shown) {
        if (b.list) ShowWindow(b.list, SW_HIDE);
        return;
    }
    if (b.list) {
        const PaneBox& l = panes.list;
        MoveWindow(b.list, l.left, l.top, l.right - l.left, l.bottom - l.top, TRUE);
        ShowWindow(b.list, SW_SHOW);
    }
    update_browser_status();
}

RECT browser_list_rect() {
    const PaneBox& l = current_panes().list;
    RECT r = {l.left, l.top, l.right, l.bottom};
    return r;
}

void browser_paint(HDC dc) {
    if (!g_frame.BrowseMode || g_frame.fullscreen) return;
    BrowserPanes panes = current_panes();
    const PaneBox& h = panes.header;
    RECT row = {h.left, h.top, h.right, h.bottom};
    FillRect(dc, &row, GetSysColorBrush(COLOR_BTNFACE));
    RECT strip = {panes.list.left, h.top, h.right, h.bottom - 1};
    DrawEdge(dc, &strip, BDR_SUNKENOUTER, BF_RECT);
    char name[260], caption[400];
    folder_display_name(name, sizeof name, g_file_list.folder);
    snprintf(caption, sizeof caption, tr(kTextContentsOf), name);
    HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT text = {strip.left + 5, strip.top, strip.right - 4, strip.bottom};
    DrawTextA(dc, caption, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, old_font);
}

void browser_shutdown() {
    destroy_folder_tree();
    destroy_address_bar();
    thumbnails_shutdown();
    list_view_shutdown();
    if (g_browser.list) DestroyWindow(g_browser.list);
    g_browser.list = nullptr;
    g_browser.ListMode = -1;
    free_subfolders();
}

void browser_sys_color_change(WPARAM wparam, LPARAM lparam) {
    if (g_browser.list) SendMessageA(g_browser.list, WM_SYSCOLORCHANGE, wparam, lparam);
}

bool browser_has_parent_folder() {
    char parent[260];
    return g_file_list.folder[0] && parent_folder(g_file_list.folder, parent, sizeof parent);
}

LPARAM browser_first_selected() {
    HWND list = g_browser.list;
    int item = list ? ListView_GetNextItem(list, -1, LVNI_SELECTED) : -1;
    return item < 0 ? -1 : list_item_param(list, item);
}
