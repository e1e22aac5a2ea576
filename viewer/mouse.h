// The mouse in the picture area: crop drags, panning, the wheel.
#pragma once
#include <windows.h>

void OnLeftButtonDown(int x, int y);
void OnMouseMove(int x, int y);
void OnLeftButtonUp(int x, int y);
// WM_CAPTURECHANGED: taker is the window that now has the mouse.
void OnCaptureChanged(HWND taker);
void OnMouseWheel(WPARAM wparam, LPARAM lparam);
