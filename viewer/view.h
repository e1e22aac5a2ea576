// The picture area: geometry, zoom and scrolling, painting, and the texts
// that describe the picture (status bar, title).
#pragma once
#include <windows.h>

// Geometry and zoom.
RECT GetViewRect();
void GetDisplaySize(int* width, int* height);
POINT GetPictureOrigin();
void SetZoomScale(double scale);
void ZoomBy(double factor);
void ZoomAt(double factor, int x, int y);
void UpdateScrollBars();
// WM_HSCROLL (bar SB_HORZ) and WM_VSCROLL (SB_VERT).
void OnScrollMessage(int bar, WPARAM wparam);
// The zoom commands 40020..40023, 40080..40087; false for any other id.
bool ZoomCommand(int id);

// Painting.
void PaintView(HDC dc);
void DropScaledCache();
void ReleaseBackBuffer();
void ReleaseViewPalette();
// WM_QUERYNEWPALETTE and WM_PALETTECHANGED.
LRESULT OnPaletteMessage(UINT message, WPARAM wparam);

// Status bar texts and the window title.
void UpdateStatusBar();
void UpdateTitle();
