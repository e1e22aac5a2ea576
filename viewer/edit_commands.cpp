#include "viewer/edit_commands.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "core/transform.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "res/resource.h"
#include "viewer/playback.h"
#include "viewer/save_commands.h"
#include "viewer/view.h"
#include "viewer/view_geometry_pure.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

// The frame slot the shown picture lives in.
Image** shown_slot() {
    ViewerState& v = g_viewer;
    if (!v.document.frames || v.frame_index < 0 || v.frame_index >= v.document.count) return nullptr;
    return &v.document.frames[v.frame_index];
}

void refresh_title() {
    if (g_viewer.current_path[0]) UpdateTitle(g_viewer.current_path);
}

}  // namespace

void RefreshEdited() {
    ViewerState& v = g_viewer;
    v.edited = false;
    for (int i = 0; i < v.document.count && v.loaded_frames; ++i)
        if (v.document.frames[i] != v.loaded_frames[i]) v.edited = true;
}

void ApplyEdit(Image* new_image) {
    ViewerState& v = g_viewer;
    Image** slot = shown_slot();
    if (!new_image || !slot || !*slot) {
        image_free(new_image);
        return;
    }
    if (v.undo_image) {
        // That frame's picture as on disk can no longer be reached by Undo.
        if (v.loaded_frames && v.loaded_frames[v.undo_frame] == v.undo_image) v.loaded_frames[v.undo_frame] = nullptr;
        image_free(v.undo_image);
    }
    v.undo_image = *slot;
    v.undo_frame = v.frame_index;
    *slot = v.shown = new_image;
    RefreshEdited();
    DropScaledCache();
    refresh_title();
}

void UndoEdit() {
    ViewerState& v = g_viewer;
    Image** slot = shown_slot();
    if (!v.undo_image || !slot || v.undo_frame != v.frame_index) return;
    if (v.animating) StopAnimation();
    Image* undone = *slot;
    *slot = v.shown = v.undo_image;
    v.undo_image = undone;
    RefreshEdited();
    DropScaledCache();
    frame_relayout();
    refresh_title();
}

namespace {

Image* rotate_clockwise(const Image* image) { return image_rotate90(image, 1); }
Image* rotate_counterclockwise(const Image* image) { return image_rotate90(image, 0); }

struct TransformRow {
    int id;
    Image* (*transform)(const Image*);
};

const TransformRow kTransforms[] = {
    {IDM_IMAGE_ROTATE_CLOCKWISE, rotate_clockwise},
    {IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, rotate_counterclockwise},
    {IDM_IMAGE_FLIP_HORIZONTAL, image_mirror},
    {IDM_IMAGE_FLIP_VERTICAL, image_flip},
    {IDM_IMAGE_GRAYSCALE, image_grayscale},
};

}  // namespace

void TransformCommand(int id) {
    if (!g_viewer.shown) return;
    for (const TransformRow& row : kTransforms) {
        if (row.id != id) continue;
        // A transform that cannot allocate leaves the picture as it was.
        if (Image* edited = row.transform(g_viewer.shown)) {
            ApplyEdit(edited);
            frame_relayout();
        }
        return;
    }
}

void EndCropMode() {
    ViewerState& v = g_viewer;
    bool dragging = v.crop_dragging;
    v.crop_mode = v.crop_dragging = false;
    // The window would go on taking the clicks meant for the toolbar and the
    // scroll bars.
    if (dragging && GetCapture() == g_frame.window) ReleaseCapture();
}

void ToggleCropMode() {
    ViewerState& v = g_viewer;
    if (!v.shown || g_frame.BrowseMode) return;
    bool on = !v.crop_mode;
    EndCropMode();
    v.crop_mode = on;
    if (v.crop_mode) set_status_text(g_frame.status_bar, 0, tr(kTextCropHint));
    else UpdateStatusBar();
    frame_refresh_commands();
    InvalidateRect(g_frame.window, nullptr, FALSE);
}

void CancelCrop() {
    ViewerState& v = g_viewer;
    if (!v.crop_mode && !v.crop_dragging) return;
    EndCropMode();
    UpdateStatusBar();
    frame_refresh_commands();
    InvalidateRect(g_frame.window, nullptr, FALSE);
}

void FinishCrop() {
    ViewerState& v = g_viewer;
    EndCropMode();
    if (v.shown) {
        POINT origin = GetPictureOrigin();
        int dw, dh;
        GetDisplaySize(&dw, &dh);
        const int w = v.shown->width, h = v.shown->height;
        int x0 = PictureCoordinate(v.crop_start_x - origin.x, dw, w);
        int x1 = PictureCoordinate(v.crop_end_x - origin.x, dw, w);
        int y0 = PictureCoordinate(v.crop_start_y - origin.y, dh, h);
        int y1 = PictureCoordinate(v.crop_end_y - origin.y, dh, h);
        int left = x0 < x1 ? x0 : x1, top = y0 < y1 ? y0 : y1;
        int cw = (x0 < x1 ? x1 : x0) - left, ch = (y0 < y1 ? y1 : y0) - top;
        if (cw >= 2 && ch >= 2) {
            if (Image* cropped = image_crop(v.shown, left, top, cw, ch)) {
                ApplyEdit(cropped);
                v.zoom.mode = kZoomShrinkToFit;
                v.zoom.scroll_x = v.zoom.scroll_y = 0;
            }
        }
    }
    frame_relayout();
}

bool ConfirmDiscard() {
    ViewerState& v = g_viewer;
    if (!v.edited || !v.shown) return true;
    char name[260];
    const char* slash = strrchr(v.current_path, '\\');
    lstrcpynA(name, !v.current_path[0] ? "image" : slash ? slash + 1 : v.current_path, sizeof name);
    if (char* dot = strrchr(name, '.')) *dot = 0;
    char text[512];
    snprintf(text, sizeof text, tr(kTextAskSaveChanges), name);
    switch (show_message(g_frame.window, text, tr(kTextProduct), MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: return SaveImageAs();
    case IDNO: v.edited = false; return true;
    default: return false;
    }
}
