// The address bar: a one-line edit under the browser toolbar that shows the
// browser's folder and takes a typed folder path on Enter.
#include <windows.h>

#include <string.h>

#include "browser/address_pure.h"
#include "browser/browser.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "ui/file_list.h"
#include "ui/frame.h"

namespace {

const int kAddressBarId = 61;

HWND g_bar = nullptr;
WNDPROC g_edit_proc = nullptr;

void go_to_typed_address() {
    char text[kPathBytes] = "";
    GetWindowTextA(g_bar, text, kPathBytes);  // at most 259 characters
    if (!text[0]) return;
    trim_typed_address(text);
    // ".", ".." and "C:foo" mean nothing to the folder list: made absolute
    // first. A folder too long to end in a backslash is not one to list.
    char folder[kPathBytes];
    bool found = full_path(text, folder) && IsFolderPath(folder) && strlen(folder) < kPathBytes - 1;
    if (found) {
        size_t n = strlen(folder);
        if (folder[n - 1] != '\\') strcat(folder, "\\");
        navigate_to_folder(folder);
        return;
    }
    show_message(g_frame.window, tr(kTextFolderNotFound), tr(kTextProduct), MB_OK | MB_ICONINFORMATION);
    set_address_text();
}

LRESULT CALLBACK address_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_KEYDOWN && wparam == VK_RETURN) {
        go_to_typed_address();
        return 0;
    }
    if (message == WM_CHAR && (wparam == '\r' || wparam == '\n')) return 0;  // no beep
    return CallWindowProcA(g_edit_proc, window, message, wparam, lparam);
}

}  // namespace

void create_address_bar() {
    if (g_bar) return;
    g_bar = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, g_frame.window,
                            (HMENU)(INT_PTR)kAddressBarId, g_frame.instance, nullptr);
    if (!g_bar) return;
    SendMessageA(g_bar, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    g_edit_proc = (WNDPROC)SetWindowLongPtrA(g_bar, GWLP_WNDPROC, (LONG_PTR)address_proc);
    set_address_text();
}

HWND address_bar_window() { return g_bar; }

void set_address_text() {
    if (!g_bar) return;
    char text[kPathBytes];
    address_text(g_file_list.folder, text, sizeof text);
    SetWindowTextA(g_bar, text);
}

void destroy_address_bar() {
    if (g_bar) DestroyWindow(g_bar);
    g_bar = nullptr;
}
