// Paths handed to the window from outside: dropped files and folders, and
// the path a second start of the program passes on.
#pragma once
#include <windows.h>

// Posted to the main window when a path handed over under modal UI may be
// opened. (WM_APP + 1 and + 2 are the browser's, + 4 the work tasks'.)
const UINT WM_OPEN_HANDED_OVER = WM_APP + 3;

void OnDropFiles(HDROP drop);
// WM_COPYDATA from a second instance: always TRUE.
LRESULT OnCopyData(const COPYDATASTRUCT* data);
// WM_OPEN_HANDED_OVER: opens the path kept while modal UI was open.
void OnOpenHandedOver();
