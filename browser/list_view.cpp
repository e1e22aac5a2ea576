// The list view: one window per view mode, the fills of the icon views and
// the Details columns, and the icon lists they show.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <stdio.h>

#include <map>
#include <string>

#include "browser/browser.h"
#include "browser/browser_state.h"
#include "ui/file_list.h"
#include "ui/file_list_pure.h"
#include "browser/list_text_pure.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "res/resource.h"
#include "shell/settings.h"
#include "core/formats.h"
#include "ui/frame.h"

namespace {

const int kModeLargeIcons = 1;
const int kModeDetails = 4;
const int kColumnCount = 4;
const int kFillReserve = 8;  // items the list is told to expect beyond the files
const int kOwnIconCount = 17;
const int kSmallIconSize = 16;
const int kLargeIconSize = 32;

// List-view style of each view mode (0 Thumbnails .. 4 Details).
const DWORD kModeStyle[5] = {LVS_ICON | LVS_AUTOARRANGE, LVS_ICON | LVS_AUTOARRANGE, LVS_SMALLICON, LVS_LIST,
                             LVS_REPORT};

struct Column {
    TextId text;
    const char* header;  // the header after a fill is always English
    int format, width;
};
const Column kColumns[kColumnCount] = {
    {kTextColumnName, "Name", LVCFMT_LEFT, 200},
    {kTextColumnSize, "Size", LVCFMT_RIGHT, 80},
    {kTextColumnType, "Type", LVCFMT_LEFT, 80},
    {kTextColumnDateModified, "Date Modified", LVCFMT_LEFT, 130},
};
const char kFolderWord[] = "Folder";  // the Type cell of a folder, never translated

// Entries 0 to 15 of the own icon lists; entry 16 is the shell's folder icon.
const int kTypeIcons[kFolderIcon] = {
    IDI_TYPE_OTHER, IDI_TYPE_BMP, IDI_TYPE_JPEG, IDI_TYPE_PNG, IDI_TYPE_GIF,
    IDI_TYPE_TIFF,  IDI_TYPE_TARGA, IDI_TYPE_PSD, IDI_TYPE_PIC, IDI_TYPE_PNM,
    IDI_TYPE_PCX,   IDI_TYPE_DCX, IDI_TYPE_IFF,  IDI_TYPE_WMF, IDI_TYPE_PCD, IDI_TYPE_WEBP,
};

HICON application_icon(int size) {
    return (HICON)LoadImageA(nullptr, (LPCSTR)IDI_APPLICATION, IMAGE_ICON, size, size, LR_SHARED);
}

// Shared icons (the application's stand-in) must not be destroyed.
void add_icon(HIMAGELIST list, HICON icon, bool owned, int size) {
    if (!icon) {
        icon = application_icon(size);
        owned = false;
    }
    ImageList_AddIcon(list, icon);
    if (owned) DestroyIcon(icon);
}

HIMAGELIST make_own_icons(int size) {
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kOwnIconCount, 0);
    if (!list) return nullptr;
    for (int id : kTypeIcons)
        add_icon(list, (HICON)LoadImageA(g_frame.instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0), true,
                 size);
    SHFILEINFOA info = {};
    UINT which = size <= kSmallIconSize ? SHGFI_SMALLICON : SHGFI_LARGEICON;
    SHGetFileInfoA("folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | which);
    add_icon(list, info.hIcon, true, size);
    return list;
}

HIMAGELIST own_icons(bool large) {
    HIMAGELIST& list = large ? g_browser.icons_large : g_browser.icons_small;
    if (!list) list = make_own_icons(large ? kLargeIconSize : kSmallIconSize);
    return list;
}

void add_columns(HWND list) {
    for (int i = 0; i < kColumnCount; ++i)
        insert_list_column(list, i, tr(kColumns[i].text), kColumns[i].format, kColumns[i].width);
}

void set_header_texts(HWND list) {
    for (int i = 0; i < kColumnCount; ++i) {
        char text[64];
        if (i == g_file_list.SortKey)
            snprintf(text, sizeof text, "%s %c", kColumns[i].header, g_file_list.SortAscending ? '+' : '-');
        else
            snprintf(text, sizeof text, "%s", kColumns[i].header);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        SendMessageA(list, LVM_SETCOLUMNA, i, (LPARAM)&column);
    }
}

void set_cell(HWND list, int index, int column, const char* text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = (char*)text;
    SendMessageA(list, LVM_SETITEMTEXTA, index, (LPARAM)&item);
}

void insert_folders(HWND list, bool details, int folder_icon) {
    const SubfolderList& folders = g_browser.subfolders;
    for (int i = 0; i < folders.count; ++i) {
        char name[kPathBytes];
        snprintf(name, sizeof name, "%s", folders.path[i]);
        size_t length = strlen(name);
        if (length && name[length - 1] == '\\') name[--length] = 0;
        int index = list_insert_item(list, i, file_name_part(name), folder_icon, folder_item_param(i));
        if (details && index >= 0) set_cell(list, index, 2, kFolderWord);
    }
}

// Types whose files each carry an icon of their own; every other type has
// one icon for all its files.
const char* const kOwnIconTypes[] = {".exe", ".ico", ".cur", ".ani", ".lnk", ".url", ".pif", ".scr", ".dll"};

// The shell's icon of a file. Most are looked up once per type, by the
// extension alone: the lookup of a real file costs milliseconds under Wine,
// seconds for a folder of a thousand.
int shell_icon_of(const char* path, std::map<std::string, int>& by_type) {
    const char* type = path_extension(file_name_part(path));
    for (const char* own : kOwnIconTypes)
        if (lstrcmpiA(type, own) == 0) return system_icon_index(path, 0, 0);
    char key[16];
    lstrcpynA(key, type, sizeof key);
    CharLowerA(key);
    auto known = by_type.find(key);
    if (known != by_type.end()) return known->second;
    char name[24];
    snprintf(name, sizeof name, "file%s", key);
    return by_type[key] = system_icon_index(name, FILE_ATTRIBUTE_NORMAL, SHGFI_USEFILEATTRIBUTES);
}

void insert_files(HWND list, bool details, bool shell_icons) {
    const FileList& files = g_file_list;
    int first = g_browser.subfolders.count;
    std::map<std::string, int> icons_by_type;
    for (int i = 0; i < files.count; ++i) {
        const char* path = files.path[i];
        int icon = shell_icons ? shell_icon_of(path, icons_by_type) : icon_type_of(path);
        int index = list_insert_item(list, first + i, file_name_part(path), icon, i);
        if (!details || index < 0) continue;
        char text[128];
        format_kb(text, sizeof text, files.size[i]);
        set_cell(list, index, 1, text);
        type_name_of(text, sizeof text, path);
        set_cell(list, index, 2, text);
        format_file_time(text, sizeof text, files.modified[i]);
        set_cell(list, index, 3, text);
    }
}

}  // namespace

HIMAGELIST system_icons(bool large) {
    SHFILEINFOA info = {};
    return (HIMAGELIST)SHGetFileInfoA("C:\\", 0, &info, sizeof info,
                                      SHGFI_SYSICONINDEX | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON));
}

int system_icon_index(const char* path, DWORD attributes, UINT flags) {
    SHFILEINFOA info = {};
    SHGetFileInfoA(path, attributes, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | flags);
    return info.iIcon;
}


int list_insert_item(HWND list, int position, const char* text, int image, LPARAM param) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = position;
    item.pszText = (char*)text;
    item.iImage = image;
    item.lParam = param;
    return (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
}

LPARAM list_item_param(HWND list, int item) {
    LVITEMA it = {};
    it.mask = LVIF_PARAM;
    it.iItem = item;
    return SendMessageA(list, LVM_GETITEMA, 0, (LPARAM)&it) ? it.lParam : -1;
}

HWND list_window_for_mode(int mode) {
    BrowserState& b = g_browser;
    if (mode < 0 || mode > 4) return nullptr;
    if (b.list && b.ListMode == mode) return b.list;
    if (b.list) DestroyWindow(b.list);
    b.list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                             WS_CHILD | LVS_EDITLABELS | LVS_SHAREIMAGELISTS | kModeStyle[mode], 0, 0, 0, 0,
                             g_frame.window, (HMENU)(INT_PTR)kListViewId, g_frame.instance, nullptr);
    b.ListMode = b.list ? mode : -1;
    if (b.list && mode == kModeDetails) add_columns(b.list);
    return b.list;
}

bool list_hold_redraw(HWND list) {
    bool shown = (GetWindowLongA(list, GWL_STYLE) & WS_VISIBLE) != 0;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    return shown;
}

void list_release_redraw(HWND list, bool shown) {
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    // Turning redraw back on may show a hidden window: it is hidden again.
    if (shown) InvalidateRect(list, nullptr, TRUE);
    else ShowWindow(list, SW_HIDE);
}

void fill_icon_view() {
    int mode = g_settings.BrowseView;
    if (mode < kModeLargeIcons || mode > kModeDetails) return;
    HWND list = list_window_for_mode(mode);
    if (!list) return;
    BrowserState& b = g_browser;
    b.Populating = true;  // from the deletions on: no selection notice counts until the end
    if (b.thumbnails) {
        SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, 0);
        ImageList_Destroy(b.thumbnails);
        b.thumbnails = nullptr;
    }
    bool shown = list_hold_redraw(list);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, g_file_list.count + kFillReserve, 0);

    bool shell_icons = g_settings.ShowAllFiles != 0;
    bool large = mode == kModeLargeIcons;
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)(shell_icons ? system_icons(false) : own_icons(false)));
    if (large)
        SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, (LPARAM)(shell_icons ? system_icons(true) : own_icons(true)));
    int folder_icon =
        shell_icons ? system_icon_index("folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_USEFILEATTRIBUTES) : kFolderIcon;

    bool details = mode == kModeDetails;
    insert_folders(list, details, folder_icon);
    insert_files(list, details, shell_icons);
    b.Populating = false;
    if (details) set_header_texts(list);
    list_release_redraw(list, shown);
    finish_fill();
}

void list_view_column_click(int column) {
    if (column < 0 || column >= kColumnCount) return;
    if (column == g_file_list.SortKey) {
        g_file_list.SortAscending = !g_file_list.SortAscending;
    } else {
        g_file_list.SortKey = column;
        g_file_list.SortAscending = 1;
    }
    sort_file_list();
    fill_icon_view();
}

void format_file_time(char* out, size_t size, uint64_t time) {
    if (!size) return;
    out[0] = 0;
    FILETIME utc = {(DWORD)time, (DWORD)(time >> 32)}, local;
    SYSTEMTIME when;
    char date[80], clock[80];
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &when)) return;
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, date, sizeof date)) return;
    if (!GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &when, nullptr, clock, sizeof clock)) return;
    snprintf(out, size, "%s %s", date, clock);
}

void list_view_shutdown() {
    BrowserState& b = g_browser;
    if (b.icons_small) ImageList_Destroy(b.icons_small);
    if (b.icons_large) ImageList_Destroy(b.icons_large);
    b.icons_small = b.icons_large = nullptr;
}

int browser_selected_count() {
    return g_browser.list ? (int)SendMessageA(g_browser.list, LVM_GETSELECTEDCOUNT, 0, 0) : 0;
}

bool browser_selection_has_image() {
    HWND list = g_browser.list;
    if (!list) return false;
    for (int i = -1; (i = (int)SendMessageA(list, LVM_GETNEXTITEM, i, LVNI_SELECTED)) >= 0;)
        if (file_list_is_image(&g_file_list, (int)list_item_param(list, i))) return true;
    return false;
}
