// The text wrappers of the bridge: each shows an 8-bit text of the text code
// page through the W function when wide mode is on and the system has it
// (converted into a buffer of fixed size, longer texts cut), else hands the
// text as it is to the 8-bit function.
#include "platform/bridge.h"

#include <commctrl.h>

#include "platform/modal.h"

int show_message(HWND window, const char* text, const char* title, UINT flags) {
    modal_enter();
    int answer;
    if (g_bridge.wide && g_bridge.message_box_w) {
        wchar_t wide_text[1024], wide_title[128];
        text_to_wide(text, wide_text, 1024);
        text_to_wide(title, wide_title, 128);
        answer = g_bridge.message_box_w(window, wide_text, wide_title, flags);
    } else {
        answer = MessageBoxA(window, text, title, flags);
    }
    modal_leave();
    return answer;
}

BOOL set_item_text(HWND dialog, int item, const char* text) {
    if (g_bridge.wide && g_bridge.set_dlg_item_text_w) {
        wchar_t wide[512];
        text_to_wide(text, wide, 512);
        return g_bridge.set_dlg_item_text_w(dialog, item, wide);
    }
    return SetDlgItemTextA(dialog, item, text);
}

void set_status_text(HWND bar, int part, const char* text) {
    if (!bar) return;
    if (g_bridge.wide && g_bridge.send_message_w) {
        wchar_t wide[512];
        text_to_wide(text, wide, 512);
        g_bridge.send_message_w(bar, SB_SETTEXTW, (WPARAM)part, (LPARAM)wide);
        return;
    }
    SendMessageA(bar, SB_SETTEXTA, (WPARAM)part, (LPARAM)text);
}

BOOL append_menu_item(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    // For these items the last argument is a bitmap handle or the caller's
    // own value, not a text, and must reach the menu unchanged.
    bool not_text = (flags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) != 0 || !text;
    if (!not_text && g_bridge.wide && g_bridge.append_menu_w) {
        wchar_t wide[512];
        text_to_wide(text, wide, 512);
        return g_bridge.append_menu_w(menu, flags, id, wide);
    }
    return AppendMenuA(menu, flags, id, text);
}

LRESULT add_combo_item(HWND dialog, int item, const char* text) {
    if (g_bridge.wide && g_bridge.send_message_w) {
        wchar_t wide[256];
        text_to_wide(text, wide, 256);
        return g_bridge.send_message_w(GetDlgItem(dialog, item), CB_ADDSTRING, 0, (LPARAM)wide);
    }
    return SendDlgItemMessageA(dialog, item, CB_ADDSTRING, 0, (LPARAM)(text ? text : ""));
}

int insert_list_column(HWND list, int index, const char* text, int format, int width) {
    if (!list) return -1;
    if (g_bridge.wide && g_bridge.send_message_w) {
        wchar_t wide[128];
        text_to_wide(text, wide, 128);
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = format;
        column.cx = width;
        column.pszText = wide;
        column.iSubItem = index;
        return (int)g_bridge.send_message_w(list, LVM_INSERTCOLUMNW, (WPARAM)index, (LPARAM)&column);
    }
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = (char*)(text ? text : "");
    column.iSubItem = index;
    return (int)SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)index, (LPARAM)&column);
}
