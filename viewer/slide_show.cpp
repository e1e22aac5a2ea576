// The slide show: timer 1 steps through the pictures of the folder, in full
// screen, forward, backward or at random, once or round and round.
#include <windows.h>

#include <stdlib.h>

#include <vector>

#include "ui/file_list.h"
#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "shell/settings.h"
#include "viewer/navigation.h"
#include "viewer/playback.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

// Per list entry: the file did not open during this show. It is passed over
// from then on, without its message again; cleared when a show starts.
std::vector<char> s_failed;

bool failed(int i) { return i >= 0 && i < (int)s_failed.size() && s_failed[i]; }

// A random entry other than `from` and the shown one that has not failed;
// -1 when there is none.
int random_slide(int from) {
    std::vector<int> open;
    for (int i = 0; i < g_file_list.count; ++i)
        if (i != from && i != g_file_list.current && !failed(i)) open.push_back(i);
    return open.empty() ? -1 : open[rand() % (int)open.size()];
}

// The list index the show goes to after `from`; -1 at the end of a show
// that does not loop, or when no other entry is left to try.
int next_slide(int from) {
    const int n = g_file_list.count;
    if (g_settings.SlideRandom) return random_slide(from);
    const int direction = g_settings.SlideReverse ? -1 : +1;
    const bool at_end = direction > 0 ? from >= n - 1 : from <= 0;
    if (at_end && !g_settings.SlideLoop) return -1;
    return NextImageIndex(from, direction);
}

// Whether the list's current entry is the picture on screen.
bool showing_current_entry() {
    const FileList& list = g_file_list;
    return g_viewer.shown && list.current >= 0 && list.current < list.count &&
           lstrcmpiA(list.path[list.current], g_viewer.current_path) == 0;
}

void stop_with_nothing_to_show() {
    StopSlideShow();
    show_message(g_frame.window, tr(kTextNoImagesToShow), tr(kTextProduct), MB_OK | MB_ICONINFORMATION);
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
    s_failed.assign((size_t)g_file_list.count, 0);
    if (!g_frame.fullscreen) ToggleFullScreen();
    if (g_settings.SlideAuto) SetTimer(g_frame.window, kTimerSlideShow, g_settings.SlideMs, nullptr);
}

void StopSlideShow() {
    ViewerState& v = g_viewer;
    if (!v.slideshow) return;
    v.slideshow = v.slideshow_paused = false;
    KillTimer(g_frame.window, kTimerSlideShow);
    if (g_frame.fullscreen) EndFullScreen();
}

void SlideShowStep() {
    // A tick inside a message box or dialog would change the picture under it.
    if (modal_active() || !g_viewer.slideshow) return;
    const int n = g_file_list.count;
    if (n < 2) return;
    if ((int)s_failed.size() != n) s_failed.assign((size_t)n, 0);  // the list was read again
    int from = g_file_list.current;
    // A file that does not open is passed over: the show goes on from it
    // rather than trying it again every tick.
    for (int tries = 0; tries < n && g_viewer.slideshow; ++tries) {
        int next = next_slide(from);
        if (next < 0 && g_settings.SlideRandom) break;
        if (next < 0) {
            StopSlideShow();
            return;
        }
        // Round to the shown picture: it is the only one that opens, and
        // stays without being read again.
        if (next == g_file_list.current && showing_current_entry()) return;
        if (failed(next)) {
            from = next;
            continue;
        }
        switch (GoToIndex(next)) {
        case kGoShown: return;
        case kGoNowhere: return;
        // The user kept the edited picture: asking again every tick would
        // never let them work on it.
        case kGoDeclined: StopSlideShow(); return;
        case kGoFailed:
            s_failed[next] = 1;
            from = next;
            break;
        }
    }
    if (!g_viewer.slideshow || showing_current_entry()) return;
    stop_with_nothing_to_show();
}
