#include "viewer/incoming_paths.h"

#include <string.h>

#include "platform/bridge.h"
#include "viewer/navigation.h"
#include "viewer/viewer_state.h"

void OnDropFiles(HDROP drop) {
    char path[kPathBytes] = "";
    bool got = dropped_file_path(drop, path);
    DragFinish(drop);
    if (!got || !path[0]) return;
    if (IsFolderPath(path)) {
        ShowFolderInBrowser(path);  // no question about unsaved changes: the picture stays open
        return;
    }
    OpenFileInViewer(path);
}

LRESULT OnCopyData(const COPYDATASTRUCT* data) {
    char path[kPathBytes] = "";
    if (data && data->lpData && data->cbData) {
        DWORD n = data->cbData < kPathBytes - 1 ? data->cbData : kPathBytes - 1;
        memcpy(path, data->lpData, n);
        path[n] = 0;
    }
    if (IsIconic(g_viewer.main_window)) ShowWindow(g_viewer.main_window, SW_RESTORE);
    SetForegroundWindow(g_viewer.main_window);
    if (path[0]) OpenPath(path);
    return TRUE;
}
