#include "platform/bridge.h"
#include "platform/text.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"

void UpdateStatusBar() {
    if (!g_viewer.status_bar) return;
    if (!g_viewer.shown) set_status_text(0, tr(19));  // "Open an image (Ctrl+O)..."
}

void UpdateTitle() {
    if (g_viewer.main_window) SetWindowTextA(g_viewer.main_window, tr(0));
}
