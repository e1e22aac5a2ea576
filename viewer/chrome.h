// The main window's chrome: viewer toolbar with its page box, status bar with
// its progress bar, and the menu state.
#pragma once
#include <windows.h>

const int kToolbarId = 1;
const int kStatusBarId = 2;
const int kPageBoxId = 60;

void CreateToolbar();
// The toolbar first, then the status bar.
void CreateStatusBar();
void UpdatePageBox();
void UpdateToolbarButtons();
void ShowProgress(int total);
void StepProgress();
void HideProgress();
// Moves a visible progress bar into status part 1.
void PlaceProgress();
void DestroyToolbarBitmap();
// Tooltip text requests of both toolbars (TTN_GETDISPINFOA/W).
bool OnToolbarTooltip(NMHDR* header);
void UpdateMenuState();
