// The main window's chrome: the viewer toolbar with its page box, the status
// bar with its progress bar.
#pragma once
#include <windows.h>

// Child window ids.
const int kToolbarId = 1;
const int kStatusBarId = 2;
const int kPageBoxId = 60;

// Toolbar (toolbar.cpp). CreateToolbar makes it again when it exists.
void CreateToolbar();
void UpdatePageBox();
void UpdateToolbarButtons();
void DestroyToolbarBitmap();
// Tooltip text requests of both toolbars (TTN_GETDISPINFOA/W).
bool OnToolbarTooltip(NMHDR* header);

// Status bar and progress bar (status_bar.cpp).
void CreateStatusBar();
void ShowProgress(int total);
void StepProgress();
void HideProgress();
// Moves a visible progress bar into status part 1.
void PlaceProgress();
