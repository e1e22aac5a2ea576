#include "viewer/document.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/decode_message.h"
#include "core/load_set.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "shell/recent.h"
#include "shell/settings.h"
#include "viewer/edit_commands.h"
#include "viewer/playback.h"
#include "viewer/read_ahead.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

void warn(const char* text) { show_message(g_frame.window, text, tr(kTextProduct), MB_OK | MB_ICONWARNING); }

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
// DefaultFit. The viewer owns the set from here. A step hands the old
// pictures to the read-ahead's worker to free: giving back a photo's
// memory costs a step several milliseconds.
bool install_document(const ImageSet& set, const char* path, uint64_t size, uint64_t time, bool step) {
    Image** loaded = (Image**)calloc((size_t)set.count, sizeof(Image*));
    if (!loaded) return false;
    memcpy(loaded, set.frames, (size_t)set.count * sizeof(Image*));
    if (step) {
        RetireFrames(g_viewer.document);
        g_viewer.document = ImageSet{};
    }
    CloseDocument();
    ViewerState& v = g_viewer;
    v.document = set;
    v.frame_index = 0;
    v.shown = set.frames[0];
    v.loaded_frames = loaded;
    v.loaded_from_file = true;
    v.loaded_size = (uint32_t)size;
    v.loaded_time = time;
    snprintf(v.current_path, sizeof v.current_path, "%s", path);
    v.zoom = ZoomState{g_settings.DefaultFit, 1.0, 0, 0};
    EndCropMode();
    v.edited = false;
    return true;
}

}  // namespace

bool LoadDocument(const char* path, int step) {
    char message[kMessageBytes] = "";
    ImageSet set = {};
    uint64_t size = 0, time = 0;
    LoadSetResult result = kLoadSetOk;
    ReadAheadPicture ahead = {};
    if (step && TakeReadAhead(path, step, &ahead)) {
        set = ahead.set;
        size = ahead.size;
        time = ahead.time;
    } else {
        HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        // Read before the decode: a file rewritten meanwhile then looks changed.
        if (!file_stamp(path, &size, &time)) size = time = 0;
        result = load_image_set(path, &set, message);
        SetCursor(previous);
    }
    if (result == kLoadSetOk && !install_document(set, path, size, time, step != 0)) {
        image_set_free(&set);
        result = kLoadSetFailed;
        set_message(message, kMsgNoMemory);
    }
    if (result != kLoadSetOk) {
        if (ahead.scaled) DeleteObject(ahead.scaled);
        report_failure(result, path, message);
        return false;
    }
    // The read-ahead's stretch serves the first paint when the view is as it was.
    if (ahead.scaled) AdoptScaledCache(g_viewer.shown, ahead.scaled, ahead.scaled_w, ahead.scaled_h);
    // Only now is the old document gone: a failed open leaves it on screen.
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
    free(g_viewer.loaded_frames);
    g_viewer.loaded_frames = nullptr;
    g_viewer.shown = nullptr;
    g_viewer.frame_index = 0;
    DropScaledCache();
}

const Image* PictureAsOnDisk(const char* path, uint32_t size, uint64_t modified) {
    const ViewerState& v = g_viewer;
    if (!v.loaded_frames || !v.loaded_from_file || v.undo_image || !v.document.frames || v.document.count < 1)
        return nullptr;
    if (v.document.frames[0] != v.loaded_frames[0] || lstrcmpiA(v.current_path, path) != 0) return nullptr;
    if (v.loaded_size != size || v.loaded_time != modified) return nullptr;
    return v.loaded_frames[0];
}

void ForgetPictureAsOnDisk() { g_viewer.loaded_from_file = false; }

void FollowRenamedFile(const char* old_path, const char* new_path) {
    if (lstrcmpiA(g_viewer.current_path, old_path) == 0)
        lstrcpynA(g_viewer.current_path, new_path, sizeof g_viewer.current_path);
}
