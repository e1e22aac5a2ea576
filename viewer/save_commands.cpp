#include "viewer/save_commands.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "core/formats.h"
#include "core/stb_adapter.h"
#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "shell/settings.h"
#include "viewer/edit_commands.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

// The folder chosen is not to become the program's current one: it would stay
// in use (and could not be removed) while Lumora runs.
const DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;

const char* file_part(const char* path) {
    const char* slash = strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

// Cuts text at its last dot, but never inside a folder name.
void cut_extension(char* text) {
    char* dot = strrchr(text, '.');
    if (dot && !strchr(dot, '\\')) *dot = 0;
}

void show(TextId text, UINT icon) { show_message(g_frame.window, tr(text), tr(kTextProduct), MB_OK | icon); }

// The system's Save dialog, starting where the picture came from. path
// comes in as the suggested name and goes out as the chosen one; false when
// cancelled.
bool ask_save_path(const char* filter, const char* title, DWORD flags, char* path) {
    char folder[kPathBytes];
    lstrcpynA(folder, g_viewer.current_path, sizeof folder);
    *(char*)file_part(folder) = 0;
    return save_file_dialog(g_frame.window, SaveQuestion{filter, "png", title, folder, flags}, path);
}

// Writes the shown frame; tells the user when it could not.
bool write_shown(const char* path, int format) {
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    bool saved = save_image(path, g_viewer.shown, format, g_settings.JpegQ);
    SetCursor(previous);
    if (!saved) show(kTextCouldNotSave, MB_ICONWARNING);
    return saved;
}

void mark_saved() {
    ViewerState& v = g_viewer;
    if (v.loaded_frames) v.loaded_frames[v.frame_index] = v.shown;
    v.loaded_from_file = false;  // a JPEG on disk now holds other pixels than the shown frame
    // Only the shown frame went to disk: an edit of another frame or page
    // is still unsaved and must still be asked about.
    RefreshEdited();
    UpdateTitle(v.current_path);
    UpdateStatusBar();  // Save As: the new name, type and size
}

// "<base>_NN.png" of frame i; false when it would not fit a path (the frame
// is then not written, never written under a cut name).
bool frame_file_name(const char* base, int i, char* name) {
    int length = snprintf(name, kPathBytes, "%s_%02d.png", base, i + 1);
    return length > 0 && length < kPathBytes;
}

// The first "<base>_NN.png" of the export that exists already, or "".
void first_existing_frame_file(const char* base, int count, char* found) {
    found[0] = 0;
    char name[kPathBytes];
    for (int i = 0; i < count && !found[0]; ++i)
        if (frame_file_name(base, i, name) && GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES)
            lstrcpynA(found, name, kPathBytes);
}

}  // namespace

bool SaveImage() {
    ViewerState& v = g_viewer;
    if (!v.shown) return false;
    int format = v.current_path[0] ? save_format_for_path(v.current_path) : 0;
    if (!format) return SaveImageAs();
    if (!write_shown(v.current_path, format)) return false;
    mark_saved();
    return true;
}

bool SaveImageAs() {
    ViewerState& v = g_viewer;
    if (!v.shown) return false;
    char path[kPathBytes];
    lstrcpynA(path, file_part(v.current_path), sizeof path);
    if (char* dot = strrchr(path, '.')) lstrcpynA(dot, ".png", (int)(sizeof path - (dot - path)));
    if (!ask_save_path("PNG\0*.png\0JPEG\0*.jpg\0Windows Bitmap\0*.bmp\0", nullptr, kSaveFlags, path)) return false;
    // The name decides the format, not the chosen filter; names Lumora
    // cannot write get PNG data.
    int format = save_format_for_path(path);
    if (!write_shown(path, format ? format : kSavePng)) return false;
    lstrcpynA(v.current_path, path, sizeof v.current_path);
    mark_saved();
    return true;
}

void ExportFrames() {
    ViewerState& v = g_viewer;
    const int count = v.document.frames ? v.document.count : 0;
    if (count < 2) {
        show(kTextOnlyOneFrame, MB_ICONINFORMATION);
        return;
    }
    char base[kPathBytes];
    lstrcpynA(base, file_part(v.current_path), sizeof base);
    cut_extension(base);
    char path[kPathBytes];
    snprintf(path, sizeof path, "%s.png", base);
    // The chosen name itself is never written, so no overwrite question for
    // it; the numbered files are asked about below.
    if (!ask_save_path("PNG\0*.png\0", tr(kTextExportFramesTitle), kSaveFlags & ~OFN_OVERWRITEPROMPT, path)) return;
    lstrcpynA(base, path, sizeof base);
    cut_extension(base);
    char existing[kPathBytes];
    first_existing_frame_file(base, count, existing);
    if (existing[0]) {
        char text[1024];
        snprintf(text, sizeof text, tr(kTextReplaceExportedFrames), existing);
        if (show_message(g_frame.window, text, tr(kTextProduct), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    }
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    int written = 0;
    for (int i = 0; i < count; ++i) {
        if (!v.document.frames[i]) continue;
        char name[kPathBytes];
        if (frame_file_name(base, i, name) && save_image(name, v.document.frames[i], kSavePng, 0)) ++written;
    }
    SetCursor(previous);
    char text[256];
    snprintf(text, sizeof text, tr(kTextFramesExported), written);
    show_message(g_frame.window, text, tr(kTextProduct), MB_OK | MB_ICONINFORMATION);
}
