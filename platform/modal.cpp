#include "platform/modal.h"

namespace {

int s_depth = 0;
HWND s_waiting_window;
UINT s_waiting_message;

void post_waiting() {
    if (!s_waiting_window) return;
    PostMessageA(s_waiting_window, s_waiting_message, 0, 0);
    s_waiting_window = nullptr;
}

}  // namespace

void modal_enter() { ++s_depth; }

void modal_leave() {
    if (s_depth > 0) --s_depth;
    if (s_depth == 0) post_waiting();
}

void modal_post_when_idle(HWND window, UINT message) {
    s_waiting_window = window;
    s_waiting_message = message;
    if (s_depth == 0) post_waiting();
}

bool modal_active() { return s_depth > 0; }

INT_PTR modal_dialog_box(HINSTANCE instance, const char* template_name, HWND owner, DLGPROC procedure, LPARAM param) {
    modal_enter();
    INT_PTR result = DialogBoxParamA(instance, template_name, owner, procedure, param);
    modal_leave();
    return result;
}
