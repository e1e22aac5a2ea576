// Browse mode of the main window: entering and leaving it, the browser's
// commands, the list's notifications, the panes' layout and painting, the
// status bar and the title.
#include "browser/browser.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <stdio.h>
#include <string.h>

#include "browser/browser_layout_pure.h"
#include "browser/browser_state.h"
#include "browser/browser_status_pure.h"
#include "ui/file_list.h"
#include "ui/file_list_pure.h"
#include "core/loader.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "res/resource.h"
#include "shell/editor_launch.h"
#include "shell/recent.h"
#include "shell/settings.h"
#include "ui/chrome.h"
#include "app/commands.h"
#include "app/layout.h"
#include "viewer/navigation.h"
#include "viewer/playback.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"

BrowserState g_browser;

namespace {

int browse_view() { return g_settings.BrowseView >= 0 && g_settings.BrowseView <= 4 ? g_settings.BrowseView : 0; }

void press_viewer_browse_button(bool pressed) {
    if (g_viewer.toolbar)
        SendMessageA(g_viewer.toolbar, TB_CHECKBUTTON, IDM_VIEW_BROWSE_FOLDER, MAKELONG(pressed ? TRUE : FALSE, 0));
}

void focus_list() {
    if (g_browser.list) SetFocus(g_browser.list);
}

// The folder scanned again, the list staying on the viewer's file when it
// lies in that folder.
void rescan_folder() {
    char folder[260];
    lstrcpynA(folder, g_file_list.folder, sizeof folder);
    if (!folder[0]) return;
    const char* current = g_viewer.current_path;
    const char* slash = strrchr(current, '\\');
    bool inside = slash && (size_t)(slash - current + 1) == strlen(folder) &&
                  CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, current, (int)strlen(folder), folder,
                                 (int)strlen(folder)) == CSTR_EQUAL;
    scan_folder(inside ? current : folder);
}

// Refills and lays out the browser after its list changed.
void refresh_and_layout() {
    refresh_browser();
    LayoutMainWindow();
}

void set_view_mode(int mode) {
    g_settings.BrowseView = mode;
    if (g_viewer.BrowseMode) {
        refresh_and_layout();
        focus_list();
    } else {
        UpdateMenuState();
    }
    SaveSettings();
}

void browse_command(int) {
    if (g_viewer.BrowseMode) leave_browser();
    else if (g_file_list.count > 0) enter_browser();
    else OnOpenFolderCommand(IDM_FILE_OPEN_FOLDER);
}

void view_mode_command(int id) { set_view_mode(id - IDM_VIEW_THUMBNAILS); }

void up_one_level_command(int) {
    char parent[260];
    if (g_viewer.BrowseMode && parent_folder(g_file_list.folder, parent, sizeof parent)) navigate_to_folder(parent);
}

void select_all_command(int) {
    HWND list = g_browser.list;
    if (!g_viewer.BrowseMode || !list) return;
    // Repainting item by item would cost more than selecting them.
    bool shown = list_hold_redraw(list);
    ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
    list_release_redraw(list, shown);
    focus_list();
}

void rename_command(int) {
    HWND list = g_browser.list;
    if (!g_viewer.BrowseMode || !list) return;
    int item = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (item < 0) item = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (item < 0) return;
    focus_list();
    ListView_EditLabel(list, item);
}

void toggle_listing_command(int id) {
    int32_t& flag = id == IDM_VIEW_HIDE_NON_IMAGES ? g_settings.ShowAllFiles : g_settings.ShowHidden;
    flag = !flag;
    if (g_viewer.BrowseMode && g_file_list.folder[0]) {
        rescan_folder();
        refresh_browser();
    }
    LayoutMainWindow();
    SaveSettings();
}

void arrange_command(int id) {
    SortKey = id - IDM_ARRANGE_BY_NAME;
    SortAscending = 1;
    sort_file_list();
    if (g_viewer.BrowseMode) refresh_and_layout();
    else UpdateMenuState();
}

void thumb_size_command(int id) {
    static const int kSizes[] = {64, 96, 128, 192};
    g_settings.ThumbSize = kSizes[id - IDM_THUMB_SMALL];
    UpdateMenuState();
    SaveSettings();
    if (g_viewer.BrowseMode && browse_view() == 0) {
        fill_thumbnail_view();
        LayoutMainWindow();
    }
}

// F5 in the browser: the shown folder, not the viewer's picture, is read again.
void refresh_command(int) {
    if (!g_file_list.folder[0]) return;
    rescan_folder();
    refresh_and_layout();
}

// The first selected entry that is a file, or -1.
int first_selected_file() {
    HWND list = g_browser.list;
    if (!list) return -1;
    for (int item = ListView_GetNextItem(list, -1, LVNI_SELECTED); item >= 0;
         item = ListView_GetNextItem(list, item, LVNI_SELECTED)) {
        LPARAM p = list_item_param(list, item);
        if (p >= 0 && p < g_file_list.count) return (int)p;
    }
    return -1;
}

// The file's own editor, else the paint program on it.
void edit_in_paint_command(int) {
    int i = first_selected_file();
    if (i < 0) return;
    char path[260];
    lstrcpynA(path, g_file_list.path[i], sizeof path);  // the editor may change the folder under the list
    HWND window = g_viewer.main_window;
    if (run_edit_verb(window, path) || run_paint_program(window, path)) return;
    show_message(window, tr(kTextCouldNotOpenEditor), tr(kTextProduct), MB_OK | MB_ICONWARNING);
}

struct BrowserCommand {
    int id;
    void (*run)(int id);
};

// Commands of the browser that are built; the others do nothing yet.
const BrowserCommand kBrowserCommands[] = {
    {IDM_VIEW_BROWSE_FOLDER, browse_command},
    {IDM_VIEW_THUMBNAILS, view_mode_command},
    {IDM_VIEW_LARGE_ICONS, view_mode_command},
    {IDM_VIEW_SMALL_ICONS, view_mode_command},
    {IDM_VIEW_LIST, view_mode_command},
    {IDM_VIEW_DETAILS, view_mode_command},
    {IDM_VIEW_UP_ONE_LEVEL, up_one_level_command},
    {IDM_EDIT_SELECT_ALL, select_all_command},
    {IDM_EDIT_RENAME, rename_command},
    {IDM_VIEW_HIDE_NON_IMAGES, toggle_listing_command},
    {IDM_VIEW_SHOW_HIDDEN_FILES, toggle_listing_command},
    {IDM_ARRANGE_BY_NAME, arrange_command},
    {IDM_ARRANGE_BY_SIZE, arrange_command},
    {IDM_ARRANGE_BY_TYPE, arrange_command},
    {IDM_ARRANGE_BY_DATE_MODIFIED, arrange_command},
    {IDM_THUMB_SMALL, thumb_size_command},
    {IDM_THUMB_MEDIUM, thumb_size_command},
    {IDM_THUMB_LARGE, thumb_size_command},
    {IDM_THUMB_EXTRA_LARGE, thumb_size_command},
    {IDM_VIEW_REFRESH, refresh_command},
    {IDM_EDIT_IN_PAINT, edit_in_paint_command},
};

// --- Status bar ---------------------------------------------------------

// "%d x %d px" of the one selected image, read without decoding and kept
// for its path.
void format_selected_dimensions(LPARAM param, char* out, size_t size) {
    out[0] = 0;
    if (!file_list_is_image(&g_file_list, (int)param)) return;
    BrowserState& b = g_browser;
    const char* path = g_file_list.path[param];
    if (lstrcmpiA(b.dimension_path, path) != 0) {
        int w = 0, h = 0;
        if (!probe_image_size(path, &w, &h)) w = h = 0;
        lstrcpynA(b.dimension_path, path, sizeof b.dimension_path);
        b.dimension_width = w;
        b.dimension_height = h;
    }
    if (b.dimension_width > 0) snprintf(out, size, "%d x %d px", b.dimension_width, b.dimension_height);
}

}  // namespace

void update_browser_status() {
    HWND bar = g_viewer.status_bar;
    if (!bar || !g_viewer.BrowseMode || g_viewer.fullscreen) return;
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

void browser_forget_dimensions() { g_browser.dimension_path[0] = 0; }

void set_browser_title() {
    char title[400];
    format_browser_title(title, sizeof title, g_file_list.folder, tr(kTextImageExplorer));
    SetWindowTextA(g_viewer.main_window, title);
}

void finish_fill() {
    UpdateMenuState();
    set_browser_title();
    update_browser_status();
}

void refresh_browser() {
    scan_subfolders();
    if (browse_view() == 0) fill_thumbnail_view();
    else fill_icon_view();
    update_browser_toolbar();
}

void navigate_to_folder(const char* folder) {
    char copy[260];  // the scan frees the subfolder list entry folder may be
    lstrcpynA(copy, folder, sizeof copy);
    scan_folder(copy);
    refresh_and_layout();
    focus_list();
}

void enter_browser() {
    ViewerState& v = g_viewer;
    if (!g_file_list.folder[0]) return;
    // A list collected for a slide show is not the folder: read the folder.
    if (g_file_list.collected) rescan_folder();
    v.BrowseMode = true;
    g_settings.BrowseView = 0;
    AttachModeMenu();
    LoadRecentMenus();
    if (!g_browser.toolbar) create_browser_toolbar();
    refresh_browser();
    press_viewer_browse_button(true);
    LayoutMainWindow();
    focus_list();
}

namespace {

// The viewer steps through the folder of its own file: a folder browsed
// since, or a list that lost the file, is not it.
void give_viewer_its_folder() {
    const char* current = g_viewer.current_path;
    const FileList& list = g_file_list;
    if (!current[0]) return;
    bool listed = list.current >= 0 && list.current < list.count && lstrcmpiA(list.path[list.current], current) == 0;
    if (!listed) scan_folder(current);
}

void show_viewer() {
    ViewerState& v = g_viewer;
    v.BrowseMode = false;
    AttachModeMenu();
    LoadRecentMenus();
    UpdateTitle(v.current_path);
    press_viewer_browse_button(false);
    LayoutMainWindow();
    SetFocus(v.main_window);
}

}  // namespace

void leave_browser() {
    give_viewer_its_folder();
    show_viewer();
}

bool browser_command(int id) {
    for (const BrowserCommand& c : kBrowserCommands)
        if (c.id == id) {
            c.run(id);
            return true;
        }
    return false;
}

void browser_open_selected() {
    HWND list = g_browser.list;
    if (!g_viewer.BrowseMode || !list) return;
    int item = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (item < 0) return;
    LPARAM p = list_item_param(list, item);
    if (is_folder_param(p)) {
        int i = subfolder_of_param(p);
        if (i < g_browser.subfolders.count) navigate_to_folder(g_browser.subfolders.path[i]);
        return;
    }
    if (p < 0 || p >= g_file_list.count) return;
    if (!file_list_is_image(&g_file_list, (int)p)) {
        ShellExecuteA(g_viewer.main_window, "open", g_file_list.path[p], nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    show_viewer();
    // A picture that did not open leaves the old one on screen: with its own
    // folder to step through, not the one browsed.
    if (GoToIndex((int)p) != kGoShown) {
        give_viewer_its_folder();
        LayoutMainWindow();
    }
}

void browser_selection_changed() {
    g_browser.selection_update_posted = false;
    if (!g_viewer.BrowseMode) return;
    update_browser_toolbar();
    update_browser_status();
}

bool browser_notify(NMHDR* header, LRESULT* result) {
    if (!g_browser.list || header->hwndFrom != g_browser.list) return false;
    *result = 0;
    switch (header->code) {
    case LVN_ITEMCHANGED: {
        const NMLISTVIEW* change = (const NMLISTVIEW*)header;
        bool selection = (change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED);
        // Ctrl+A sends one notice per item: the texts are made once, after the last.
        if (selection && !g_browser.Populating && !g_browser.selection_update_posted) {
            g_browser.selection_update_posted = true;
            PostMessageA(g_viewer.main_window, WM_BROWSER_SELECTION, 0, 0);
        }
        return true;
    }
    case NM_DBLCLK: PostMessageA(g_viewer.main_window, WM_OPEN_SELECTED, 0, 0); return true;
    case NM_RETURN: browser_open_selected(); return true;
    case LVN_KEYDOWN:
        if (((const NMLVKEYDOWN*)header)->wVKey == VK_ESCAPE)
            PostMessageA(g_viewer.main_window, WM_COMMAND, IDM_VIEW_BROWSE_FOLDER, 0);
        return true;
    case LVN_COLUMNCLICK: list_view_column_click(((const NMLISTVIEW*)header)->iSubItem); return true;
    case LVN_ENDLABELEDITA:
    case LVN_ENDLABELEDITW: *result = FALSE; return true;  // renaming files is not built yet
    }
    return false;
}

bool browser_context_menu(HWND window, LPARAM lparam) {
    if (!g_viewer.BrowseMode || !g_browser.list || window != g_browser.list) return false;
    POINT at = {(short)LOWORD(lparam), (short)HIWORD(lparam)};
    if (lparam == -1) GetCursorPos(&at);  // from the keyboard
    show_list_context_menu(at.x, at.y);
    return true;
}

namespace {

int shown_height(HWND window) { return window && IsWindowVisible(window) ? WindowHeight(window) : 0; }

// The panes between the browser toolbar and the status bar. The folder tree
// and the address bar come with their own windows; until they exist the
// list takes their room.
BrowserPanes current_panes() {
    RECT client;
    GetClientRect(g_viewer.main_window, &client);
    int top = shown_height(g_browser.toolbar);
    return layout_browser_panes(client.right, top, client.bottom - shown_height(g_viewer.status_bar), false, false);
}

}  // namespace

void browser_layout() {
    ViewerState& v = g_viewer;
    BrowserState& b = g_browser;
    bool shown = v.BrowseMode && !v.fullscreen;
    if (b.toolbar) {
        ShowWindow(b.toolbar, shown ? SW_SHOW : SW_HIDE);
        if (shown) SendMessageA(b.toolbar, TB_AUTOSIZE, 0, 0);
    }
    if (!shown) {
        if (b.list) ShowWindow(b.list, SW_HIDE);
        return;
    }
    if (b.list) {
        const PaneBox& l = current_panes().list;
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
    ViewerState& v = g_viewer;
    if (!v.BrowseMode || v.fullscreen) return;
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
    thumbnails_shutdown();
    list_view_shutdown();
    if (g_browser.list) DestroyWindow(g_browser.list);
    g_browser.list = nullptr;
    g_browser.ListMode = -1;
    destroy_browser_toolbar();
    free_subfolders();
}

void browser_sys_color_change(WPARAM wparam, LPARAM lparam) {
    if (g_browser.toolbar) SendMessageA(g_browser.toolbar, WM_SYSCOLORCHANGE, wparam, lparam);
    if (g_browser.list) SendMessageA(g_browser.list, WM_SYSCOLORCHANGE, wparam, lparam);
}

void browser_recreate_toolbar() {
    bool had = g_browser.toolbar != nullptr;
    destroy_browser_toolbar();
    if (had || g_viewer.BrowseMode) create_browser_toolbar();
}
