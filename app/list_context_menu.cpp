// The list's right-click menu.
#include <windows.h>

#include "app/context_menu.h"
#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "res/resource.h"
#include "app/commands.h"
#include "ui/frame.h"

namespace {

const int kSeparator = 0;

struct ListMenuItem {
    int command;  // kSeparator: a line
    TextId text;
};

const ListMenuItem kListMenu[] = {
    {IDM_FILE_OPEN_WITH, kTextListOpenWith},
    {IDM_EDIT_WITH, kTextListEditWith},
    {kSeparator, kTextNone},
    {IDM_EDIT_CUT, kTextListCut},
    {IDM_EDIT_COPY, kTextListCopy},
    {IDM_EDIT_PASTE, kTextListPaste},
    {IDM_FILE_DELETE, kTextListDelete},
    {IDM_EDIT_RENAME, kTextListRename},
    {kSeparator, kTextNone},
    {IDM_IMAGE_ROTATE_CLOCKWISE, kTextMenuRotateClockwise},
    {IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, kTextListRotateCounterclockwise},
    {IDM_FILE_PRINT, kTextListPrint},
    {kSeparator, kTextNone},
    {IDM_FILE_NEW_FOLDER, kTextListNewFolder},
    {kSeparator, kTextNone},
    {IDM_CONVERT_TO_PNG, kTextListConvertPng},
    {IDM_CONVERT_TO_JPEG, kTextListConvertJpeg},
    {IDM_CONVERT_TO_BMP, kTextListConvertBmp},
    {IDM_IMAGE_RESIZE_SELECTED, kTextListResizeSelected},
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
        bool enabled = IsCommandEnabledInPanes(item.command, facts);
        append_menu_item(menu, MF_STRING | (enabled ? 0 : MF_GRAYED), item.command, tr(item.text));
    }
    return menu;
}

void show_list_context_menu(int x, int y) {
    HMENU menu = build_list_context_menu();
    if (!menu) return;
    HWND window = g_frame.window;
    modal_enter();  // the items stay the ones the menu was made for
    int chosen = TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, window, nullptr);
    modal_leave();
    DestroyMenu(menu);
    if (chosen) SendMessageA(window, WM_COMMAND, chosen, 0);
}
