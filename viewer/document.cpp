#include "viewer/document.h"

#include <windows.h>
#include <shlobj.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "browser/browser.h"
#include "browser/file_list.h"
#include "browser/file_list_pure.h"
#include "core/decode_message.h"
#include "core/load_set.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "res/resource.h"
#include "shell/recent.h"
#include "shell/settings.h"
#include "viewer/edit_commands.h"
#include "viewer/layout.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"

bool IsFolderPath(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void OpenPath(const char* path) {
    if (IsFolderPath(path)) {
        if (!ConfirmDiscard()) return;
        char folder[260];
        snprintf(folder, sizeof folder, "%s", path);
        size_t n = strlen(folder);
        if (n > 0 && folder[n - 1] != '\\' && n + 1 < sizeof folder) strcat(folder, "\\");
        if (strlen(folder) + 1 < sizeof folder) strcat(folder, "*");
        scan_folder(folder);
        enter_browser();
        return;
    }
    OpenFileInViewer(path);
}

int OpenFileInViewer(const char* path) {
    if (!ConfirmDiscard()) return 0;
    char copy[260];
    snprintf(copy, sizeof copy, "%s", path);  // the path may be a FileList entry a scan frees
    if (!LoadDocument(copy)) return 0;
    scan_folder(copy);
    LayoutMainWindow();
    return 1;
}

static void warn(const char* text) { show_message(g_viewer.main_window, text, tr(kTextProduct), MB_OK | MB_ICONWARNING); }

int LoadDocument(const char* path) {
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    char message[kMessageBytes] = "";
    ImageSet set = {};
    switch (load_image_set(path, &set, message)) {
    case kLoadSetCannotOpen:
        warn(tr(kTextCannotOpenFile));
        return 0;
    case kLoadSetFailed: {
        char text[1024];
        snprintf(text, sizeof text, tr(kTextCannotOpenImage), path, message);
        warn(text);
        return 0;
    }
    case kLoadSetOk:
        break;
    }

    CloseDocument();  // only now: a failed open leaves the old picture on screen
    g_viewer.frames = set.frames;
    g_viewer.frame_delays = set.delays;
    g_viewer.frame_count = set.count;
    g_viewer.frame_index = 0;
    g_viewer.shown = set.frames[0];
    snprintf(g_viewer.current_path, sizeof g_viewer.current_path, "%s", path);
    g_viewer.zoom_scale = 1.0;
    g_viewer.zoom_mode = g_settings.DefaultFit;
    g_viewer.scroll_x = g_viewer.scroll_y = 0;
    g_viewer.crop_mode = g_viewer.crop_dragging = false;
    g_viewer.loaded_image = g_viewer.shown;
    g_viewer.edited = false;
    UpdateTitle(path);

    if (set.count >= 2 && set.delays && !g_settings.NoGifAnim && g_viewer.main_window) {
        int delay = set.delays[0] <= 20 ? 100 : set.delays[0];
        g_viewer.animating = true;
        SetTimer(g_viewer.main_window, 2, delay, nullptr);
    }
    AddRecentFile(path);
    return 1;
}

void CloseDocument() {
    if (g_viewer.animating) {
        if (g_viewer.main_window) KillTimer(g_viewer.main_window, 2);
        g_viewer.animating = false;
    }
    ImageSet set = {g_viewer.frames, g_viewer.frame_count, g_viewer.frame_delays};
    image_set_free(&set);
    image_free(g_viewer.undo_image);
    g_viewer.undo_image = nullptr;
    g_viewer.loaded_image = nullptr;
    g_viewer.frames = nullptr;
    g_viewer.frame_delays = nullptr;
    g_viewer.shown = nullptr;
    g_viewer.frame_count = 0;
    g_viewer.frame_index = 0;
    DropScaledCache();
}

void GoToIndex(int index) {
    const FileList& list = g_viewer.FileList;
    int n = list.count;
    if (n == 0 || index < 0 || index >= n) return;
    if (g_settings.ShowAllFiles && !file_list_is_image(&list, index)) {
        int found = -1;
        for (int i = index; i < n && found < 0; ++i)
            if (file_list_is_image(&list, i)) found = i;
        for (int i = index - 1; i >= 0 && found < 0; --i)
            if (file_list_is_image(&list, i)) found = i;
        if (found < 0) return;
        index = found;
    }
    if (!ConfirmDiscard()) return;
    char path[260];
    snprintf(path, sizeof path, "%s", list.path[index]);
    if (!LoadDocument(path)) return;  // the list position stays: Next tries the same neighbour again
    g_viewer.FileList.current = index;
    LayoutMainWindow();
}

void StepImage(int step) {
    const FileList& list = g_viewer.FileList;
    int n = list.count;
    if (n < 2) return;
    int p = list.current;
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
    if (accepted < 0 || accepted == list.current) return;
    GoToIndex(accepted);
}

void OnOpenCommand(int) {
    char path[260] = "";
    if (open_file_dialog(g_viewer.main_window, path)) OpenFileInViewer(path);
}

void OnOpenFolderCommand(int) {
    if (!ConfirmDiscard()) return;
    BROWSEINFOA info = {};
    info.hwndOwner = g_viewer.main_window;
    info.lpszTitle = tr(kTextPickFolderToBrowse);
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (!item) return;
    char folder[260];
    bool got = path_from_item_id(item, folder);
    CoTaskMemFree(item);
    if (!got) return;
    size_t n = strlen(folder);
    if (n > 0 && folder[n - 1] != '\\' && n + 1 < sizeof folder) strcat(folder, "\\");
    if (strlen(folder) + 1 < sizeof folder) strcat(folder, "*");
    scan_folder(folder);
    enter_browser();
}

void OnStepCommand(int id) {
    switch (id) {
    case IDM_GO_PREVIOUS: StepImage(-1); break;
    case IDM_GO_NEXT: StepImage(+1); break;
    case IDM_GO_FIRST: GoToIndex(0); break;
    case IDM_GO_LAST: GoToIndex(g_viewer.FileList.count - 1); break;
    }
}
