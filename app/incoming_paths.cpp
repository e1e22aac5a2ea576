#include "app/incoming_paths.h"

#include <string.h>

#include "platform/bridge.h"
#include "platform/modal.h"
#include "ui/work.h"
#include "app/open_commands.h"
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

char s_handed_over[kPathBytes];  // the latest path handed over, until it opens

// Opens path now, or keeps it (the latest wins) until the modal UI or the
// job in the way is done.
void open_or_keep(const char* path) {
    if (path != s_handed_over) lstrcpynA(s_handed_over, path, sizeof s_handed_over);
    if (modal_active()) {
        // A dialog or question is about the open picture (Delete, Save As,
        // Resize, Export): replacing the picture under it would make its
        // answer act on the new one.
        modal_post_when_idle(g_frame.window, WM_OPEN_HANDED_OVER);
    } else if (list_job_running()) {
        list_job_post_when_done(g_frame.window, WM_OPEN_HANDED_OVER);  // the job reads the folder list
    } else {
        char now[kPathBytes];
        lstrcpynA(now, s_handed_over, sizeof now);
        s_handed_over[0] = 0;
        OpenPath(now);
    }
}

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
    if (path[0]) open_or_keep(path);
    return TRUE;
}

void OnOpenHandedOver() {
    if (s_handed_over[0]) open_or_keep(s_handed_over);
}
