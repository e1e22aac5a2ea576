// The Custom Scale dialog (250): asks for a zoom percentage and refuses to
// close on one outside 2..3200.
#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "res/resource.h"
#include "viewer/view.h"
#include "viewer/view_geometry_pure.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

void on_ok(HWND dialog) {
    char text[256] = "";
    GetDlgItemTextA(dialog, IDC_SCALE_PERCENT, text, sizeof text);
    // A text filling the whole buffer was cut short: whatever it held, it is
    // no number of the range.
    uint32_t percent = lstrlenA(text) >= (int)sizeof text - 1 ? 0 : ParseScaleField(text);
    if (!ScalePercentValid(percent)) {
        show_message(dialog, tr(kTextScaleRange), tr(kTextScaleTitle), MB_OK | MB_ICONWARNING);
        HWND field = GetDlgItem(dialog, IDC_SCALE_PERCENT);
        SetFocus(field);
        SendMessageA(field, EM_SETSEL, 0, -1);
        return;
    }
    EndDialog(dialog, (INT_PTR)percent);
}

INT_PTR CALLBACK scale_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        // A fit mode may show a scale outside the range: opening with it
        // would have OK refuse the dialog's own value.
        SetDlgItemInt(dialog, IDC_SCALE_PERCENT, ClampScalePercent((uint32_t)lparam), FALSE);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK: on_ok(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

unsigned AskScalePercent(HWND owner, unsigned percent) {
    HINSTANCE instance = g_frame.instance ? g_frame.instance : GetModuleHandleA(nullptr);
    INT_PTR result =
        modal_dialog_box(instance, MAKEINTRESOURCEA(IDD_SCALE), owner, scale_dialog_proc, (LPARAM)percent);
    return result > 0 ? (unsigned)result : 0;
}
