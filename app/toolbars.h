// The two toolbars of the main window: the viewer's, with its page box, and
// the browser's. Their buttons' images, tooltips and states come from the
// command table.
#pragma once
#include <windows.h>

// viewer_toolbar.cpp. CreateToolbar makes it again when it exists.
void CreateToolbar();
void UpdatePageBox();
void UpdateToolbarButtons();
void DestroyToolbarBitmap();
// Adds a bitmap strip of count button images to a toolbar. On Windows NT the
// strip is mapped to the system colours and returned: the caller deletes it
// after the toolbar. Null on Windows 95 and 98 (the toolbar loads it itself).
HBITMAP AddToolbarStrip(HWND toolbar, int strip, int count);
// Tooltip text requests of both toolbars (TTN_GETDISPINFOA/W).
bool OnToolbarTooltip(NMHDR* header);

// browser_toolbar.cpp
void create_browser_toolbar();
void update_browser_toolbar();
void destroy_browser_toolbar();
