#include "viewer/shown_file_commands.h"

#include <windows.h>
#include <shellapi.h>

#include <stdio.h>
#include <string.h>

#include "ui/file_list.h"
#include "core/stb_adapter.h"
#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "shell/editor_launch.h"
#include "shell/settings.h"
#include "viewer/document.h"
#include "viewer/edit_commands.h"
#include "viewer/navigation.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

const char kEditFileName[] = "lumora_edit.bmp";

// The editor takes over: nothing is left to ask about, and the viewer goes.
void leave_to_editor() {
    g_viewer.edited = false;
    PostMessageA(g_frame.window, WM_CLOSE, 0, 0);
}

// Writes the shown frame to the temporary folder and opens the paint program on it.
bool edit_temporary_copy() {
    char path[kPathBytes];
    DWORD length = GetTempPathA(sizeof path, path);
    if (length == 0 || length >= 240) return false;
    if (path[length - 1] != '\\') lstrcatA(path, "\\");
    lstrcatA(path, kEditFileName);
    if (!save_image(path, g_viewer.shown, kSaveBmp, 0)) return false;
    return run_paint_program(g_frame.window, path);
}

// Closes the picture that was the last one of its folder.
void show_nothing() {
    char folder[kPathBytes];
    lstrcpynA(folder, g_viewer.current_path, sizeof folder);
    CloseDocument();
    g_viewer.current_path[0] = 0;
    scan_folder(folder);  // the list loses the file that is gone
    UpdateTitle(nullptr);
    frame_relayout();
}

}  // namespace

void CopyToClipboard() {
    const Image* image = g_viewer.shown;
    if (!image) return;
    BitmapInfoHeader header;
    image_fill_bitmap_header(image, &header);
    // The header's size field is 32-bit unsigned; pictures of up to 30000
    // pixels a side fit it, larger blocks would not be described right.
    const uint64_t bytes = (uint64_t)sizeof header + header.biSizeImage;
    if (bytes > 0xFFFFFFFFu) return;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)bytes);
    if (!block) return;
    uint8_t* data = (uint8_t*)GlobalLock(block);
    if (!data) {
        GlobalFree(block);
        return;
    }
    memcpy(data, &header, sizeof header);
    memcpy(data + sizeof header, image->pixels, header.biSizeImage);
    GlobalUnlock(block);
    if (!OpenClipboard(g_frame.window)) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    // The clipboard owns the block only once it has taken it.
    if (!SetClipboardData(CF_DIB, block)) GlobalFree(block);
    CloseClipboard();
}

void DeleteShownFile() {
    ViewerState& v = g_viewer;
    if (!v.current_path[0]) return;
    if (g_settings.ConfirmDel) {
        char text[kPathBytes + 256];
        snprintf(text, sizeof text, tr(kTextAskRecycle), v.current_path);
        if (show_message(g_frame.window, text, tr(kTextDeleteTitle), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    }
    char deleted[kPathBytes];
    lstrcpynA(deleted, v.current_path, sizeof deleted);
    char from[kPathBytes + 1] = {};  // a list of one name, ended by a second zero
    lstrcpynA(from, deleted, kPathBytes);
    SHFILEOPSTRUCTA op = {};
    op.hwnd = g_frame.window;
    op.wFunc = FO_DELETE;
    op.pFrom = from;
    // The question asked was about the Recycle Bin: where the file cannot go
    // there (no bin on the volume, too large) the shell must ask again
    // rather than delete it for good.
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING;
    modal_enter();  // the shell may show progress or a question
    int failed = SHFileOperationA(&op);
    modal_leave();
    if (failed || op.fAnyOperationsAborted) return;
    if (GetFileAttributesA(deleted) != INVALID_FILE_ATTRIBUTES) return;  // still there: not deleted
    v.edited = false;
    if (g_settings.ExitAfterDel) {
        PostMessageA(g_frame.window, WM_CLOSE, 0, 0);
        return;
    }
    StepImage(+1);
    if (lstrcmpiA(v.current_path, deleted) != 0) {
        scan_folder(v.current_path);
        frame_relayout();  // the position and the stepping buttons count without the deleted file
    } else {
        show_nothing();
    }
}

void EditInPaint() {
    ViewerState& v = g_viewer;
    if (!v.current_path[0] && !v.shown) return;
    if (!ConfirmDiscard()) return;
    if (v.current_path[0] && run_edit_verb(g_frame.window, v.current_path)) {
        leave_to_editor();
        return;
    }
    if (v.shown && edit_temporary_copy()) {
        leave_to_editor();
        return;
    }
    show_message(g_frame.window, tr(kTextCouldNotOpenEditor), tr(kTextProduct), MB_OK | MB_ICONWARNING);
}
