#include <windows.h>
#include <commctrl.h>
#include <stdio.h>

#include "platform/bridge.h"
#include "platform/text.h"
#include "res/resource.h"
#include "shell/settings.h"
#include "viewer/chrome.h"
#include "viewer/toolbar_table_pure.h"
#include "viewer/viewer_state.h"

static HBITMAP s_toolbar_bitmap;  // the strip mapped to the system colours (NT)

static bool windows_nt() { return !(GetVersion() & 0x80000000u); }

void DestroyToolbarBitmap() {
    if (s_toolbar_bitmap) DeleteObject(s_toolbar_bitmap);
    s_toolbar_bitmap = nullptr;
}

static void place_page_box() {
    RECT r;
    int slot = -1;
    for (int i = 0; i < kViewerToolbarButtonCount; ++i)
        if (kViewerToolbarButtons[i].image == kToolbarPageBoxSlot) slot = i;
    if (!g_viewer.page_box || slot < 0) return;
    if (!SendMessageA(g_viewer.toolbar, TB_GETITEMRECT, slot, (LPARAM)&r)) return;
    int height = r.bottom - r.top - 4;
    if (height > 20) height = 20;
    int top = r.top + (r.bottom - r.top - height) / 2;
    MoveWindow(g_viewer.page_box, r.left + 1, top, r.right - r.left - 2, height, TRUE);
}

void CreateToolbar() {
    HWND parent = g_viewer.main_window;
    if (g_viewer.toolbar) {
        DestroyWindow(g_viewer.toolbar);  // the page box goes with it
        g_viewer.toolbar = g_viewer.page_box = nullptr;
    }
    DestroyToolbarBitmap();

    bool large = g_settings.LargeButtons != 0;
    int side = large ? 24 : 16;
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0,
                                   0, 0, parent, (HMENU)(INT_PTR)kToolbarId, g_viewer.instance, nullptr);
    if (!toolbar) return;
    g_viewer.toolbar = toolbar;
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELONG(side, side));

    int strip = large ? IDB_VIEWER_TOOLBAR_LARGE : IDB_VIEWER_TOOLBAR_SMALL;
    TBADDBITMAP add = {};
    if (windows_nt()) {
        s_toolbar_bitmap = CreateMappedBitmap(g_viewer.instance, strip, 0, nullptr, 0);
        add.hInst = nullptr;
        add.nID = (UINT_PTR)s_toolbar_bitmap;
    } else {
        add.hInst = g_viewer.instance;
        add.nID = strip;
    }
    SendMessageA(toolbar, TB_ADDBITMAP, IMG_VIEWER_COUNT, (LPARAM)&add);

    TBBUTTON buttons[kViewerToolbarButtonCount] = {};
    for (int i = 0; i < kViewerToolbarButtonCount; ++i) {
        const ToolbarButtonDef& def = kViewerToolbarButtons[i];
        TBBUTTON& b = buttons[i];
        if (def.image < 0) {
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = def.image == kToolbarPageBoxSlot ? kPageBoxSlotWidth : 0;
        } else {
            b.iBitmap = def.image;
            b.idCommand = def.command;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = TBSTYLE_BUTTON;
        }
    }
    SendMessageA(toolbar, TB_ADDBUTTONSA, kViewerToolbarButtonCount, (LPARAM)buttons);

    g_viewer.page_box = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "0", WS_CHILD | WS_VISIBLE | ES_READONLY | ES_CENTER, 0,
                                        0, kPageBoxSlotWidth, 20, toolbar, (HMENU)(INT_PTR)kPageBoxId,
                                        g_viewer.instance, nullptr);
    if (g_viewer.page_box)
        SendMessageA(g_viewer.page_box, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    place_page_box();
    UpdatePageBox();
    UpdateToolbarButtons();
}

void UpdatePageBox() {
    if (!g_viewer.page_box) return;
    char text[16];
    snprintf(text, sizeof text, "%d", g_viewer.frame_count >= 1 ? g_viewer.frame_index + 1 : 0);
    SetWindowTextA(g_viewer.page_box, text);
    EnableWindow(g_viewer.page_box, g_viewer.frame_count > 1);
    place_page_box();
}

void UpdateToolbarButtons() {
    if (!g_viewer.toolbar) return;
    for (const ToolbarButtonDef& def : kViewerToolbarButtons) {
        if (def.image < 0) continue;
        bool on;
        if (def.command == 40001 || def.command == 40027) on = true;
        else if (def.command == 40070 || def.command == 40071) on = g_viewer.frame_count > 1;
        else on = g_viewer.shown != nullptr;
        SendMessageA(g_viewer.toolbar, TB_ENABLEBUTTON, def.command, MAKELONG(on ? TRUE : FALSE, 0));
    }
}

bool OnToolbarTooltip(NMHDR* header) {
    if (header->code != TTN_GETDISPINFOA && header->code != TTN_GETDISPINFOW) return false;
    int text_id = ToolbarTooltipId((int)header->idFrom);
    if (text_id < 0) return true;
    if (header->code == TTN_GETDISPINFOA) {
        ((NMTTDISPINFOA*)header)->lpszText = (LPSTR)tr((TextId)text_id);
    } else {
        static wchar_t wide[128];
        text_to_wide(tr((TextId)text_id), wide, 128);
        ((NMTTDISPINFOW*)header)->lpszText = wide;
    }
    return true;
}
