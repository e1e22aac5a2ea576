// The viewer's Resize command: the shown frame resized as an edit.
#include "core/resize_rules.h"
#include "core/transform.h"
#include "ui/frame.h"
#include "ui/resize_dialog.h"
#include "viewer/edit_commands.h"
#include "viewer/edit_dialogs.h"
#include "viewer/playback.h"
#include "viewer/viewer_state.h"

void ResizeCommand(int) {
    ViewerState& v = g_viewer;
    if (!v.shown) return;
    StopAnimation();
    ResizeAnswer answer = {0, 0, 0};
    if (!AskResizeSize(g_frame.window, v.shown->width, v.shown->height, &answer)) return;
    if (!v.shown) return;  // closed while the dialog was open
    int width = answer.width, height = answer.height;
    if (answer.percent) size_from_percent(answer.percent, v.shown->width, v.shown->height, &width, &height);
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    Image* resized = image_resize(v.shown, width, height);
    SetCursor(previous);
    // A size the picture cannot take (above its limit, or memory short)
    // leaves it as it was, without a message.
    if (!resized) return;
    ApplyEdit(resized);
    v.zoom.mode = kZoomShrinkToFit;
    v.zoom.scroll_x = v.zoom.scroll_y = 0;
    frame_relayout();
}
