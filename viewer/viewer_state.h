// The viewer's one global record: the open document and the edit, view, tool
// and full-screen state. The window and its mode are the frame's (ui/frame.h).
#pragma once
#include <windows.h>

#include "core/image.h"
#include "viewer/view_geometry_pure.h"

// The main window's timers.
enum TimerId {
    kTimerSlideShow = 1,  // the next slide every SlideMs
    kTimerAnimation = 2,  // the next frame after the shown frame's delay
};

struct ViewerState {
    char current_path[260];  // "" when nothing is open
    ImageSet document;       // every frame or page of the open file; delays for an animation
    int32_t frame_index;
    Image* shown;         // document.frames[frame_index]; none when nothing is open
    // Per frame: the picture as loaded or last saved, none once it is freed.
    // A frame is edited while it differs from its entry.
    Image** loaded_frames;
    bool loaded_from_file;  // loaded_frames are the file's own decode (a save re-encodes it)
    // The shown file's size and last-write time when it was loaded: another
    // program may rewrite it while it is shown.
    uint32_t loaded_size;
    uint64_t loaded_time;
    Image* undo_image;
    int32_t undo_frame;
    bool edited;  // some frame is edited and the user has not declined to save it

    ZoomState zoom;  // mode, fixed scale and scroll position
    int32_t scroll_max_x, scroll_max_y;

    bool panning;
    int32_t pan_mouse_x, pan_mouse_y, pan_scroll_x, pan_scroll_y;

    bool crop_mode, crop_dragging;
    int32_t crop_start_x, crop_start_y, crop_end_x, crop_end_y;

    bool animating;
    bool slideshow, slideshow_paused;
    LONG saved_style;  // full screen: the window's style and place before it
    RECT saved_rect;
    bool cursor_hidden;
};

extern ViewerState g_viewer;

// Zero but for the view's start: shrink to fit at scale 1.
ViewerState viewer_state_defaults();
