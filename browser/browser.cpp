#include "browser/browser.h"

#include "browser/browser_state.h"

BrowserState g_browser;

void refresh_browser() {
    scan_subfolders();
    if (g_browser.ListMode == 0) fill_thumbnail_view();
    else fill_icon_view();
}
void navigate_to_folder(const char*) {}
void finish_fill() {}
void set_browser_title() {}
void update_browser_status() {}

void enter_browser() {}
bool browser_command(int) { return false; }
bool browser_notify(NMHDR*, LRESULT*) { return false; }
void browser_open_selected() {}
void browser_layout() {}
void browser_shutdown() {}
void browser_sys_color_change(WPARAM, LPARAM) {}
void browser_recreate_toolbar() {}
void browser_forget_dimensions() {}
