#include "shell/options_dialog.h"

#include <commctrl.h>

#include <initializer_list>

#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "res/resource.h"
#include "shell/associations.h"
#include "shell/help.h"
#include "shell/options_pure.h"
#include "shell/settings.h"

namespace {

void (*g_clear_cache)() = nullptr;

void fill_boxes(HWND page, const OptionBox* boxes, int count) {
    for (int i = 0; i < count; ++i)
        CheckDlgButton(page, boxes[i].control_id,
                       *(const int32_t*)((const char*)&g_settings + boxes[i].offset) ? BST_CHECKED : BST_UNCHECKED);
}

void read_boxes(HWND page, const OptionBox* boxes, int count) {
    for (int i = 0; i < count; ++i)
        *(int32_t*)((char*)&g_settings + boxes[i].offset) =
            IsDlgButtonChecked(page, boxes[i].control_id) == BST_CHECKED ? 1 : 0;
}

void fill_viewer_page(HWND page) {
    HWND fit = GetDlgItem(page, IDC_OPT_DEFAULT_FIT);
    for (TextId text : {kTextFitBest, kTextFitShrink, kTextFitActual}) SendMessageA(fit, CB_ADDSTRING, 0, (LPARAM)tr(text));
    SendMessageA(fit, CB_SETCURSEL, options_fit_item(g_settings.DefaultFit), 0);
    SetDlgItemInt(page, IDC_OPT_JPEG_QUALITY, (UINT)g_settings.JpegQ, FALSE);
    SetDlgItemInt(page, IDC_OPT_SLIDE_DELAY, (UINT)(g_settings.SlideMs / 1000), FALSE);
    fill_boxes(page, kViewerPageBoxes, kViewerPageBoxCount);
    // Its text comes from the text table, in the user's language.
    set_item_text(page, IDC_OPT_COLOR_PROFILES, tr(kTextColorProfiles));
}

void read_viewer_page(HWND page) {
    g_settings.DefaultFit = options_fit_from_item((int)SendDlgItemMessageA(page, IDC_OPT_DEFAULT_FIT, CB_GETCURSEL, 0, 0));
    char text[32] = "";
    GetDlgItemTextA(page, IDC_OPT_JPEG_QUALITY, text, sizeof text);
    g_settings.JpegQ = options_jpeg_quality(text, g_settings.JpegQ);
    GetDlgItemTextA(page, IDC_OPT_SLIDE_DELAY, text, sizeof text);
    g_settings.SlideMs = options_slide_ms(text);
    read_boxes(page, kViewerPageBoxes, kViewerPageBoxCount);
}

void fill_browser_page(HWND page) {
    fill_boxes(page, kBrowserPageBoxes, kBrowserPageBoxCount);
    // Thumbnail view lists pictures only.
    EnableWindow(GetDlgItem(page, IDC_OPT_SHOW_ALL_FILES), g_settings.BrowseView != 0);
}

void clear_cache(HWND page) {
    if (g_clear_cache) g_clear_cache();
    show_message(page, tr(kTextThumbCacheCleared), tr(kTextProduct), MB_OK | MB_ICONINFORMATION);
}

// What both pages answer alike; true when the message was taken.
bool common_message(HWND page, UINT message, WPARAM wparam, LPARAM lparam, const uint32_t* help) {
    switch (message) {
    case WM_HELP: {
        const HELPINFO* info = (const HELPINFO*)lparam;
        if (info->iContextType == HELPINFO_WINDOW)
            ShowHelp((HWND)info->hItemHandle, HELP_WM_HELP, (ULONG_PTR)help);
        return true;
    }
    case WM_CONTEXTMENU: ShowHelp((HWND)wparam, HELP_CONTEXTMENU, (ULONG_PTR)help); return true;
    }
    (void)page;
    return false;
}

bool is_apply(LPARAM lparam) { return ((const NMHDR*)lparam)->code == (UINT)PSN_APPLY; }

void answer_apply(HWND page) { SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR); }

INT_PTR CALLBACK browser_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: fill_browser_page(page); return TRUE;
    case WM_NOTIFY:
        if (!is_apply(lparam)) return FALSE;
        read_boxes(page, kBrowserPageBoxes, kBrowserPageBoxCount);
        answer_apply(page);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDC_OPT_CLEAR_CACHE) {
            clear_cache(page);
            return TRUE;
        }
        return FALSE;
    }
    return common_message(page, message, wparam, lparam, kBrowserPageHelp);
}

INT_PTR CALLBACK viewer_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: fill_viewer_page(page); return TRUE;
    case WM_NOTIFY:
        if (!is_apply(lparam)) return FALSE;
        read_viewer_page(page);
        answer_apply(page);
        return TRUE;
    case WM_COMMAND:
        // Owned by the sheet, which is then disabled under it and cannot be
        // closed while the associations are being set.
        if (LOWORD(wparam) == IDC_OPT_ASSOCIATIONS) {
            RunAssociationsDialog(GetParent(page), false);
            return TRUE;
        }
        return FALSE;
    }
    return common_message(page, message, wparam, lparam, kViewerPageHelp);
}

// Made one by one: a page record of the size Windows 95's common controls
// know is smaller than the compiler's, so an array of them would not step right.
HPROPSHEETPAGE page_of(int dialog, DLGPROC procedure, HINSTANCE instance) {
    PROPSHEETPAGEA page = {};
    page.dwSize = PROPSHEETPAGEA_V1_SIZE;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(dialog);
    page.pfnDlgProc = procedure;
    return CreatePropertySheetPageA(&page);
}

}  // namespace

void RunOptionsSheet(HWND owner, void (*clear)()) {
    g_clear_cache = clear;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HPROPSHEETPAGE pages[2] = {page_of(IDD_OPTIONS_BROWSER, browser_page_proc, instance),
                               page_of(IDD_OPTIONS_VIEWER, viewer_page_proc, instance)};
    if (!pages[0] || !pages[1]) {
        for (HPROPSHEETPAGE page : pages)
            if (page) DestroyPropertySheetPage(page);
        return;
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszCaption = tr(kTextOptionsTitle);
    header.nPages = 2;
    header.phpage = pages;  // the sheet owns them from here
    modal_enter();
    PropertySheetA(&header);
    modal_leave();
}
