// The Adjust Colors dialog (210): brightness, contrast and gamma on track
// bars, with the result shown in the main window while the dialog is open.
// The frame slot keeps the source; only `shown` points at the preview, made
// afresh from the source at every movement so that moving back restores it.
#include "viewer/edit_dialogs.h"

#include <commctrl.h>
#include <string.h>

#include "core/transform.h"
#include "platform/modal.h"
#include "res/resource.h"
#include "viewer/edit_commands.h"
#include "viewer/playback.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

struct TrackRange {
    int id, label, low, high, start;
};

const int kGammaUnit = 100;  // the gamma bar counts hundredths

const TrackRange kTracks[] = {
    {IDC_ADJUST_BRIGHTNESS, IDC_ADJUST_BRIGHTNESS_VALUE, -100, 100, 0},
    {IDC_ADJUST_CONTRAST, IDC_ADJUST_CONTRAST_VALUE, -100, 100, 0},
    {IDC_ADJUST_GAMMA, IDC_ADJUST_GAMMA_VALUE, 10, 300, kGammaUnit},
};

struct AdjustState {
    Image* source;   // the frame in its slot, untouched
    Image* preview;  // shown in its place; none until the first one is made
    int positions[3];
};

AdjustState s_adjust;

int track_position(HWND dialog, int id) { return (int)SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0); }

void repaint() {
    DropScaledCache();
    InvalidateRect(g_frame.window, nullptr, FALSE);
    UpdateWindow(g_frame.window);
}

// Whether the source is still the frame on show: an open from another
// instance may replace the document while the dialog waits.
bool source_in_place() {
    const ViewerState& v = g_viewer;
    return v.document.frames && v.frame_index >= 0 && v.frame_index < v.document.count &&
           v.document.frames[v.frame_index] == s_adjust.source;
}

void update_preview(HWND dialog) {
    int positions[3];
    for (int i = 0; i < 3; ++i) positions[i] = track_position(dialog, kTracks[i].id);
    const int gamma = positions[2];
    SetDlgItemInt(dialog, IDC_ADJUST_BRIGHTNESS_VALUE, (UINT)positions[0], TRUE);
    SetDlgItemInt(dialog, IDC_ADJUST_CONTRAST_VALUE, (UINT)positions[1], TRUE);
    char label[16];
    wsprintfA(label, "%d.%02d", gamma / kGammaUnit, gamma % kGammaUnit);
    SetDlgItemTextA(dialog, IDC_ADJUST_GAMMA_VALUE, label);
    // The end of a drag repeats the last position: no second pass.
    if (s_adjust.preview && memcmp(positions, s_adjust.positions, sizeof positions) == 0) return;
    uint8_t lut[256];
    build_color_lut(positions[0], positions[1], (double)gamma / kGammaUnit, lut);
    Image* next = image_apply_lut(s_adjust.source, lut);
    // Short of memory the last preview stays on show rather than none.
    if (!next) return;
    image_free(s_adjust.preview);
    s_adjust.preview = g_viewer.shown = next;
    memcpy(s_adjust.positions, positions, sizeof positions);
    repaint();
}

// Cancel, or the document gone: the source (when still there) on show again.
void drop_preview() {
    if (g_viewer.shown == s_adjust.preview) g_viewer.shown = source_in_place() ? s_adjust.source : nullptr;
    image_free(s_adjust.preview);
    s_adjust.preview = nullptr;
    repaint();
}

void on_ok(HWND dialog) {
    if (!s_adjust.preview) {  // not even one preview could be made
        EndDialog(dialog, 0);
        return;
    }
    Image* edit = s_adjust.preview;
    s_adjust.preview = nullptr;
    ApplyEdit(edit);
    frame_relayout();
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK adjust_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        for (const TrackRange& track : kTracks) {
            SendDlgItemMessageA(dialog, track.id, TBM_SETRANGEMIN, FALSE, track.low);
            SendDlgItemMessageA(dialog, track.id, TBM_SETRANGEMAX, FALSE, track.high);
            // Some track bars move their thumb only when the position changes,
            // and 0 is the position a new bar already has.
            SendDlgItemMessageA(dialog, track.id, TBM_SETPOS, TRUE, track.low);
            SendDlgItemMessageA(dialog, track.id, TBM_SETPOS, TRUE, track.start);
        }
        update_preview(dialog);
        return TRUE;
    case WM_HSCROLL:
        if (!source_in_place()) {
            drop_preview();
            EndDialog(dialog, 0);
        } else {
            update_preview(dialog);
        }
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK:
            if (source_in_place()) {
                on_ok(dialog);
                return TRUE;
            }
            [[fallthrough]];  // nothing left to edit
        case IDCANCEL:
            drop_preview();
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

void AdjustColorsCommand(int) {
    if (!g_viewer.shown) return;
    StopAnimation();
    s_adjust = AdjustState{g_viewer.shown, nullptr, {0, 0, 0}};
    HINSTANCE instance = g_frame.instance ? g_frame.instance : GetModuleHandleA(nullptr);
    modal_dialog_box(instance, MAKEINTRESOURCEA(IDD_ADJUST_COLORS), g_frame.window, adjust_dialog_proc, 0);
    s_adjust = AdjustState();
}
