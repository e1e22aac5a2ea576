// The browser mode of the main window.
#pragma once
#include <windows.h>

// Posted to the main window by the list (double click, Enter): open the
// selected entry.
const UINT WM_OPEN_SELECTED = WM_APP + 1;
// Posted by the list's selection notices, once per burst: the status bar and
// toolbar are brought up to date when it arrives.
const UINT WM_BROWSER_SELECTION = WM_APP + 2;

// Shows the folder of the file list in the browser (nothing without a folder).
void enter_browser();
// Back to the viewer and its picture.
void leave_browser();
// WM_BROWSER_SELECTION.
void browser_selection_changed();
// WM_CONTEXTMENU from the list; false when it is not the browser's.
bool browser_context_menu(HWND window, LPARAM lparam);
// The caption row over the list, painted by the main window in browse mode.
void browser_paint(HDC dc);
// Where the list sits, in the main window's client coordinates.
RECT browser_list_rect();
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
