#include "browser/browser.h"

void enter_browser() {}
bool browser_command(int) { return false; }
bool browser_notify(NMHDR*, LRESULT*) { return false; }
void browser_open_selected() {}
void browser_layout() {}
void browser_shutdown() {}
void browser_sys_color_change(WPARAM, LPARAM) {}
void browser_recreate_toolbar() {}
int browser_selected_count() { return 0; }
bool browser_selection_has_image() { return false; }
void browser_forget_dimensions() {}
