#include "platform/modal.h"

namespace {

int s_depth = 0;

}  // namespace

void modal_enter() { ++s_depth; }

void modal_leave() {
    if (s_depth > 0) --s_depth;
}

bool modal_active() { return s_depth > 0; }

INT_PTR modal_dialog_box(HINSTANCE instance, const char* template_name, HWND owner, DLGPROC procedure, LPARAM param) {
    modal_enter();
    INT_PTR result = DialogBoxParamA(instance, template_name, owner, procedure, param);
    modal_leave();
    return result;
}
