// The browser mode of the main window.
#pragma once
#include <windows.h>

void enter_browser();
// Forgets the picture sizes the status bar has read for the shown folder.
void BrowserForgetDimensions();
// Commands the browser handles while it is shown; false when it does not.
bool BrowserCommand(int id);
// WM_NOTIFY from the browser's list view or folder tree; false when not theirs.
bool BrowserNotify(NMHDR* header, LRESULT* result);
// WM_APP + 1 and command 40130: opens the selected entry.
void BrowserOpenSelected();
void BrowserLayout();
void BrowserShutdown();
// Forwards WM_SYSCOLORCHANGE to the browser's child windows.
void BrowserSysColorChange(WPARAM wparam, LPARAM lparam);
// Destroys the browser toolbar and address bar (Large Toolbar Buttons); the
// browser makes them again when it is shown.
void BrowserRecreateToolbar();
// Facts for the menu rules.
int BrowserSelectedCount();
bool BrowserSelectionHasImage();
