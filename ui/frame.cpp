#include "ui/frame.h"

Frame g_frame;

namespace {

FrameHooks s_hooks;

}  // namespace

void frame_set_hooks(FrameHooks hooks) { s_hooks = hooks; }

void frame_relayout() {
    if (s_hooks.relayout) s_hooks.relayout();
}

void frame_refresh_commands() {
    if (s_hooks.refresh_commands) s_hooks.refresh_commands();
}

HMENU frame_mode_menu() { return g_frame.BrowseMode ? g_frame.browser_menu : g_frame.viewer_menu; }

void frame_attach_mode_menu() {
    if (!g_frame.fullscreen) SetMenu(g_frame.window, frame_mode_menu());
}

int WindowHeight(HWND window) {
    RECT r;
    if (!window || !GetWindowRect(window, &r)) return 0;
    return r.bottom - r.top;
}
