#include <windows.h>
#include <commctrl.h>

#include "ui/frame.h"

static HWND s_progress;  // made on first use

void CreateStatusBar() {
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                               g_frame.window, (HMENU)(INT_PTR)kStatusBarId, g_frame.instance, nullptr);
    g_frame.status_bar = bar;
    if (!bar) return;
    RECT r;
    GetClientRect(g_frame.window, &r);
    int edges[3] = {r.right - 220, r.right - 90, -1};  // provisional; the layout divides it again
    SendMessageA(bar, SB_SETPARTS, 3, (LPARAM)edges);
}

static RECT progress_rect() {
    RECT r;
    if (!SendMessageA(g_frame.status_bar, SB_GETRECT, 1, (LPARAM)&r)) {
        GetClientRect(g_frame.status_bar, &r);
        return r;
    }
    InflateRect(&r, -2, -2);
    return r;
}

void ShowProgress(int total) {
    if (!g_frame.status_bar || total <= 0) return;
    if (total > 65535) total = 65535;  // the bar takes a 16-bit range
    RECT r = progress_rect();
    if (!s_progress || !IsWindow(s_progress)) {
        s_progress = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, r.left, r.top, r.right - r.left,
                                     r.bottom - r.top, g_frame.status_bar, nullptr, g_frame.instance, nullptr);
        if (!s_progress) return;
    }
    MoveWindow(s_progress, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    SendMessageA(s_progress, PBM_SETRANGE, 0, MAKELPARAM(0, total));
    SendMessageA(s_progress, PBM_SETSTEP, 1, 0);
    SendMessageA(s_progress, PBM_SETPOS, 0, 0);
    ShowWindow(s_progress, SW_SHOW);
    UpdateWindow(s_progress);
}

void StepProgress() {
    if (!s_progress) return;
    SendMessageA(s_progress, PBM_STEPIT, 0, 0);
    UpdateWindow(s_progress);  // long loops do not dispatch messages
}

void HideProgress() {
    if (s_progress) ShowWindow(s_progress, SW_HIDE);
}

void PlaceProgress() {
    if (!s_progress || !IsWindowVisible(s_progress)) return;
    RECT r = progress_rect();
    MoveWindow(s_progress, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}
