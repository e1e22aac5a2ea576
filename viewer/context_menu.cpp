#include "platform/bridge.h"
#include "platform/text.h"
#include "res/resource.h"
#include "viewer/input.h"
#include "viewer/viewer_state.h"

namespace {

// One row of the viewer's context menu.
enum ItemRule { kAlways, kSeveralFiles, kHasUndo };
struct ContextItem {
    int text;  // text id; -1 a separator; -2 the zoom submenu
    int command;
    ItemRule rule;
};

const ContextItem kContextItems[] = {
    {134, IDM_GO_PREVIOUS, kSeveralFiles},
    {135, IDM_GO_NEXT, kSeveralFiles},
    {-1, 0, kAlways},
    {136, IDM_EDIT_UNDO, kHasUndo},
    {125, IDM_IMAGE_ROTATE_CLOCKWISE, kAlways},
    {127, IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, kAlways},
    {-1, 0, kAlways},
    {-2, 0, kAlways},
    {141, IDM_VIEW_BEST_FIT, kAlways},
    {142, IDM_VIEW_SHRINK_TO_FIT, kAlways},
    {-1, 0, kAlways},
    {143, IDM_EDIT_COPY, kAlways},
    {144, IDM_WALLPAPER_CENTERED, kAlways},
    {-1, 0, kAlways},
    {145, IDM_VIEW_FULL_SCREEN, kAlways},  // "E&xit Full Screen" in full screen
    {147, IDM_FILE_PROPERTIES, kAlways},
};

HMENU zoom_submenu() {
    HMENU zoom = CreatePopupMenu();
    append_menu_item(zoom, MF_STRING, IDM_VIEW_ZOOM_IN, tr(kTextMenuZoomIn));
    append_menu_item(zoom, MF_STRING, IDM_VIEW_ZOOM_OUT, tr(kTextMenuZoomOut));
    append_menu_item(zoom, MF_SEPARATOR, 0, nullptr);
    append_menu_item(zoom, MF_STRING, IDM_VIEW_ACTUAL_SIZE, tr(kTextMenuActualSize));
    append_menu_item(zoom, MF_STRING, IDM_ZOOM_50, "&50%");  // fixed, not translated
    append_menu_item(zoom, MF_STRING, IDM_ZOOM_200, "&200%");
    return zoom;
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
    for (const ContextItem& item : kContextItems) {
        if (item.text == -1) {
            append_menu_item(menu, MF_SEPARATOR, 0, nullptr);
        } else if (item.text == -2) {
            append_menu_item(menu, MF_POPUP, (UINT_PTR)zoom_submenu(), tr(kTextMenuZoom));
        } else {
            UINT flags = MF_STRING;
            if (item.rule == kSeveralFiles && g_viewer.FileList.count <= 1) flags |= MF_GRAYED;
            if (item.rule == kHasUndo && !g_viewer.undo_image) flags |= MF_GRAYED;
            int text = (item.command == IDM_VIEW_FULL_SCREEN && g_viewer.fullscreen) ? 146 : item.text;
            append_menu_item(menu, flags, item.command, tr((TextId)text));
        }
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    DestroyMenu(menu);  // the submenu goes with it
}
