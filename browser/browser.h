// The browser mode of the main window.
#pragma once
#include <windows.h>

// Posted to the main window by the list (double click, Enter): open the
// selected entry.
const UINT WM_OPEN_SELECTED = WM_APP + 1;

void enter_browser();
// Forgets the picture sizes the status bar has read for the shown folder.
void browser_forget_dimensions();
// Commands the browser handles while it is shown; false when it does not.
bool browser_command(int id);
// WM_NOTIFY from the browser's list view or folder tree; false when not theirs.
bool browser_notify(NMHDR* header, LRESULT* result);
// WM_OPEN_SELECTED and IDM_FILE_OPEN_SELECTED: opens the selected entry.
void browser_open_selected();
void browser_layout();
void browser_shutdown();
// Forwards WM_SYSCOLORCHANGE to the browser's child windows.
void browser_sys_color_change(WPARAM wparam, LPARAM lparam);
// Destroys the browser toolbar and address bar (Large Toolbar Buttons); the
// browser makes them again when it is shown.
void browser_recreate_toolbar();
// Facts for the command rules.
int browser_selected_count();
bool browser_selection_has_image();
