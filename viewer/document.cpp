#include "viewer/document.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "browser/browser.h"
#include "browser/file_list.h"
#include "core/decode_message.h"
#include "core/loader.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "res/resource.h"
#include "shell/recent.h"
#include "shell/settings.h"
#include "viewer/edit_commands.h"
#include "viewer/layout.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"

static bool is_directory(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void OpenPath(const char* path) {
    if (is_directory(path)) {
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

static void warn(const char* text) { show_message(g_viewer.main_window, text, tr(0), MB_OK | MB_ICONWARNING); }

int LoadDocument(const char* path) {
    unsigned char head[4] = {};
    FILE* f = fopen(path, "rb");
    if (!f) {
        warn(tr(24));  // "Cannot open file."
        return 0;
    }
    size_t got = fread(head, 1, sizeof head, f);
    (void)got;
    fclose(f);
    SetCursor(LoadCursor(nullptr, IDC_WAIT));

    char message[kMessageBytes] = "";
    ImageSet set = {};
    Image* single = load_image(path, message);
    if (single) {
        set.frames = (Image**)calloc(1, sizeof(Image*));
        if (set.frames) {
            set.frames[0] = single;
            set.count = 1;
        } else {
            image_free(single);
            set_message(message, kMsgNoMemory);
        }
    }
    if (!set.frames || set.count < 1 || !set.frames[0]) {
        image_set_free(&set);
        char text[1024];
        snprintf(text, sizeof text, tr(23), path, message);  // "Cannot open image:\n%s\n\n%s"
        warn(text);
        return 0;
    }

    CloseDocument();
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
    UpdateTitle();
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

void GoToIndex(int) {}
void StepImage(int) {}

void OnOpenCommand(int) {
    char path[260] = "";
    if (open_file_dialog(g_viewer.main_window, path)) OpenFileInViewer(path);
}

void OnOpenFolderCommand(int) {}

void OnStepCommand(int id) {
    switch (id) {
    case IDM_GO_PREVIOUS: StepImage(-1); break;
    case IDM_GO_NEXT: StepImage(+1); break;
    case IDM_GO_FIRST: GoToIndex(0); break;
    case IDM_GO_LAST: GoToIndex(g_viewer.FileList.count - 1); break;
    }
}
