// Times Select All over a folder of 10 000 files in the Details view, on the
// real main window under Wine or Windows: from the command until the status
// bar shows the final count. Usage: select_bench [rounds]
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "browser/browser_state.h"
#include "platform/bridge.h"
#include "res/resource.h"
#include "shell/settings.h"
#include "viewer/main_window.h"
#include "viewer/navigation.h"
#include "viewer/viewer_state.h"

namespace {

const int kFiles = 10000;

double now_ms() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1000.0 * (double)t.QuadPart / (double)f.QuadPart;
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string status_text() {
    char text[256] = "";
    SendMessageA(g_viewer.status_bar, SB_GETTEXTA, 0, (LPARAM)text);
    return text;
}

std::string make_folder() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "lumora-select-bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < kFiles; ++i) {
        char name[32];
        snprintf(name, sizeof name, "p%05d.jpg", i);
        std::string path = folder + name;
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written;
            WriteFile(h, name, (DWORD)(i % 13 + 1), &written, nullptr);
            CloseHandle(h);
        }
    }
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? atoi(argv[1]) : 5;
    bridge_init();
    settings_set_defaults(&g_settings);  // the user's registry is neither read nor written
    std::string folder = make_folder();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterMainWindowClass(instance, nullptr)) return 1;
    HWND window = CreateMainWindow(instance);
    if (!window) return 1;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    pump();
    ShowFolderInBrowser(folder.c_str());
    SendMessageA(window, WM_COMMAND, IDM_VIEW_DETAILS, 0);
    pump();
    int items = g_browser.list ? ListView_GetItemCount(g_browser.list) : 0;
    char want[64];
    snprintf(want, sizeof want, "%d objects selected", items);
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        ListView_SetItemState(g_browser.list, -1, 0, LVIS_SELECTED);
        pump();
        double t0 = now_ms();
        SendMessageA(window, WM_COMMAND, IDM_EDIT_SELECT_ALL, 0);
        double t1 = now_ms();
        while (status_text() != want && now_ms() - t0 < 60000) {
            pump();
        }
        times.push_back(now_ms() - t0);
        printf("round %d: selecting %.1f ms, status texts %.1f ms later\n", r + 1, t1 - t0, now_ms() - t1);
    }
    std::sort(times.begin(), times.end());
    printf("Select All over %d items in Details: best %.1f ms, median %.1f ms, worst %.1f ms (status \"%s\")\n", items,
           times.front(), times[times.size() / 2], times.back(), status_text().c_str());
    DestroyWindow(window);
    pump();
    return 0;
}
