// The list's right-click menu.
#include <windows.h>

#include "browser/browser_state.h"
#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "res/resource.h"
#include "app/commands.h"
#include "viewer/viewer_state.h"

namespace {

const int kSeparator = 0;

struct ListMenuItem {
    int command;  // kSeparator: a line
    TextId text;
    // Also gray without a selection, where the command's own rule would let
    // it be (Cut and Rename are enabled in the menu bar whenever browsing).
    bool needs_selection;
};

const ListMenuItem kListMenu[] = {
    {IDM_FILE_OPEN_WITH, kTextListOpenWith, true},
    {IDM_EDIT_WITH, kTextListEditWith, true},
    {kSeparator, kTextNone, false},
    {IDM_EDIT_CUT, kTextListCut, true},
    {IDM_EDIT_COPY, kTextListCopy, true},
    {IDM_EDIT_PASTE, kTextListPaste, false},
    {IDM_FILE_DELETE, kTextListDelete, true},
    {IDM_EDIT_RENAME, kTextListRename, true},
    {kSeparator, kTextNone, false},
    {IDM_IMAGE_ROTATE_CLOCKWISE, kTextMenuRotateClockwise, false},
    {IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, kTextListRotateCounterclockwise, false},
    {IDM_FILE_PRINT, kTextListPrint, false},
    {kSeparator, kTextNone, false},
    {IDM_FILE_NEW_FOLDER, kTextListNewFolder, false},
    {kSeparator, kTextNone, false},
    {IDM_CONVERT_TO_PNG, kTextListConvertPng, false},
    {IDM_CONVERT_TO_JPEG, kTextListConvertJpeg, false},
    {IDM_CONVERT_TO_BMP, kTextListConvertBmp, false},
    {IDM_IMAGE_RESIZE_SELECTED, kTextListResizeSelected, false},
};

}  // namespace

HMENU build_list_context_menu() {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    WindowFacts facts = CurrentWindowFacts();
    for (const ListMenuItem& item : kListMenu) {
        if (item.command == kSeparator) {
            append_menu_item(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        bool enabled = IsCommandEnabled(item.command, facts) && (!item.needs_selection || facts.selected_count > 0);
        append_menu_item(menu, MF_STRING | (enabled ? 0 : MF_GRAYED), item.command, tr(item.text));
    }
    return menu;
}

void show_list_context_menu(int x, int y) {
    HMENU menu = build_list_context_menu();
    if (!menu) return;
    HWND window = g_viewer.main_window;
    modal_enter();  // the items stay the ones the menu was made for
    int chosen = TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, window, nullptr);
    modal_leave();
    DestroyMenu(menu);
    if (chosen) SendMessageA(window, WM_COMMAND, chosen, 0);
}
