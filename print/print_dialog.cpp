// The Print dialog: every option of the print with a live preview of the
// page, and the system's dialog for choosing the printer.
#include "print/print_dialog.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/loader.h"
#include "core/transform.h"
#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "print/draw_cell.h"
#include "print/print_layout_pure.h"
#include "print/print_state.h"
#include "res/resource.h"

namespace {

const int kPreviewThumbs = 40;     // pictures the preview keeps
const int kPreviewThumbSide = 160;  // their larger side at most
const int kPreviewDrawnSide = 96;   // shrunk to before drawing into a cell
const COLORREF kCellGrey = RGB(128, 128, 128);
const COLORREF kMissingGrey = RGB(224, 224, 224);

struct PreviewThumb {
    std::string path;
    Image* image;
};

// The preview's small copies of the pictures, oldest first.
std::vector<PreviewThumb> s_thumbs;
const PrintSource* s_source;

int count() { return (int)s_source->paths.size(); }
bool one_picture_once() { return count() == 1 && g_print.copies == 1 && g_print.centerOnPage; }
double preview_aspect() { return g_print.landscape ? 1 / kPaperAspect : kPaperAspect; }
int pages() { return page_count(g_print.layout, count(), g_print.copies, preview_aspect()); }

// A copy of the picture of path whose larger side is at most 160; none when it does not load.
const Image* thumb_of(const std::string& path) {
    for (const PreviewThumb& t : s_thumbs)
        if (lstrcmpiA(t.path.c_str(), path.c_str()) == 0) return t.image;
    const bool shown = s_source->shown && s_source->shown_path && lstrcmpiA(s_source->shown_path, path.c_str()) == 0;
    char message[kMessageBytes];
    Image* loaded = shown ? nullptr : load_image(path.c_str(), message);
    const Image* full = shown ? s_source->shown : loaded;
    if (!full) return nullptr;
    const int larger = full->width > full->height ? full->width : full->height;
    Image* thumb = nullptr;
    if (larger > kPreviewThumbSide) {
        const double scale = (double)kPreviewThumbSide / larger;
        int w = (int)(full->width * scale + 0.5), h = (int)(full->height * scale + 0.5);
        thumb = image_resize(full, w < 1 ? 1 : w, h < 1 ? 1 : h);
    } else {
        thumb = image_crop(full, 0, 0, full->width, full->height);
    }
    image_free(loaded);
    if (!thumb) return nullptr;
    if ((int)s_thumbs.size() == kPreviewThumbs) {
        image_free(s_thumbs.front().image);
        s_thumbs.erase(s_thumbs.begin());
    }
    s_thumbs.push_back({path, thumb});
    return thumb;
}

void outline(HDC dc, const Box& box, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r = {box.x, box.y, box.x + box.width, box.y + box.height};
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

void fill(HDC dc, const Box& box, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r = {box.x, box.y, box.x + box.width, box.y + box.height};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void draw_preview(HDC dc, const RECT& frame) {
    FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNFACE));
    const Box paper = preview_paper(frame.right - frame.left, frame.bottom - frame.top, g_print.landscape);
    fill(dc, paper, RGB(255, 255, 255));
    outline(dc, paper, kCellGrey);
    PageGrid grid;
    if (count() == 0 || !preview_grid(g_print.layout, g_print.margins, paper, g_print.showNames, one_picture_once(), &grid))
        return;
    const int per_page = grid.columns * grid.rows;
    const int cells = count() * g_print.copies;
    for (int i = 0; i < (grid.centered ? 1 : per_page); ++i) {
        const int k = i + g_print.previewPage * per_page;
        if (k >= cells) break;
        const Box cell = cell_box(grid, i);
        const Box inner = {cell.x, cell.y, cell.width - 2, grid.picture_height - 2};
        const Image* thumb = thumb_of(s_source->paths[picture_of_cell(k, count(), g_print.copies)]);
        Image* gray = thumb && g_print.grayscale ? image_grayscale(thumb) : nullptr;
        if (thumb) DrawImageInCell(dc, gray ? gray : thumb, inner, g_print.fitToFrame, kPreviewDrawnSide);
        else fill(dc, inner, kMissingGrey);
        image_free(gray);
        outline(dc, inner, kCellGrey);
    }
}

void redraw_preview(HWND dialog) { InvalidateRect(GetDlgItem(dialog, IDC_PRINT_PREVIEW), nullptr, FALSE); }

void update_page_line(HWND dialog) {
    const int last = pages() - 1;
    if (g_print.previewPage > last) g_print.previewPage = last;
    if (g_print.previewPage < 0) g_print.previewPage = 0;
    char text[64];
    snprintf(text, sizeof text, tr(kTextPageOfPages), g_print.previewPage + 1, last + 1);
    set_item_text(dialog, IDC_PRINT_PAGE, text);
    EnableWindow(GetDlgItem(dialog, IDC_PRINT_PREVIOUS), g_print.previewPage > 0);
    EnableWindow(GetDlgItem(dialog, IDC_PRINT_NEXT), g_print.previewPage < last);
}

// The printer line and the quality list, from the kept printer.
void show_printer(HWND dialog) {
    char name[260];
    PrinterName(name, sizeof name);
    set_item_text(dialog, IDC_PRINT_PRINTER, name[0] ? name : tr(kTextDefaultPrinter));
    int current = 0;
    if (const DEVMODEA* mode = g_print.devMode ? (const DEVMODEA*)GlobalLock(g_print.devMode) : nullptr) {
        if ((mode->dmFields & DM_PRINTQUALITY) && mode->dmPrintQuality > 0) current = mode->dmPrintQuality;
        else if (mode->dmFields & DM_YRESOLUTION) current = mode->dmYResolution;
        GlobalUnlock(g_print.devMode);
    }
    HWND list = GetDlgItem(dialog, IDC_PRINT_QUALITY);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    int chosen = 0;
    for (int i = 0; i < kQualityCount; ++i) {
        char text[32];
        snprintf(text, sizeof text, "%d dpi", kQualities[i]);
        SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)text);
        if (kQualities[i] == current) chosen = i;
    }
    SendMessageA(list, CB_SETCURSEL, chosen, 0);
    g_print.qualityX = g_print.qualityY = kQualities[chosen];
}

void fill_list(HWND dialog, int id, const TextId* texts, int n, int selected) {
    for (int i = 0; i < n; ++i) add_combo_item(dialog, id, tr(texts[i]));
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, selected, 0);
}

void open_dialog(HWND dialog) {
    // One picture: the single-image names, and no contact sheet.
    TextId layouts[kLayoutCount];
    const int n = count() == 1 ? kContactSheet : kLayoutCount;
    for (int i = 0; i < n; ++i) layouts[i] = count() == 1 ? kLayouts[i].single_name : kLayouts[i].name;
    if (g_print.layout < 0 || g_print.layout >= n) g_print.layout = 0;
    fill_list(dialog, IDC_PRINT_LAYOUT, layouts, n, g_print.layout);
    SendDlgItemMessageA(dialog, IDC_PRINT_SPIN, UDM_SETRANGE, 0, MAKELONG(99, 1));
    SendDlgItemMessageA(dialog, IDC_PRINT_SPIN, UDM_SETPOS, 0, MAKELONG(g_print.copies, 0));
    SetDlgItemInt(dialog, IDC_PRINT_COPIES, g_print.copies, FALSE);
    CheckDlgButton(dialog, IDC_PRINT_FIT, g_print.fitToFrame);
    CheckDlgButton(dialog, IDC_PRINT_CENTER, g_print.centerOnPage);
    CheckDlgButton(dialog, IDC_PRINT_GRAYSCALE, g_print.grayscale);
    CheckDlgButton(dialog, IDC_PRINT_NAMES, g_print.showNames);
    EnableWindow(GetDlgItem(dialog, IDC_PRINT_NAMES), g_print.layout == kContactSheet);
    EnableWindow(GetDlgItem(dialog, IDC_PRINT_CENTER), count() == 1);
    TextId margins[kMarginCount];
    for (int i = 0; i < kMarginCount; ++i) margins[i] = kMargins[i].name;
    fill_list(dialog, IDC_PRINT_MARGINS, margins, kMarginCount, g_print.margins);
    const TextId orientations[] = {kTextPortrait, kTextLandscape};
    fill_list(dialog, IDC_PRINT_ORIENTATION, orientations, 2, g_print.landscape ? 1 : 0);
    EnsureDefaultPrinter();
    show_printer(dialog);
    g_print.previewPage = 0;
    update_page_line(dialog);
}

// P&rinter...: the system's set-up dialog on the kept blocks.
void choose_printer(HWND dialog) {
    PRINTDLGA setup = {};
    setup.lStructSize = sizeof setup;
    setup.hwndOwner = dialog;
    setup.hDevMode = g_print.devMode;
    setup.hDevNames = g_print.devNames;
    setup.Flags = PD_PRINTSETUP;
    modal_enter();
    BOOL chosen = PrintDlgA(&setup);
    modal_leave();
    if (!chosen) return;
    // The dialog may hand back new blocks and free the old ones.
    g_print.devMode = setup.hDevMode;
    g_print.devNames = setup.hDevNames;
    show_printer(dialog);
}

int selection(HWND dialog, int id) { return (int)SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0); }

// Every control once more, as Print reads them.
void read_all(HWND dialog) {
    BOOL number = FALSE;
    UINT copies = GetDlgItemInt(dialog, IDC_PRINT_COPIES, &number, FALSE);
    g_print.copies = number && copies >= 1 && copies <= 99 ? (int)copies : 1;
    if (selection(dialog, IDC_PRINT_LAYOUT) >= 0) g_print.layout = selection(dialog, IDC_PRINT_LAYOUT);
    g_print.landscape = selection(dialog, IDC_PRINT_ORIENTATION) == 1;
    if (selection(dialog, IDC_PRINT_MARGINS) >= 0) g_print.margins = selection(dialog, IDC_PRINT_MARGINS);
    g_print.fitToFrame = IsDlgButtonChecked(dialog, IDC_PRINT_FIT) == BST_CHECKED;
    g_print.centerOnPage = IsDlgButtonChecked(dialog, IDC_PRINT_CENTER) == BST_CHECKED;
    g_print.grayscale = IsDlgButtonChecked(dialog, IDC_PRINT_GRAYSCALE) == BST_CHECKED;
    g_print.showNames = IsDlgButtonChecked(dialog, IDC_PRINT_NAMES) == BST_CHECKED;
}

// A change of one control; false for a control that is none of the options.
bool on_change(HWND dialog, int id, int code) {
    const bool selected = code == CBN_SELCHANGE;
    switch (id) {
    case IDC_PRINT_PREVIOUS:
        if (g_print.previewPage > 0) --g_print.previewPage;
        break;
    case IDC_PRINT_NEXT:
        if (g_print.previewPage < pages() - 1) ++g_print.previewPage;
        break;
    case IDC_PRINT_LAYOUT:
        if (!selected || selection(dialog, id) < 0) return true;
        g_print.layout = selection(dialog, id);
        EnableWindow(GetDlgItem(dialog, IDC_PRINT_NAMES), g_print.layout == kContactSheet);
        g_print.previewPage = 0;
        break;
    case IDC_PRINT_ORIENTATION:
        if (!selected) return true;
        g_print.landscape = selection(dialog, id) == 1;
        break;
    case IDC_PRINT_QUALITY:
        if (selected && selection(dialog, id) >= 0) g_print.qualityX = g_print.qualityY = kQualities[selection(dialog, id)];
        return true;  // the preview does not show the quality
    case IDC_PRINT_MARGINS:
        if (!selected || selection(dialog, id) < 0) return true;
        g_print.margins = selection(dialog, id);
        break;
    case IDC_PRINT_COPIES: {
        if (code != EN_CHANGE) return true;
        BOOL number = FALSE;
        UINT copies = GetDlgItemInt(dialog, id, &number, FALSE);
        if (!number || copies < 1 || copies > 99) return true;  // the user is still typing
        g_print.copies = (int)copies;
        g_print.previewPage = 0;
        break;
    }
    case IDC_PRINT_FIT: g_print.fitToFrame = IsDlgButtonChecked(dialog, id) == BST_CHECKED; break;
    case IDC_PRINT_CENTER: g_print.centerOnPage = IsDlgButtonChecked(dialog, id) == BST_CHECKED; break;
    case IDC_PRINT_GRAYSCALE: g_print.grayscale = IsDlgButtonChecked(dialog, id) == BST_CHECKED; break;
    case IDC_PRINT_NAMES: g_print.showNames = IsDlgButtonChecked(dialog, id) == BST_CHECKED; break;
    default: return false;
    }
    update_page_line(dialog);
    redraw_preview(dialog);
    return true;
}

INT_PTR CALLBACK print_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: open_dialog(dialog); return TRUE;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = (const DRAWITEMSTRUCT*)lparam;
        if (item->CtlID != IDC_PRINT_PREVIEW) return FALSE;
        draw_preview(item->hDC, item->rcItem);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        if (id == IDOK) {
            read_all(dialog);
            EndDialog(dialog, IDOK);
        } else if (id == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        } else if (id == IDC_PRINT_CHOOSE) {
            choose_printer(dialog);
        } else {
            return on_change(dialog, id, HIWORD(wparam));
        }
        return TRUE;
    }
    }
    return FALSE;
}

void empty_thumbs() {
    for (PreviewThumb& t : s_thumbs) image_free(t.image);
    s_thumbs.clear();
}

}  // namespace

bool RunPrintDialog(HWND owner, HINSTANCE instance, const PrintSource& source) {
    s_source = &source;
    empty_thumbs();
    INT_PTR result =
        modal_dialog_box(instance, MAKEINTRESOURCEA(IDD_PRINT), owner, print_dialog_proc, 0);
    empty_thumbs();
    s_source = nullptr;
    return result == IDOK;
}
