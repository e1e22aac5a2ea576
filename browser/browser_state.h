// The browser's own state and the steps its files share: the list view and
// its image lists, the subfolders, the fills. The main window reads the
// list window here; everything else goes through browser.h.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <stdint.h>
#include "ui/frame.h"

const int kMaxThumbnailItems = 500; // the Thumbnails view shows at most the first 500 entries
const int kFolderIcon = 16;         // entry of the own icon lists that shows a folder

// The subfolders of the listed folder: full paths ending in a backslash,
// heap strings of their exact length, sorted case-insensitively.
struct SubfolderList {
    char** path;
    int32_t count;
    int32_t capacity;
};

struct BrowserState {
    HWND list;                 // the list view (control kListViewId); none before the first fill
    int ListMode = -1;         // view mode the list was made for; -1 when there is none
    HIMAGELIST thumbnails;     // made by each Thumbnails fill, destroyed by the next fill of any mode
    HIMAGELIST icons_small;    // own 16-pixel icons, made once
    HIMAGELIST icons_large;    // own 32-pixel icons, made once
    bool Populating;           // a fill is inserting items: selection notices are ignored
    SubfolderList subfolders;
    // The status bar's pixel size of the one selected image, read once per path.
    char dimension_path[260];
    int dimension_width, dimension_height;
    uint32_t dimension_scan;  // the folder list's scan the size was read in
    bool selection_update_posted;  // a WM_BROWSER_SELECTION is on its way
};

extern BrowserState g_browser;

// Item parameters: a file item carries its FileList index, a folder item
// -(i + 2) for subfolder i.
inline LPARAM folder_item_param(int subfolder) { return -(LPARAM)(subfolder + 2); }
inline bool is_folder_param(LPARAM param) { return param <= -2; }
inline int subfolder_of_param(LPARAM param) { return (int)(-param - 2); }

// list_view.cpp
// The shell's image list of all icons, small or large, and an index into it.
HIMAGELIST system_icons(bool large);
int system_icon_index(const char* path, DWORD attributes, UINT flags);
// The list window for a view mode: kept when it was made for that mode,
// else made anew (a Details window with its four columns). None when the
// window cannot be made; ListMode is then -1.
HWND list_window_for_mode(int mode);
// Fills hold the list's redraw: it would arrange and paint itself after every
// insertion, hidden or not. Hold returns whether the list was shown, for the release.
bool list_hold_redraw(HWND list);
void list_release_redraw(HWND list, bool shown);
// An item at a position with its text, image (-1: none) and parameter; its
// index, or -1.
int list_insert_item(HWND list, int position, const char* text, int image, LPARAM param);
// The parameter of an item; -1 (no file, no folder) when there is no such item.
LPARAM list_item_param(HWND list, int item);
// Large Icons, Small Icons, List and Details: folders, then files.
void fill_icon_view();
// A Details header click: sorts by that column (again: the other way) and fills.
void list_view_column_click(int column);
void list_view_shutdown();
// The Date Modified text of a file time (UTC): local short date and time
// without seconds; "" when a conversion fails.
void format_file_time(char* out, size_t size, uint64_t time);

// subfolders.cpp
void scan_subfolders();
void free_subfolders();

// thumbnails.cpp
void fill_thumbnail_view();
void thumbnails_shutdown();
// An edge square bitmap compatible with screen: the picture shrunk to fit
// (never enlarged), centred on the window colour. None when GDI fails.
HBITMAP render_thumbnail(const struct Image* image, int edge, HDC screen);
// Tests and benchmarks: the pictures the fills decoded since the last call;
// fills on one thread only (true) or with decoding workers (false, the default).
int thumbnails_take_decode_count();
void thumbnails_use_one_thread(bool one);
// Tests: fills with workers take `processors` for the processor count (0:
// the system's), and the fail_picture-th picture each worker decode
// allocates, and every later one, fails as when memory is short (0: none).
// The worker threads the last fill with workers started.
void thumbnails_test_workers(int processors, int fail_picture);
int thumbnails_worker_count();
