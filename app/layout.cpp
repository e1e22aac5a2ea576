#include "app/layout.h"

#include <windows.h>
#include <commctrl.h>

#include "browser/browser.h"
#include "shell/settings.h"
#include "app/commands.h"
#include "app/layout_pure.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"
#include "ui/status_bar.h"

void LayoutMainWindow() {
    HWND window = g_frame.window;
    if (!window || !g_frame.toolbar) return;  // not before WM_CREATE made the chrome

    bool show_toolbar, show_status;
    if (g_frame.fullscreen) {
        show_toolbar = g_settings.FsToolbar != 0;
        show_status = false;
    } else if (g_frame.BrowseMode) {
        show_toolbar = false;  // the browser's own toolbar takes its place
        show_status = g_settings.ShowStatus != 0;
    } else {
        show_toolbar = g_settings.ShowToolbar != 0;
        show_status = g_settings.ShowStatus != 0;
    }
    ShowWindow(g_frame.toolbar, show_toolbar ? SW_SHOW : SW_HIDE);
    if (g_frame.status_bar) ShowWindow(g_frame.status_bar, show_status ? SW_SHOW : SW_HIDE);
    SendMessageA(g_frame.toolbar, TB_AUTOSIZE, 0, 0);
    if (g_frame.status_bar) SendMessageA(g_frame.status_bar, WM_SIZE, 0, 0);

    RECT client;
    GetClientRect(window, &client);
    int edges[5];
    int parts = StatusPartEdges(client.right, g_frame.BrowseMode && !g_frame.fullscreen, edges);
    if (g_frame.status_bar) SendMessageA(g_frame.status_bar, SB_SETPARTS, parts, (LPARAM)edges);
    PlaceProgress();

    UpdateScrollBars();
    UpdateStatusBar();
    RefreshCommandStates();
    browser_layout();  // places the browser panes in browser mode, hides them otherwise
    InvalidateRect(window, nullptr, TRUE);
}
