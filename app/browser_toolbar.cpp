// The browser toolbar: its buttons in order, and their state after every
// refresh and selection change. Images, tooltips, enabling rules and check
// marks come from the command table.
#include <windows.h>
#include <commctrl.h>

#include "app/commands.h"
#include "app/toolbars.h"
#include "res/resource.h"
#include "shell/settings.h"
#include "ui/frame.h"

namespace {

const int kSeparator = 0;

struct Button {
    int id;  // kSeparator: a gap
    BYTE style;
};

const Button kButtons[] = {
    {IDM_VIEW_UP_ONE_LEVEL, TBSTYLE_BUTTON},
    {kSeparator, TBSTYLE_SEP},
    {IDM_FILE_NEW_FOLDER, TBSTYLE_BUTTON},
    {kSeparator, TBSTYLE_SEP},
    {IDM_EDIT_CUT, TBSTYLE_BUTTON},
    {IDM_TOOLBAR_COPY, TBSTYLE_BUTTON},
    {IDM_EDIT_PASTE, TBSTYLE_BUTTON},
    {IDM_EDIT_UNDO_FILE_OPERATION, TBSTYLE_BUTTON},
    {kSeparator, TBSTYLE_SEP},
    {IDM_FILE_DELETE, TBSTYLE_BUTTON},
    {IDM_FILE_PROPERTIES, TBSTYLE_BUTTON},
    {kSeparator, TBSTYLE_SEP},
    {IDM_FILE_PRINT, TBSTYLE_BUTTON},
    {kSeparator, TBSTYLE_SEP},
    {IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, TBSTYLE_BUTTON},
    {IDM_IMAGE_ROTATE_CLOCKWISE, TBSTYLE_BUTTON},
    {kSeparator, TBSTYLE_SEP},
    {IDM_VIEW_THUMBNAILS, TBSTYLE_CHECKGROUP},
    {IDM_VIEW_LARGE_ICONS, TBSTYLE_CHECKGROUP},
    {IDM_VIEW_SMALL_ICONS, TBSTYLE_CHECKGROUP},
    {IDM_VIEW_LIST, TBSTYLE_CHECKGROUP},
    {IDM_VIEW_DETAILS, TBSTYLE_CHECKGROUP},
    {kSeparator, TBSTYLE_SEP},
    {IDM_VIEW_BROWSE_FOLDER, TBSTYLE_CHECK},
};
const int kButtonCount = sizeof kButtons / sizeof kButtons[0];

HBITMAP s_strip;  // the mapped strip (Windows NT), deleted after the toolbar

}  // namespace

void create_browser_toolbar() {
    destroy_browser_toolbar();
    bool large = g_settings.LargeButtons != 0;
    int side = large ? 24 : 16;
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0, 0,
                                   g_frame.window, (HMENU)(INT_PTR)kBrowserToolbarId, g_frame.instance, nullptr);
    if (!toolbar) return;
    g_frame.browser_toolbar = toolbar;
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELONG(side, side));
    s_strip = AddToolbarStrip(toolbar, large ? IDB_BROWSER_TOOLBAR_LARGE : IDB_BROWSER_TOOLBAR_SMALL, IMG_BROWSER_COUNT);
    TBBUTTON buttons[kButtonCount] = {};
    for (int i = 0; i < kButtonCount; ++i) {
        const CommandRow* row = FindCommand(kButtons[i].id);
        if (!row) {
            buttons[i].fsStyle = TBSTYLE_SEP;
            continue;
        }
        buttons[i].iBitmap = row->browser_image;
        buttons[i].idCommand = row->id;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = kButtons[i].style;
    }
    SendMessageA(toolbar, TB_ADDBUTTONSA, kButtonCount, (LPARAM)buttons);
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    update_browser_toolbar();
}

void update_browser_toolbar() {
    HWND toolbar = g_frame.browser_toolbar;
    if (!toolbar) return;
    WindowFacts facts = CurrentWindowFacts();
    for (const Button& b : kButtons) {
        const CommandRow* row = FindCommand(b.id);
        if (!row) continue;
        bool on = IsCommandEnabledInPanes(b.id, facts);
        SendMessageA(toolbar, TB_ENABLEBUTTON, b.id, MAKELONG(on ? TRUE : FALSE, 0));
        if (b.style == TBSTYLE_CHECKGROUP)
            SendMessageA(toolbar, TB_CHECKBUTTON, b.id, MAKELONG(IsCommandChecked(*row, facts), 0));
    }
    SendMessageA(toolbar, TB_CHECKBUTTON, IDM_VIEW_BROWSE_FOLDER, MAKELONG(g_frame.BrowseMode, 0));
}

void destroy_browser_toolbar() {
    if (g_frame.browser_toolbar) DestroyWindow(g_frame.browser_toolbar);
    g_frame.browser_toolbar = nullptr;
    if (s_strip) DeleteObject(s_strip);
    s_strip = nullptr;
}
