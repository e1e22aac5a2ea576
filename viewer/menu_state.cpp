#include <string.h>

#include "browser/browser.h"
#include "browser/file_list.h"
#include "browser/file_list_pure.h"
#include "shell/settings.h"
#include "viewer/chrome.h"
#include "viewer/menu_rules_pure.h"
#include "viewer/viewer_state.h"

static bool list_has_image() {
    const FileList& list = g_viewer.FileList;
    for (int i = 0; i < list.count; ++i)
        if (file_list_is_image(&list, i)) return true;
    return false;
}

void UpdateMenuState() {
    HMENU menu = g_viewer.main_window ? GetMenu(g_viewer.main_window) : nullptr;
    if (!menu) return;  // none attached, as in full screen
    MenuFacts f = {};
    f.image_shown = g_viewer.shown != nullptr;
    f.file_count = g_viewer.FileList.count;
    f.list_has_image = g_viewer.BrowseMode && list_has_image();
    f.frame_count = g_viewer.frame_count;
    f.browse_mode = g_viewer.BrowseMode;
    f.selected_count = g_viewer.BrowseMode ? BrowserSelectedCount() : 0;
    f.selection_has_image = g_viewer.BrowseMode && BrowserSelectionHasImage();
    f.has_undo = g_viewer.undo_image != nullptr;
    f.has_current_path = g_viewer.current_path[0] != 0;
    f.clipboard_has_files = g_viewer.BrowseMode && IsClipboardFormatAvailable(CF_HDROP);
    f.browse_view = g_settings.BrowseView;
    f.sort_key = SortKey;
    f.thumb_size = g_settings.ThumbSize;
    f.folder_tree = g_settings.FolderTree != 0;
    f.addr_bar = g_settings.AddrBar != 0;
    f.show_all_files = g_settings.ShowAllFiles != 0;
    f.show_hidden = g_settings.ShowHidden != 0;
    f.large_buttons = g_settings.LargeButtons != 0;

    MenuState state;
    ComputeMenuState(f, &state);
    for (int i = 0; i < state.item_count; ++i)
        EnableMenuItem(menu, state.items[i].id, MF_BYCOMMAND | (state.items[i].enabled ? MF_ENABLED : MF_GRAYED));
    for (int i = 0; i < state.radio_count; ++i) {
        const MenuRadio& r = state.radios[i];
        CheckMenuRadioItem(menu, r.first, r.last, r.chosen, MF_BYCOMMAND);
    }
    for (int i = 0; i < state.check_count; ++i)
        CheckMenuItem(menu, state.checks[i].id, MF_BYCOMMAND | (state.checks[i].checked ? MF_CHECKED : MF_UNCHECKED));
    DrawMenuBar(g_viewer.main_window);
}
