// The print job: every cell of every page on the printer, drawn as the
// preview draws it, with the file names under a contact sheet's pictures.
#include <windows.h>
#include <commdlg.h>

#include "core/decode_message.h"
#include "core/formats.h"
#include "core/loader.h"
#include "core/transform.h"
#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "print/draw_cell.h"
#include "print/print_dialog.h"
#include "print/print_layout_pure.h"
#include "print/print_state.h"
#include "ui/status_bar.h"

namespace {

void tell(HWND owner, TextId text, UINT icon) { show_message(owner, tr(text), tr(kTextProduct), MB_OK | icon); }

// The kept printer's context, else one from the system's print dialog.
// None when the user cancels; *refused when the system gave none for
// another reason (no printer at all).
HDC printer_context(HWND owner, bool* refused) {
    *refused = false;
    const bool any = EnsureDefaultPrinter();
    if (HDC dc = CreatePrinterDC(g_print.devMode, g_print.devNames, g_print.landscape)) return dc;
    // Without any printer the system's dialog has nothing to offer but a
    // warning of its own: the user gets ours.
    if (!any) {
        *refused = true;
        return nullptr;
    }
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
    modal_enter();
    BOOL chosen = PrintDlgA(&dialog);
    modal_leave();
    if (!chosen) {
        *refused = CommDlgExtendedError() != 0;  // 0: the user cancelled
        return nullptr;
    }
    HDC dc = CreatePrinterDC(dialog.hDevMode, dialog.hDevNames, g_print.landscape);
    if (dc) DeleteDC(dialog.hDC);
    else dc = dialog.hDC;
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    *refused = !dc;
    return dc;
}

}  // namespace

void RunPrintJob(HWND owner, const PrintSource& source) {
    const int count = (int)source.paths.size();
    if (count == 0) {
        tell(owner, kTextNoImagesToPrint, MB_ICONINFORMATION);
        return;
    }
    bool refused;
    HDC dc = printer_context(owner, &refused);
    if (!dc) {
        if (refused) tell(owner, kTextCouldNotOpenPrinter, MB_ICONEXCLAMATION);
        return;
    }
    const int width = GetDeviceCaps(dc, HORZRES), height = GetDeviceCaps(dc, VERTRES);
    const int layout = g_print.layout, copies = g_print.copies;
    PageGrid grid;
    if (!print_grid(layout, g_print.margins, width, height, g_print.showNames,
                    count == 1 && copies == 1 && g_print.centerOnPage, &grid)) {
        DeleteDC(dc);
        tell(owner, kTextCouldNotOpenPrinter, MB_ICONEXCLAMATION);
        return;
    }
    const bool names = layout == kContactSheet && g_print.showNames;
    HFONT font = nullptr;
    if (names) {
        LOGFONTA face = {};
        face.lfHeight = -(grid.cell_height / 12);
        lstrcpyA(face.lfFaceName, "Arial");
        font = CreateFontIndirectA(&face);
    }
    const int max_side = max_drawn_side(layout);
    const int need = picture_need(Box{0, 0, cell_box(grid, 0).width, grid.picture_height}, g_print.fitToFrame, max_side);
    DOCINFOA document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = tr(kTextProduct);
    modal_enter();  // the driver may run a message loop: no timer may change the picture
    if (StartDocA(dc, &document) <= 0) {
        const bool cancelled = GetLastError() == ERROR_CANCELLED;  // "print to file" given no name
        modal_leave();
        if (font) DeleteObject(font);
        DeleteDC(dc);
        if (!cancelled) tell(owner, kTextCouldNotOpenPrinter, MB_ICONEXCLAMATION);
        return;
    }
    HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    const int cells = count * copies, per_page = grid.centered ? 1 : grid.columns * grid.rows;
    ShowProgress(cells);
    int loaded_index = -1;
    Image* loaded = nullptr;
    const Image* picture = nullptr;
    bool page_open = false, failed = false, cancelled = false;
    for (int k = 0; k < cells && !failed; ++k) {
        const int index = picture_of_cell(k, count, copies);
        if (index != loaded_index) {
            image_free(loaded);
            loaded = nullptr;
            const char* path = source.paths[index].c_str();
            char message[kMessageBytes];
            if (source.shown && source.shown_path && lstrcmpiA(source.shown_path, path) == 0) picture = source.shown;
            // A file that does not load leaves its cell blank; a large photo
            // decodes no larger than its cell needs, where its format can.
            else picture = loaded = load_image_reduced(path, need, message);
            // Not every driver honours the device mode's colour field: the
            // pictures go gray themselves, as in the preview.
            if (picture && g_print.grayscale) {
                Image* gray = image_grayscale(picture);
                image_free(loaded);
                picture = loaded = gray;
            }
            loaded_index = index;
        }
        if (!page_open) {
            if (StartPage(dc) <= 0) {
                failed = true;
                cancelled = GetLastError() == ERROR_CANCELLED;
                break;
            }
            page_open = true;
        }
        const Box cell = cell_box(grid, k % per_page);
        DrawImageInCell(dc, picture, Box{cell.x, cell.y, cell.width, grid.picture_height}, g_print.fitToFrame,
                        max_side);
        if (names) {
            RECT band = {cell.x, cell.y + grid.picture_height, cell.x + cell.width, cell.y + cell.height};
            DrawTextA(dc, file_name_part(source.paths[index].c_str()), -1, &band,
                      DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        if ((k + 1) % per_page == 0) {
            EndPage(dc);
            page_open = false;
        }
        StepProgress();
    }
    image_free(loaded);
    HideProgress();
    if (page_open) EndPage(dc);
    EndDoc(dc);
    modal_leave();
    if (old_font) SelectObject(dc, old_font);
    if (font) DeleteObject(font);
    DeleteDC(dc);
    if (failed && !cancelled) tell(owner, kTextCouldNotOpenPrinter, MB_ICONEXCLAMATION);
}
