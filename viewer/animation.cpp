// Animated pictures and pages: timer 2 steps through the frames with the
// file's own delays; Space plays or stops; Previous and Next Page step by hand.
#include <windows.h>

#include "platform/modal.h"
#include "shell/settings.h"
#include "viewer/playback.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

const int kPageStepMs = 500;  // files without delays, played with Space

// Frames of 20 ms or less run at 100 ms, as browsers show them.
int frame_delay(int delay) { return delay <= 20 ? 100 : delay; }

int period_of(int frame) {
    const ImageSet& d = g_viewer.document;
    return d.delays ? frame_delay(d.delays[frame]) : kPageStepMs;
}

// The frame `step` places from `from` that is present (a decoder may leave a
// frame out), wrapping; `from` itself when no other is.
int present_frame(int from, int step) {
    const ImageSet& d = g_viewer.document;
    int n = d.count, at = from;
    for (int tries = 0; tries < n; ++tries) {
        at = ((at + step) % n + n) % n;
        if (d.frames[at]) return at;
    }
    return from;
}

void show_frame(int index) {
    ViewerState& v = g_viewer;
    v.frame_index = index;
    v.shown = v.document.frames[index];
}

}  // namespace

void StartAnimation() {
    ViewerState& v = g_viewer;
    if (v.document.count < 2 || !v.document.delays || g_settings.NoGifAnim || !g_frame.window) return;
    v.animating = true;
    SetTimer(g_frame.window, kTimerAnimation, period_of(v.frame_index), nullptr);
}

void StopAnimation() {
    if (!g_viewer.animating) return;
    if (g_frame.window) KillTimer(g_frame.window, kTimerAnimation);
    g_viewer.animating = false;
}

void AnimationStep() {
    ViewerState& v = g_viewer;
    if (v.document.count < 2 || modal_active()) return;
    show_frame(present_frame(v.frame_index, +1));
    if (v.document.delays) SetTimer(g_frame.window, kTimerAnimation, period_of(v.frame_index), nullptr);
    RECT view = GetViewRect();
    InvalidateRect(g_frame.window, &view, FALSE);
    UpdateStatusBar();
    frame_refresh_commands();
}

void PlayPause() {
    ViewerState& v = g_viewer;
    if (v.slideshow && g_settings.SlideAuto) {
        v.slideshow_paused = !v.slideshow_paused;
        if (v.slideshow_paused) KillTimer(g_frame.window, kTimerSlideShow);
        else SetTimer(g_frame.window, kTimerSlideShow, g_settings.SlideMs, nullptr);  // a full period from now
        InvalidateRect(g_frame.window, nullptr, FALSE);
        return;
    }
    if (v.document.count < 2) return;
    if (v.animating) {
        StopAnimation();
        return;
    }
    v.animating = true;
    SetTimer(g_frame.window, kTimerAnimation, period_of(v.frame_index), nullptr);
}

void StepPage(int step) {
    ViewerState& v = g_viewer;
    if (v.document.count < 2) return;
    StopAnimation();
    show_frame(present_frame(v.frame_index, step));
    frame_relayout();
}
