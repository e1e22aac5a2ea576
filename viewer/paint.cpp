#include "viewer/view.h"
#include "viewer/viewer_state.h"

void PaintView(HDC dc) {
    RECT r;
    GetClientRect(g_viewer.main_window, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_APPWORKSPACE));
}

void DropScaledCache() {}
void ReleaseBackBuffer() {}
void ReleaseViewPalette() {}

LRESULT OnPaletteMessage(UINT, WPARAM) { return 0; }
