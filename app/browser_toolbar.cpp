// The browser toolbar: its buttons in order, and their state after every
// refresh and selection change. Images and tooltips come from the command
// table.
#include <windows.h>
#include <commctrl.h>

#include "browser/browser.h"
#include "browser/browser_state.h"
#include "browser/browser_status_pure.h"
#include "ui/file_list.h"
#include "res/resource.h"
#include "shell/settings.h"
#include "ui/chrome.h"
#include "app/commands.h"
#include "viewer/viewer_state.h"

namespace {

const int kSeparator = 0;

// When a button is enabled: the toolbar's own rules, which differ from the
// menu's for a few commands (Cut and Copy want a selection here).
enum ButtonRule { kAlways, kWithParent, kWithSelection, kWithPaste, kWithFileUndo, kWithImageSelected, kNotThumbnails };

struct Button {
    int id;
    ButtonRule rule;
    BYTE style;
};

const Button kButtons[] = {
    {IDM_VIEW_UP_ONE_LEVEL, kWithParent, TBSTYLE_BUTTON},
    {kSeparator, kAlways, TBSTYLE_SEP},
    {IDM_FILE_NEW_FOLDER, kNotThumbnails, TBSTYLE_BUTTON},
    {kSeparator, kAlways, TBSTYLE_SEP},
    {IDM_EDIT_CUT, kWithSelection, TBSTYLE_BUTTON},
    {IDM_TOOLBAR_COPY, kWithSelection, TBSTYLE_BUTTON},
    {IDM_EDIT_PASTE, kWithPaste, TBSTYLE_BUTTON},
    {IDM_EDIT_UNDO_FILE_OPERATION, kWithFileUndo, TBSTYLE_BUTTON},
    {kSeparator, kAlways, TBSTYLE_SEP},
    {IDM_FILE_DELETE, kWithSelection, TBSTYLE_BUTTON},
    {IDM_FILE_PROPERTIES, kWithSelection, TBSTYLE_BUTTON},
    {kSeparator, kAlways, TBSTYLE_SEP},
    {IDM_FILE_PRINT, kWithImageSelected, TBSTYLE_BUTTON},
    {kSeparator, kAlways, TBSTYLE_SEP},
    {IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, kWithImageSelected, TBSTYLE_BUTTON},
    {IDM_IMAGE_ROTATE_CLOCKWISE, kWithImageSelected, TBSTYLE_BUTTON},
    {kSeparator, kAlways, TBSTYLE_SEP},
    {IDM_VIEW_THUMBNAILS, kAlways, TBSTYLE_CHECKGROUP},
    {IDM_VIEW_LARGE_ICONS, kAlways, TBSTYLE_CHECKGROUP},
    {IDM_VIEW_SMALL_ICONS, kAlways, TBSTYLE_CHECKGROUP},
    {IDM_VIEW_LIST, kAlways, TBSTYLE_CHECKGROUP},
    {IDM_VIEW_DETAILS, kAlways, TBSTYLE_CHECKGROUP},
    {kSeparator, kAlways, TBSTYLE_SEP},
    {IDM_VIEW_BROWSE_FOLDER, kAlways, TBSTYLE_CHECK},
};
const int kButtonCount = sizeof kButtons / sizeof kButtons[0];

HBITMAP s_strip;  // the mapped strip (Windows NT), deleted after the toolbar

bool has_parent() {
    char parent[260];
    return g_file_list.folder[0] && parent_folder(g_file_list.folder, parent, sizeof parent);
}

bool button_enabled(ButtonRule rule, const WindowFacts& f) {
    switch (rule) {
    case kAlways: return true;
    case kWithParent: return has_parent();
    case kWithSelection: return f.selected_count > 0;
    case kWithPaste: return f.clipboard_has_files;
    case kWithFileUndo: return false;  // no file operation can be undone yet
    case kWithImageSelected: return f.selection_has_image;
    case kNotThumbnails: return f.browse_view != 0;
    }
    return false;
}

}  // namespace

void create_browser_toolbar() {
    destroy_browser_toolbar();
    bool large = g_settings.LargeButtons != 0;
    int side = large ? 24 : 16;
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0, 0,
                                   g_viewer.main_window, (HMENU)(INT_PTR)kBrowserToolbarId, g_viewer.instance, nullptr);
    if (!toolbar) return;
    g_browser.toolbar = toolbar;
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
    HWND toolbar = g_browser.toolbar;
    if (!toolbar) return;
    WindowFacts facts = CurrentWindowFacts();
    for (const Button& b : kButtons) {
        if (b.id == kSeparator) continue;
        SendMessageA(toolbar, TB_ENABLEBUTTON, b.id, MAKELONG(button_enabled(b.rule, facts) ? TRUE : FALSE, 0));
    }
    int view = g_settings.BrowseView >= 0 && g_settings.BrowseView <= 4 ? g_settings.BrowseView : 0;
    for (int mode = 0; mode <= 4; ++mode)
        SendMessageA(toolbar, TB_CHECKBUTTON, IDM_VIEW_THUMBNAILS + mode, MAKELONG(mode == view, 0));
    SendMessageA(toolbar, TB_CHECKBUTTON, IDM_VIEW_BROWSE_FOLDER, MAKELONG(TRUE, 0));
}

void destroy_browser_toolbar() {
    if (g_browser.toolbar) DestroyWindow(g_browser.toolbar);
    g_browser.toolbar = nullptr;
    if (s_strip) DeleteObject(s_strip);
    s_strip = nullptr;
}
