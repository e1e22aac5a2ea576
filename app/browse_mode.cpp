#include "app/browse_mode.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "app/layout.h"
#include "app/open_commands.h"
#include "app/toolbars.h"
#include "browser/browser.h"
#include "shell/recent.h"
#include "ui/file_list.h"
#include "ui/file_list_pure.h"
#include "ui/frame.h"
#include "app/open_commands.h"
#include "viewer/navigation.h"
#include "viewer/playback.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"

namespace {

// The viewer steps through the folder of its own file: a folder browsed
// since, or a list that lost the file, is not it.
void give_viewer_its_folder() {
    const char* current = g_viewer.current_path;
    const FileList& list = g_file_list;
    if (!current[0]) return;
    bool listed = list.current >= 0 && list.current < list.count && lstrcmpiA(list.path[list.current], current) == 0;
    if (!listed) scan_folder(current);
}

void show_viewer() {
    g_frame.BrowseMode = false;
    frame_attach_mode_menu();
    LoadRecentMenus();
    UpdateTitle(g_viewer.current_path);
    LayoutMainWindow();
    SetFocus(g_frame.window);
}

}  // namespace

void enter_browser() {
    if (!g_file_list.folder[0]) return;
    g_frame.BrowseMode = true;
    frame_attach_mode_menu();
    LoadRecentMenus();
    if (!g_frame.browser_toolbar) create_browser_toolbar();
    AddRecentFolder(g_file_list.folder);
    browser_show();
    LayoutMainWindow();
    browser_focus_list();
}

void leave_browser() {
    give_viewer_its_folder();
    show_viewer();
}

void toggle_browse_mode() {
    if (g_frame.BrowseMode) leave_browser();
    else if (g_file_list.count > 0) enter_browser();
    else OnOpenFolderCommand();
}

void open_selected_item() {
    if (!g_frame.BrowseMode) return;
    LPARAM p = browser_first_selected();
    if (p <= -2) {
        browser_open_subfolder((int)(-p - 2));
        return;
    }
    if (p < 0 || p >= g_file_list.count) return;
    if (!file_list_is_image(&g_file_list, (int)p)) {
        ShellExecuteA(g_frame.window, "open", g_file_list.path[p], nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    show_viewer();
    // A picture that did not open leaves the old one on screen: with its own
    // folder to step through, not the one browsed.
    if (GoToIndex((int)p) != kGoShown) {
        give_viewer_its_folder();
        LayoutMainWindow();
    }
}

void full_screen_from_browser() {
    if (!g_viewer.shown) return;
    leave_browser();
    ToggleFullScreen();
}

void slide_show_from_browser(bool tree) {
    if (!(tree ? browser_collect_tree() : browser_collect_selection())) return;
    // The collection is the list to step through: the viewer keeps it
    // rather than reading its own file's folder again.
    if (g_frame.BrowseMode) show_viewer();
    StopSlideShow();
    GoToIndex(0);
    ToggleSlideShow();  // starts only when a picture is on screen
    LayoutMainWindow();
}

void browser_recreate_toolbar() {
    bool had = g_frame.browser_toolbar != nullptr;
    destroy_browser_toolbar();
    if (had || g_frame.BrowseMode) create_browser_toolbar();
}
