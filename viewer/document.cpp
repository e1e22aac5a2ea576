#include "viewer/document.h"

#include <windows.h>

#include <stdio.h>

#include "core/decode_message.h"
#include "core/load_set.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "shell/recent.h"
#include "shell/settings.h"
#include "viewer/playback.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"

namespace {

void warn(const char* text) { show_message(g_viewer.main_window, text, tr(kTextProduct), MB_OK | MB_ICONWARNING); }

// Tells the user why a file did not open.
void report_failure(LoadSetResult result, const char* path, const char* message) {
    if (result == kLoadSetCannotOpen) {
        warn(tr(kTextCannotOpenFile));
        return;
    }
    char text[1024];
    snprintf(text, sizeof text, tr(kTextCannotOpenImage), path, message);
    warn(text);
}

// Makes set the open document, shown from its first frame at the zoom of
// DefaultFit. The viewer owns the set from here.
void install_document(const ImageSet& set, const char* path) {
    CloseDocument();
    ViewerState& v = g_viewer;
    v.document = set;
    v.frame_index = 0;
    v.shown = v.loaded_image = set.frames[0];
    v.loaded_from_file = true;
    snprintf(v.current_path, sizeof v.current_path, "%s", path);
    v.zoom = ZoomState{g_settings.DefaultFit, 1.0, 0, 0};
    v.crop_mode = v.crop_dragging = false;
    v.edited = false;
}

}  // namespace

bool LoadDocument(const char* path) {
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    char message[kMessageBytes] = "";
    ImageSet set = {};
    LoadSetResult result = load_image_set(path, &set, message);
    SetCursor(previous);
    if (result != kLoadSetOk) {
        report_failure(result, path, message);
        return false;
    }
    install_document(set, path);  // only now: a failed open leaves the old picture on screen
    UpdateTitle(path);
    StartAnimation();
    AddRecentFile(path);
    return true;
}

void CloseDocument() {
    StopAnimation();
    image_set_free(&g_viewer.document);
    image_free(g_viewer.undo_image);
    g_viewer.undo_image = nullptr;
    g_viewer.loaded_image = nullptr;
    g_viewer.shown = nullptr;
    g_viewer.frame_index = 0;
    DropScaledCache();
}
