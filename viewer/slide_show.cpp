// The slide show: timer 1 steps through the pictures of the folder, in full
// screen, forward, backward or at random, once or round and round.
#include <windows.h>

#include <stdlib.h>

#include "browser/file_list.h"
#include "platform/modal.h"
#include "shell/settings.h"
#include "viewer/navigation.h"
#include "viewer/playback.h"
#include "viewer/viewer_state.h"

namespace {

// The list index the show goes to after `from`; -1 at the end of a show
// that does not loop.
int next_slide(int from) {
    const int n = g_file_list.count;
    if (g_settings.SlideRandom) {
        int r;
        do r = rand() % n;
        while (r == from);
        return r;
    }
    const int direction = g_settings.SlideReverse ? -1 : +1;
    const bool at_end = direction > 0 ? from >= n - 1 : from <= 0;
    if (at_end && !g_settings.SlideLoop) return -1;
    return NextImageIndex(from, direction);
}

}  // namespace

void ToggleSlideShow() {
    ViewerState& v = g_viewer;
    if (v.slideshow) {
        StopSlideShow();
        return;
    }
    if (!v.shown) return;
    v.slideshow = true;
    v.slideshow_paused = false;
    srand(GetTickCount());
    if (!v.fullscreen) ToggleFullScreen();
    if (g_settings.SlideAuto) SetTimer(v.main_window, kTimerSlideShow, g_settings.SlideMs, nullptr);
}

void StopSlideShow() {
    ViewerState& v = g_viewer;
    if (!v.slideshow) return;
    v.slideshow = v.slideshow_paused = false;
    KillTimer(v.main_window, kTimerSlideShow);
    if (v.fullscreen) EndFullScreen();
}

void SlideShowStep() {
    // A tick inside a message box or dialog would change the picture under it.
    if (modal_active() || !g_viewer.slideshow) return;
    if (g_file_list.count < 2) return;
    int from = g_file_list.current;
    // A file that does not open is passed over: the show goes on from it
    // rather than trying it again every tick.
    for (int tries = 0; tries < g_file_list.count && g_viewer.slideshow; ++tries) {
        int next = next_slide(from);
        if (next < 0) {
            StopSlideShow();
            return;
        }
        switch (GoToIndex(next)) {
        case kGoShown: return;
        case kGoNowhere: return;
        // The user kept the edited picture: asking again every tick would
        // never let them work on it.
        case kGoDeclined: StopSlideShow(); return;
        case kGoFailed: from = next; break;
        }
    }
}
