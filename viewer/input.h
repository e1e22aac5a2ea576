// Mouse, keyboard, context menu, drops and the hand-over of a path.
#pragma once
#include <windows.h>

void OnViewerContextMenu(HWND window, LPARAM lparam);
void OnLeftButtonDown(int x, int y);
void OnMouseMove(int x, int y);
void OnLeftButtonUp(int x, int y);
void OnDoubleClick();
void OnMouseWheel(WPARAM wparam, LPARAM lparam);
void OnEscapeKey();
void OnDropFiles(HDROP drop);
// WM_COPYDATA from a second instance: always TRUE.
LRESULT OnCopyData(const COPYDATASTRUCT* data);
