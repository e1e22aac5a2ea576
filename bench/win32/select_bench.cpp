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

#include "bench/win32/bench_support.h"
#include "browser/browser_state.h"
#include "res/resource.h"
#include "app/open_commands.h"
#include "viewer/navigation.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

const int kFiles = 10000;

std::string status_text() {
    char text[256] = "";
    SendMessageA(g_frame.status_bar, SB_GETTEXTA, 0, (LPARAM)text);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? atoi(argv[1]) : 5;
    std::string folder = make_bench_folder("lumora-select-bench", kFiles);
    HWND window = open_bench_window();
    if (!window) return 1;
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
