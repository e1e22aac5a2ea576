#include "app/context_menu.h"

#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "res/resource.h"
#include "app/commands.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

// One item of a popup menu: a command with its label, a separator, or a
// submenu holding the items that follow up to kEndSubmenu.
const int kSeparator = 0;
const int kSubmenu = -1;
const int kEndSubmenu = -2;

struct PopupItem {
    int command;
    TextId text;  // kTextNone: a fixed label instead
    const char* fixed;
};

const PopupItem kViewerContextMenu[] = {
    {IDM_GO_PREVIOUS, kTextMenuPrevious, nullptr},
    {IDM_GO_NEXT, kTextMenuNext, nullptr},
    {kSeparator, kTextNone, nullptr},
    {IDM_EDIT_UNDO, kTextMenuUndo, nullptr},
    {IDM_IMAGE_ROTATE_CLOCKWISE, kTextMenuRotateClockwise, nullptr},
    {IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, kTextMenuRotateCounterclockwise, nullptr},
    {kSeparator, kTextNone, nullptr},
    {kSubmenu, kTextMenuZoom, nullptr},
    {IDM_VIEW_ZOOM_IN, kTextMenuZoomIn, nullptr},
    {IDM_VIEW_ZOOM_OUT, kTextMenuZoomOut, nullptr},
    {kSeparator, kTextNone, nullptr},
    {IDM_VIEW_ACTUAL_SIZE, kTextMenuActualSize, nullptr},
    {IDM_ZOOM_50, kTextNone, "&50%"},  // the same in every language
    {IDM_ZOOM_200, kTextNone, "&200%"},
    {kEndSubmenu, kTextNone, nullptr},
    {IDM_VIEW_BEST_FIT, kTextMenuBestFit, nullptr},
    {IDM_VIEW_SHRINK_TO_FIT, kTextMenuShrinkToFit, nullptr},
    {kSeparator, kTextNone, nullptr},
    {IDM_EDIT_COPY, kTextMenuCopy, nullptr},
    {IDM_WALLPAPER_CENTERED, kTextMenuWallpaper, nullptr},
    {kSeparator, kTextNone, nullptr},
    {IDM_VIEW_FULL_SCREEN, kTextMenuFullScreen, nullptr},
    {IDM_FILE_PROPERTIES, kTextMenuProperties, nullptr},
};

const char* label(const PopupItem& item) {
    if (item.command == IDM_VIEW_FULL_SCREEN && g_frame.fullscreen) return tr(kTextMenuExitFullScreen);
    return item.text == kTextNone ? item.fixed : tr(item.text);
}

}  // namespace

void OnViewerContextMenu(HWND window, LPARAM lparam) {
    POINT at = {(short)LOWORD(lparam), (short)HIWORD(lparam)};
    if (lparam == -1) {  // from the keyboard: the middle of the window
        RECT r;
        GetWindowRect(window, &r);
        at.x = (r.left + r.right) / 2;
        at.y = (r.top + r.bottom) / 2;
    }
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    WindowFacts facts = CurrentWindowFacts();
    HMENU target = menu;
    for (const PopupItem& item : kViewerContextMenu) {
        if (item.command == kSeparator) {
            append_menu_item(target, MF_SEPARATOR, 0, nullptr);
        } else if (item.command == kSubmenu) {
            target = CreatePopupMenu();
            append_menu_item(menu, MF_POPUP, (UINT_PTR)target, tr(item.text));
        } else if (item.command == kEndSubmenu) {
            target = menu;
        } else {
            UINT flags = MF_STRING | (IsCommandEnabled(item.command, facts) ? 0 : MF_GRAYED);
            append_menu_item(target, flags, item.command, label(item));
        }
    }
    modal_enter();  // the picture stays the one the menu was made for
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    modal_leave();
    DestroyMenu(menu);  // the submenu goes with it
}
