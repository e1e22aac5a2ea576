// The two context menus: the viewer's over the picture and the browser's
// over its list.
#pragma once
#include <windows.h>

// At the screen point of lparam, or the window's centre for the keyboard (-1).
void OnViewerContextMenu(HWND window, LPARAM lparam);
// The list's right-click menu at a screen point; its choice arrives as a command.
void show_list_context_menu(int x, int y);
// Its items, grayed for the current state.
HMENU build_list_context_menu();
