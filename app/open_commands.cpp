#include "app/open_commands.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "app/browse_mode.h"
#include "app/layout.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "ui/file_list.h"
#include "ui/frame.h"
#include "viewer/document.h"
#include "viewer/edit_commands.h"
#include "viewer/read_ahead.h"

void ShowFolderInBrowser(const char* folder) {
    char path[kPathBytes];
    snprintf(path, sizeof path, "%s", folder);
    size_t n = strlen(path);
    if (n > 0 && path[n - 1] != '\\' && n + 1 < sizeof path) strcat(path, "\\");
    scan_folder(path);
    enter_browser();
}

void OpenPath(const char* path) {
    char full[kPathBytes];
    if (!full_path(path, full)) return;
    if (IsFolderPath(full)) {
        if (ConfirmDiscard()) ShowFolderInBrowser(full);
        return;
    }
    OpenFileInViewer(full);
}

bool OpenFileInViewer(const char* path) {
    if (!ConfirmDiscard()) return false;
    char full[kPathBytes];  // also a copy: the path may be a file list entry the scan frees
    if (!full_path(path, full) || !LoadDocument(full)) return false;
    scan_folder(full);
    ReadAheadFrom(g_file_list.current, +1);
    // A picture opened from anywhere is shown, not the browser's old folder.
    if (g_frame.BrowseMode) leave_browser();
    else LayoutMainWindow();
    return true;
}

void OnOpenCommand() {
    char path[kPathBytes] = "";
    if (open_file_dialog(g_frame.window, path)) OpenFileInViewer(path);
}

void OnOpenFolderCommand() {
    if (!ConfirmDiscard()) return;
    char folder[kPathBytes];
    if (pick_folder(g_frame.window, tr(kTextPickFolderToBrowse), folder)) ShowFolderInBrowser(folder);
}
