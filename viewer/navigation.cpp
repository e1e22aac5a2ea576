#include "viewer/navigation.h"

#include <windows.h>
#include <shlobj.h>

#include <stdio.h>
#include <string.h>

#include "browser/browser.h"
#include "ui/file_list.h"
#include "ui/file_list_pure.h"
#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "res/resource.h"
#include "shell/settings.h"
#include "viewer/document.h"
#include "viewer/edit_commands.h"
#include "app/layout.h"
#include "viewer/viewer_state.h"

bool IsFolderPath(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

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
    // A picture opened from anywhere is shown, not the browser's old folder.
    if (g_viewer.BrowseMode) leave_browser();
    else LayoutMainWindow();
    return true;
}

GoResult GoToIndex(int index) {
    const FileList& list = g_file_list;
    int n = list.count;
    if (n == 0 || index < 0 || index >= n) return kGoNowhere;
    if (g_settings.ShowAllFiles && !file_list_is_image(&list, index)) {
        int found = -1;
        for (int i = index; i < n && found < 0; ++i)
            if (file_list_is_image(&list, i)) found = i;
        for (int i = index - 1; i >= 0 && found < 0; --i)
            if (file_list_is_image(&list, i)) found = i;
        if (found < 0) return kGoNowhere;
        index = found;
    }
    if (!ConfirmDiscard()) return kGoDeclined;
    char path[kPathBytes];
    snprintf(path, sizeof path, "%s", list.path[index]);
    if (!LoadDocument(path)) return kGoFailed;  // the list position stays: Next tries the same neighbour again
    g_file_list.current = index;
    LayoutMainWindow();
    return kGoShown;
}

int NextImageIndex(int from, int step) {
    const FileList& list = g_file_list;
    int n = list.count;
    if (n < 2) return -1;
    int p = from;
    int accepted = -1;
    for (int tries = 0; tries < n; ++tries) {
        p += step;
        while (p < 0) p += n;
        p %= n;
        if (!g_settings.ShowAllFiles || file_list_is_image(&list, p)) {
            accepted = p;
            break;
        }
    }
    return accepted == from ? -1 : accepted;
}

GoResult StepImage(int step) {
    int next = NextImageIndex(g_file_list.current, step);
    return next < 0 ? kGoNowhere : GoToIndex(next);
}

void OnOpenCommand(int) {
    char path[kPathBytes] = "";
    if (open_file_dialog(g_viewer.main_window, path)) OpenFileInViewer(path);
}

void OnOpenFolderCommand(int) {
    if (!ConfirmDiscard()) return;
    BROWSEINFOA info = {};
    info.hwndOwner = g_viewer.main_window;
    info.lpszTitle = tr(kTextPickFolderToBrowse);
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    modal_enter();
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    modal_leave();
    if (!item) return;
    char folder[kPathBytes];
    bool got = path_from_item_id(item, folder);
    CoTaskMemFree(item);
    if (got) ShowFolderInBrowser(folder);
}

void OnStepCommand(int id) {
    switch (id) {
    case IDM_GO_PREVIOUS: StepImage(-1); break;
    case IDM_GO_NEXT: StepImage(+1); break;
    case IDM_GO_FIRST: GoToIndex(0); break;
    case IDM_GO_LAST: GoToIndex(g_file_list.count - 1); break;
    }
}
