// The viewer's status bar texts and the window title.
#include <windows.h>
#include <commctrl.h>

#include "platform/bridge.h"
#include "platform/text.h"
#include "ui/file_list.h"
#include "core/formats.h"
#include "viewer/status_text_pure.h"
#include "viewer/view.h"
#include "viewer/view_geometry_pure.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {


// File names are in the ANSI code page, not the texts' code page: they go to
// the status bar unconverted.
void set_part_ansi(int part, const char* text) {
    SendMessageA(g_frame.status_bar, SB_SETTEXTA, (WPARAM)part, (LPARAM)text);
}

// Whether the folder list's current entry is the shown file (after Save As
// under a new name it is not).
bool listed_as_current() {
    const FileList& list = g_file_list;
    return list.path && list.size && list.current >= 0 && list.current < list.count && list.path[list.current] &&
           lstrcmpiA(list.path[list.current], g_viewer.current_path) == 0;
}

// Size in bytes of the shown file: from the folder list when its current
// entry is that file, else from the file system. False when it is not found.
bool shown_file_size(uint64_t* bytes) {
    if (listed_as_current()) {
        *bytes = g_file_list.size[g_file_list.current];
        return true;
    }
    uint64_t modified;
    return file_stamp(g_viewer.current_path, bytes, &modified);
}

}  // namespace

const char* FileTypeName(const char* path) {
    int id = file_type_text(path);
    return id < 0 ? "" : tr((TextId)id);
}

void UpdateStatusBar() {
    const ViewerState& v = g_viewer;
    if (!g_frame.status_bar || g_frame.fullscreen || g_frame.BrowseMode) return;
    if (!v.shown) {
        set_status_text(g_frame.status_bar, 0, tr(kTextOpenHint));
        for (int part = 1; part <= 4; ++part) set_part_ansi(part, "");
        return;
    }
    char text[600];
    const char* word = tr(v.document.delays ? kTextWordFrame : kTextWordPage);
    // A position in the list only for a file that is in it.
    const bool listed = listed_as_current();
    FormatStatusName(text, sizeof text, v.current_path, g_file_list.current, listed ? g_file_list.count : 0,
                     v.frame_index, v.document.count, word);
    set_part_ansi(0, text);
    set_status_text(g_frame.status_bar, 1, FileTypeName(v.current_path));
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
    if (!g_frame.window) return;
    char title[600];
    FormatTitle(title, sizeof title, path, g_viewer.edited, tr(kTextEditedTitle), tr(kTextProduct));
    SetWindowTextA(g_frame.window, title);
}

