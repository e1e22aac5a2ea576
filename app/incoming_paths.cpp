#include "app/incoming_paths.h"

#include <string.h>

#include "platform/bridge.h"
#include "platform/modal.h"
#include "app/open_commands.h"
#include "viewer/navigation.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

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

namespace {

char s_handed_over[kPathBytes];  // the latest path handed over under modal UI

}  // namespace

LRESULT OnCopyData(const COPYDATASTRUCT* data) {
    char path[kPathBytes] = "";
    if (data && data->lpData && data->cbData) {
        DWORD n = data->cbData < kPathBytes - 1 ? data->cbData : kPathBytes - 1;
        memcpy(path, data->lpData, n);
        path[n] = 0;
    }
    if (IsIconic(g_frame.window)) ShowWindow(g_frame.window, SW_RESTORE);
    SetForegroundWindow(g_frame.window);
    if (!path[0]) return TRUE;
    if (modal_active()) {
        // A dialog or question is about the open picture (Delete, Save As,
        // Resize, Export): replacing the picture under it would make its
        // answer act on the new one. The path waits until it is closed.
        memcpy(s_handed_over, path, sizeof path);
        modal_post_when_idle(g_frame.window, WM_OPEN_HANDED_OVER);
        return TRUE;
    }
    s_handed_over[0] = 0;  // the latest wins over one still waiting
    OpenPath(path);
    return TRUE;
}

void OnOpenHandedOver() {
    if (!s_handed_over[0]) return;
    if (modal_active()) {  // another dialog opened before this message came
        modal_post_when_idle(g_frame.window, WM_OPEN_HANDED_OVER);
        return;
    }
    char path[kPathBytes];
    memcpy(path, s_handed_over, sizeof path);
    s_handed_over[0] = 0;
    OpenPath(path);
}
