// Modal UI (message boxes, dialogs, the system's file and folder pickers, the
// shell's file operations) runs a message loop of its own, in which the main
// window's timers keep firing. Whatever a timer would change — the shown
// picture, the open document — may be in use by the modal UI, so every such
// call is counted here and timer work waits while the count is above zero.
#pragma once
#include <windows.h>

void modal_enter();
void modal_leave();
bool modal_active();
// Work that must not run under modal UI (a path handed over by a second
// start) waits for it: `message` is posted to `window` once the outermost
// modal UI has closed, or at once when none is open.
void modal_post_when_idle(HWND window, UINT message);

// DialogBoxParamA inside modal_enter / modal_leave.
INT_PTR modal_dialog_box(HINSTANCE instance, const char* template_name, HWND owner, DLGPROC procedure, LPARAM param);
