#include <windows.h>
#include <commctrl.h>
#include <stdio.h>

#include "platform/bridge.h"
#include "platform/text.h"
#include "res/resource.h"
#include "shell/settings.h"
#include "app/commands.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"
#include "app/toolbars.h"

namespace {

// The viewer toolbar's buttons in order; their images and tooltips are in
// the command table.
const int kSeparator = 0;
const int kPageBoxSlot = -1;  // a wide separator that holds the page box
const int kPageBoxSlotWidth = 34;

const int kViewerToolbar[] = {
    IDM_FILE_OPEN, IDM_FILE_SAVE, IDM_FILE_PRINT, kSeparator,
    IDM_GO_PREVIOUS, IDM_GO_NEXT, kSeparator,
    IDM_VIEW_ZOOM_IN, IDM_VIEW_ZOOM_OUT, IDM_VIEW_BEST_FIT, IDM_VIEW_ACTUAL_SIZE, kSeparator,
    IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, IDM_IMAGE_ROTATE_CLOCKWISE, kSeparator,
    IDM_IMAGE_CROP, IDM_IMAGE_ADJUST_COLORS, kSeparator,
    IDM_VIEW_BROWSE_FOLDER, kSeparator,
    IDM_GO_PREVIOUS_PAGE, kPageBoxSlot, IDM_GO_NEXT_PAGE,
};
const int kViewerToolbarCount = sizeof kViewerToolbar / sizeof kViewerToolbar[0];

HBITMAP s_toolbar_bitmap;  // the strip mapped to the system colours (NT)

void place_page_box() {
    int slot = -1;
    for (int i = 0; i < kViewerToolbarCount; ++i)
        if (kViewerToolbar[i] == kPageBoxSlot) slot = i;
    RECT r;
    if (!g_frame.page_box || slot < 0 || !SendMessageA(g_frame.toolbar, TB_GETITEMRECT, slot, (LPARAM)&r)) return;
    int height = r.bottom - r.top - 4;
    if (height > 20) height = 20;
    int top = r.top + (r.bottom - r.top - height) / 2;
    MoveWindow(g_frame.page_box, r.left + 1, top, r.right - r.left - 2, height, TRUE);
}

void add_buttons(HWND toolbar) {
    TBBUTTON buttons[kViewerToolbarCount] = {};
    for (int i = 0; i < kViewerToolbarCount; ++i) {
        TBBUTTON& b = buttons[i];
        const CommandRow* row = FindCommand(kViewerToolbar[i]);
        if (!row) {
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = kViewerToolbar[i] == kPageBoxSlot ? kPageBoxSlotWidth : 0;
            continue;
        }
        b.iBitmap = row->viewer_image;
        b.idCommand = row->id;
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = TBSTYLE_BUTTON;
    }
    SendMessageA(toolbar, TB_ADDBUTTONSA, kViewerToolbarCount, (LPARAM)buttons);
}

}  // namespace

HBITMAP AddToolbarStrip(HWND toolbar, int strip, int count) {
    TBADDBITMAP add = {};
    HBITMAP mapped = nullptr;
    if (!(GetVersion() & 0x80000000u)) {  // Windows NT
        mapped = CreateMappedBitmap(g_frame.instance, strip, 0, nullptr, 0);
        add.nID = (UINT_PTR)mapped;
    } else {
        add.hInst = g_frame.instance;
        add.nID = strip;
    }
    SendMessageA(toolbar, TB_ADDBITMAP, count, (LPARAM)&add);
    return mapped;
}

void DestroyToolbarBitmap() {
    if (s_toolbar_bitmap) DeleteObject(s_toolbar_bitmap);
    s_toolbar_bitmap = nullptr;
}

void CreateToolbar() {
    if (g_frame.toolbar) {
        DestroyWindow(g_frame.toolbar);  // the page box goes with it
        g_frame.toolbar = g_frame.page_box = nullptr;
    }
    DestroyToolbarBitmap();

    bool large = g_settings.LargeButtons != 0;
    int side = large ? 24 : 16;
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0,
                                   0, 0, g_frame.window, (HMENU)(INT_PTR)kToolbarId, g_frame.instance, nullptr);
    if (!toolbar) return;
    g_frame.toolbar = toolbar;
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELONG(side, side));
    s_toolbar_bitmap = AddToolbarStrip(toolbar, large ? IDB_VIEWER_TOOLBAR_LARGE : IDB_VIEWER_TOOLBAR_SMALL, IMG_VIEWER_COUNT);
    add_buttons(toolbar);

    g_frame.page_box = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "0", WS_CHILD | WS_VISIBLE | ES_READONLY | ES_CENTER, 0,
                                        0, kPageBoxSlotWidth, 20, toolbar, (HMENU)(INT_PTR)kPageBoxId,
                                        g_frame.instance, nullptr);
    if (g_frame.page_box)
        SendMessageA(g_frame.page_box, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    place_page_box();
    UpdatePageBox();
    UpdateToolbarButtons();
}

void UpdatePageBox() {
    if (!g_frame.page_box) return;
    char text[16];
    snprintf(text, sizeof text, "%d", g_viewer.document.count >= 1 ? g_viewer.frame_index + 1 : 0);
    SetWindowTextA(g_frame.page_box, text);
    EnableWindow(g_frame.page_box, g_viewer.document.count > 1);
    place_page_box();
}

void UpdateToolbarButtons() {
    if (!g_frame.toolbar) return;
    WindowFacts facts = CurrentWindowFacts();
    for (int command : kViewerToolbar) {
        if (command <= 0) continue;
        bool on = IsCommandEnabled(command, facts);
        SendMessageA(g_frame.toolbar, TB_ENABLEBUTTON, command, MAKELONG(on ? TRUE : FALSE, 0));
    }
    SendMessageA(g_frame.toolbar, TB_CHECKBUTTON, IDM_VIEW_BROWSE_FOLDER, MAKELONG(g_frame.BrowseMode, 0));
}

bool OnToolbarTooltip(NMHDR* header) {
    if (header->code != TTN_GETDISPINFOA && header->code != TTN_GETDISPINFOW) return false;
    const CommandRow* row = FindCommand((int)header->idFrom);
    if (!row || row->tooltip == kTextNone) return true;
    if (header->code == TTN_GETDISPINFOA) {
        ((NMTTDISPINFOA*)header)->lpszText = (LPSTR)tr(row->tooltip);
    } else {
        static wchar_t wide[128];
        text_to_wide(tr(row->tooltip), wide, 128);
        ((NMTTDISPINFOW*)header)->lpszText = wide;
    }
    return true;
}
