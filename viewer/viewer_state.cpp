#include "viewer/viewer_state.h"

ViewerState viewer_state_defaults() {
    ViewerState v = {};
    v.zoom.mode = kZoomShrinkToFit;
    v.zoom.scale = 1.0;
    return v;
}

ViewerState g_viewer = viewer_state_defaults();
