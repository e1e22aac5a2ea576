// The viewer's status bar texts and the window title.
#include <windows.h>
#include <commctrl.h>

#include "platform/bridge.h"
#include "platform/text.h"
#include "browser/file_list.h"
#include "viewer/status_text_pure.h"
#include "viewer/view.h"
#include "viewer/view_geometry_pure.h"
#include "viewer/viewer_state.h"

namespace {


// File names are in the ANSI code page, not the texts' code page: they go to
// the status bar unconverted.
void set_part_ansi(int part, const char* text) {
    SendMessageA(g_viewer.status_bar, SB_SETTEXTA, (WPARAM)part, (LPARAM)text);
}

// Size in bytes of the shown file: from the folder list when its current
// entry is that file, else from the file system. False when it is not found.
bool shown_file_size(uint64_t* bytes) {
    const ViewerState& v = g_viewer;
    const FileList& list = g_file_list;
    if (list.path && list.size && list.current >= 0 && list.current < list.count && list.path[list.current] &&
        lstrcmpiA(list.path[list.current], v.current_path) == 0) {
        *bytes = list.size[list.current];
        return true;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!v.current_path[0] || !GetFileAttributesExA(v.current_path, GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    *bytes = ((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    return true;
}

}  // namespace

const char* FileTypeName(const char* path) {
    int id = FileTypeTextId(path);
    return id < 0 ? "" : tr((TextId)id);
}

void UpdateStatusBar() {
    const ViewerState& v = g_viewer;
    if (!v.status_bar || v.fullscreen || v.BrowseMode) return;
    if (!v.shown) {
        set_status_text(v.status_bar, 0, tr(kTextOpenHint));
        for (int part = 1; part <= 4; ++part) set_part_ansi(part, "");
        return;
    }
    char text[600];
    const char* word = tr(v.document.delays ? kTextWordFrame : kTextWordPage);
    FormatStatusName(text, sizeof text, v.current_path, g_file_list.current, g_file_list.count, v.frame_index,
                     v.document.count, word);
    set_part_ansi(0, text);
    set_status_text(v.status_bar, 1, FileTypeName(v.current_path));
    uint64_t bytes = 0;
    if (shown_file_size(&bytes))
        FormatKilobytes(text, sizeof text, bytes);
    else
        text[0] = 0;
    set_part_ansi(2, text);
    FormatDimensions(text, sizeof text, v.shown->width, v.shown->height);
    set_part_ansi(3, text);
    FormatPercent(text, sizeof text, ScalePercent(GetEffectiveScale()));
    set_part_ansi(4, text);
}

void UpdateTitle(const char* path) {
    if (!g_viewer.main_window) return;
    char title[600];
    FormatTitle(title, sizeof title, path, g_viewer.edited, tr(kTextEditedTitle), tr(kTextProduct));
    SetWindowTextA(g_viewer.main_window, title);
}

