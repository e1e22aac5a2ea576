// The picture area: geometry, zoom and scrolling, painting, and the texts
// that describe the picture (status bar, title). The arithmetic behind them
// is in view_geometry_pure.h, paint_pure.h and status_text_pure.h.
#pragma once
#include <windows.h>

#include "core/image.h"

// Geometry and zoom (view_geometry.cpp).
RECT GetViewRect();
// (0, 0) when nothing is shown.
void GetDisplaySize(int* width, int* height);
// Client position of the displayed picture's top-left corner.
POINT GetPictureOrigin();
// The scale the shown picture appears at (1.0 when nothing is shown).
double GetEffectiveScale();
void SetZoomScale(double scale);
void ZoomBy(double factor);
void ZoomAt(double factor, int x, int y);
void UpdateScrollBars();
// WM_HSCROLL (bar SB_HORZ) and WM_VSCROLL (SB_VERT).
void OnScrollMessage(int bar, WPARAM wparam);
// The zoom commands (Best Fit, Actual Size, Zoom In/Out, Shrink to Fit, the
// presets and Custom Scale); false for any other id.
bool ZoomCommand(int id);

// The Custom Scale dialog (scale_dialog.cpp): the accepted percentage, or 0
// when cancelled. Starts from the given percentage.
unsigned AskScalePercent(HWND owner, unsigned percent);

// Painting (paint.cpp).
void PaintView(HDC dc);
// Selects the halftone palette into dc (as background when asked) and
// realizes it; the number of entries changed, 0 on a display without palette.
// *previous (when asked for) gets the palette to select again before the
// context is released; null when nothing was selected.
UINT RealizeHalftonePalette(HDC dc, bool background, HPALETTE* previous);
void DropScaledCache();
// The cache's picture made off the interface thread (the read-ahead does it
// while the user looks at the picture before): a bitmap compatible with the
// screen, image stretched into dw x dh as the cache stretches it. None where
// the cache would not serve that size, on a palette display (the halftone
// palette is the interface thread's) or when GDI is short. Any thread.
HBITMAP PrerenderScaledPicture(const Image* image, int dw, int dh);
// Makes such a bitmap the cache of image at dw x dh; the cache owns it.
void AdoptScaledCache(const Image* image, HBITMAP bitmap, int dw, int dh);
void ReleaseBackBuffer();
void ReleaseViewPalette();
// WM_QUERYNEWPALETTE and WM_PALETTECHANGED.
LRESULT OnPaletteMessage(UINT message, WPARAM wparam);

// What painting has done so far, for tests and the paint benchmark: the
// scaled-picture cache rebuilds and the direct stretches of the large path.
struct PaintCounters {
    unsigned cache_builds;
    unsigned direct_stretches;
};
PaintCounters GetPaintCounters();

// Status bar texts and the window title (status_text.cpp).
void UpdateStatusBar();
// "name - Lumora", "*name (edited) - Lumora", or the product name alone
// when path is null or empty.
void UpdateTitle(const char* path);
// Localized type name by extension; "" for none.
const char* FileTypeName(const char* path);
