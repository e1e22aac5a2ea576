// The Resize Image dialog (200): a new size in pixels, the other side
// following while the aspect ratio is kept, or a percent of the original.
#include "ui/resize_dialog.h"

#include <initializer_list>

#include "core/resize_rules.h"
#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "res/resource.h"
#include "ui/frame.h"

namespace {

// Ten digits pass INT_MAX; resize_field_value reads them without overflow.
const int kFieldDigits = 10;

struct ResizeDialogState {
    int ref_w, ref_h;
    // Set while the dialog writes a field itself, so that its change does not
    // move the other side back.
    bool updating;
    ResizeAnswer* answer;
};

ResizeDialogState s_resize;

int64_t field_value(HWND dialog, int id) {
    char text[32] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return resize_field_value(text);
}

void set_field(HWND dialog, int id, int value) {
    s_resize.updating = true;
    SetDlgItemInt(dialog, id, (UINT)value, FALSE);
    s_resize.updating = false;
}

void follow_side(HWND dialog, int changed) {
    if (s_resize.updating || IsDlgButtonChecked(dialog, IDC_RESIZE_KEEP_ASPECT) != BST_CHECKED) return;
    const bool width = changed == IDC_RESIZE_WIDTH;
    int other = 0;
    if (linked_side(field_value(dialog, changed), width ? s_resize.ref_w : s_resize.ref_h,
                    width ? s_resize.ref_h : s_resize.ref_w, &other))
        set_field(dialog, width ? IDC_RESIZE_HEIGHT : IDC_RESIZE_WIDTH, other);
}

// Warns and puts the caret back into the field at fault; the dialog stays.
void refuse(HWND dialog, TextId text, int field) {
    show_message(dialog, tr(text), tr(kTextResizeTitle), MB_OK | MB_ICONWARNING);
    HWND edit = GetDlgItem(dialog, field);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

void on_ok(HWND dialog) {
    ResizeAnswer answer = {0, 0, 0};
    if (IsDlgButtonChecked(dialog, IDC_RESIZE_BY_PERCENT) == BST_CHECKED) {
        int64_t percent = field_value(dialog, IDC_RESIZE_PERCENT);
        if (!resize_percent_valid(percent)) {
            refuse(dialog, kTextPercentRange, IDC_RESIZE_PERCENT);
            return;
        }
        answer.percent = (int)percent;
    } else {
        int64_t width = field_value(dialog, IDC_RESIZE_WIDTH), height = field_value(dialog, IDC_RESIZE_HEIGHT);
        if (!resize_side_valid(width) || !resize_side_valid(height)) {
            refuse(dialog, kTextResizeRange, resize_side_valid(width) ? IDC_RESIZE_HEIGHT : IDC_RESIZE_WIDTH);
            return;
        }
        answer.width = (int)width;
        answer.height = (int)height;
    }
    *s_resize.answer = answer;
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK resize_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        for (int id : {IDC_RESIZE_WIDTH, IDC_RESIZE_HEIGHT, IDC_RESIZE_PERCENT})
            SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kFieldDigits, 0);
        set_field(dialog, IDC_RESIZE_WIDTH, s_resize.ref_w);
        set_field(dialog, IDC_RESIZE_HEIGHT, s_resize.ref_h);
        set_field(dialog, IDC_RESIZE_PERCENT, 100);
        CheckDlgButton(dialog, IDC_RESIZE_KEEP_ASPECT, BST_CHECKED);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDC_RESIZE_WIDTH:
        case IDC_RESIZE_HEIGHT:
            if (HIWORD(wparam) == EN_CHANGE) follow_side(dialog, LOWORD(wparam));
            return TRUE;
        case IDOK: on_ok(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

bool AskResizeSize(HWND owner, int ref_w, int ref_h, ResizeAnswer* answer) {
    s_resize = ResizeDialogState{ref_w, ref_h, false, answer};
    HINSTANCE instance = g_frame.instance ? g_frame.instance : GetModuleHandleA(nullptr);
    return modal_dialog_box(instance, MAKEINTRESOURCEA(IDD_RESIZE), owner, resize_dialog_proc, 0) > 0;
}
