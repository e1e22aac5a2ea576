// The viewer's context menu over the picture.
#pragma once
#include <windows.h>

// At the screen point of lparam, or the window's centre for the keyboard (-1).
void OnViewerContextMenu(HWND window, LPARAM lparam);
