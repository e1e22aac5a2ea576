#include "viewer/playback.h"

#include "shell/settings.h"
#include "viewer/viewer_state.h"

namespace {

// Frames of 20 ms or less run at 100 ms, as browsers show them.
int frame_delay(int delay) { return delay <= 20 ? 100 : delay; }

}  // namespace

void StartAnimation() {
    ViewerState& v = g_viewer;
    if (v.document.count < 2 || !v.document.delays || g_settings.NoGifAnim || !v.main_window) return;
    v.animating = true;
    SetTimer(v.main_window, kTimerAnimation, frame_delay(v.document.delays[v.frame_index]), nullptr);
}

void StopAnimation() {
    if (!g_viewer.animating) return;
    if (g_viewer.main_window) KillTimer(g_viewer.main_window, kTimerAnimation);
    g_viewer.animating = false;
}

void ToggleFullScreen() {}
void EndFullScreen() {}
void StopSlideShow() {}
void OnSlideShowTimer() {}
void OnAnimationTimer() {}
