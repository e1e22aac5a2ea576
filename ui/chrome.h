// The main window's chrome: the viewer toolbar with its page box, the status
// bar with its progress bar.
#pragma once
#include <windows.h>

// Child window ids.
const int kToolbarId = 1;
const int kStatusBarId = 2;
const int kBrowserToolbarId = 4;
const int kPageBoxId = 60;

// The outer height of a chrome window; 0 for none (view_geometry.cpp).
int WindowHeight(HWND window);

// Toolbar (toolbar.cpp). CreateToolbar makes it again when it exists.
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

// Status bar and progress bar (status_bar.cpp).
void CreateStatusBar();
void ShowProgress(int total);
void StepProgress();
void HideProgress();
// Moves a visible progress bar into status part 1.
void PlaceProgress();
