#include "viewer/viewer_state.h"

// Zero at start but for the two values the view begins with.
ViewerState g_viewer = [] {
    ViewerState v = {};
    v.zoom_mode = 2;
    v.zoom_scale = 1.0;
    return v;
}();
