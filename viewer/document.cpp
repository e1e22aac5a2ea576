#include "viewer/document.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include "core/decode_message.h"
#include "core/exif.h"
#include "core/loader.h"
#include "core/stb_adapter.h"
#include "core/transform.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "shell/recent.h"
#include "shell/settings.h"
#include "viewer/playback.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"

namespace {

enum LoadOutcome { kLoaded, kCannotOpen, kNotAPicture };

// The loaders that give every frame or page of a file, chosen by its first
// four bytes; a file none of them takes goes to load_image.
typedef Image** (*FrameLoader)(const char* path, int32_t** delays, int32_t* count, char* message);

struct FrameLoaderRow {
    bool (*matches)(const unsigned char head[4]);
    FrameLoader load;  // null while the format has no page loader
};

bool is_gif(const unsigned char h[4]) { return h[0] == 'G' && h[1] == 'I' && h[2] == 'F'; }
bool is_tiff(const unsigned char h[4]) {
    return (h[0] == 'I' && h[1] == 'I' && h[2] == 0x2A) || (h[0] == 'M' && h[1] == 'M' && h[3] == 0x2A);
}
bool is_dcx(const unsigned char h[4]) { return h[0] == 0xB1 && h[1] == 0x68 && h[2] == 0xDE && h[3] == 0x3A; }

const FrameLoaderRow kFrameLoaders[] = {
    {is_gif, load_gif_frames},
    {is_tiff, nullptr},
    {is_dcx, nullptr},
};

Image* apply_step(const Image* frame, ExifStep step) {
    switch (step) {
    case kExifStepMirror: return image_mirror(frame);
    case kExifStepFlip: return image_flip(frame);
    case kExifStepRotateCw: return image_rotate90(frame, 1);
    case kExifStepRotateCcw: return image_rotate90(frame, 0);
    case kExifStepRotate180: {
        Image* half = image_rotate90(frame, 1);
        Image* result = image_rotate90(half, 1);
        image_free(half);
        return result;
    }
    default: return nullptr;
    }
}

Image* upright(const Image* frame, int orientation) {
    ExifUpright steps = exif_upright_steps(orientation);
    Image* first = apply_step(frame, steps.first);
    if (!first || steps.second == kExifStepNone) return first;
    Image* second = apply_step(first, steps.second);
    image_free(first);
    return second;
}

// Every frame of the file, a JPEG photo turned upright.
LoadOutcome load_frames(const char* path, ImageSet* set, char* message) {
    unsigned char head[4] = {};
    FILE* f = fopen(path, "rb");
    if (!f) return kCannotOpen;
    size_t got = fread(head, 1, sizeof head, f);
    (void)got;
    fclose(f);
    for (const FrameLoaderRow& row : kFrameLoaders) {
        if (!row.matches(head)) continue;
        if (row.load) set->frames = row.load(path, &set->delays, &set->count, message);
        break;
    }
    if (!set->frames || set->count < 1) {
        image_set_free(set);
        Image* single = load_image(path, message);
        if (single) {
            set->frames = (Image**)calloc(1, sizeof(Image*));
            if (set->frames) {
                set->frames[0] = single;
                set->count = 1;
            } else {
                image_free(single);
                set_message(message, kMsgNoMemory);
            }
        }
    }
    if (!set->frames || set->count < 1 || !set->frames[0]) {
        image_set_free(set);
        return kNotAPicture;
    }
    if (set->count == 1 && head[0] == 0xFF && head[1] == 0xD8) {
        int orientation = 1;
        read_exif(path, &orientation, nullptr, 0, nullptr, 0, nullptr, 0);
        if (Image* turned = upright(set->frames[0], orientation)) {
            image_free(set->frames[0]);
            set->frames[0] = turned;
        }
    }
    return kLoaded;
}

void warn(const char* text) { show_message(g_viewer.main_window, text, tr(kTextProduct), MB_OK | MB_ICONWARNING); }

// Makes set the open document, shown from its first frame at the zoom of
// DefaultFit. The viewer owns the set from here.
void install_document(const ImageSet& set, const char* path) {
    CloseDocument();
    ViewerState& v = g_viewer;
    v.document = set;
    v.frame_index = 0;
    v.shown = v.loaded_image = set.frames[0];
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
    LoadOutcome outcome = load_frames(path, &set, message);
    SetCursor(previous);
    if (outcome == kCannotOpen) {
        warn(tr(kTextCannotOpenFile));
        return false;
    }
    if (outcome != kLoaded) {
        char text[1024];
        snprintf(text, sizeof text, tr(kTextCannotOpenImage), path, message);
        warn(text);
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
