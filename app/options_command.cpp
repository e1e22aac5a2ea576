#include "app/options_command.h"

#include "app/browse_mode.h"
#include "app/layout.h"
#include "app/toolbars.h"
#include "browser/browser.h"
#include "browser/thumb_cache.h"
#include "core/color_profile.h"
#include "shell/options_dialog.h"
#include "shell/settings.h"
#include "ui/file_list.h"
#include "ui/frame.h"
#include "viewer/document.h"
#include "viewer/read_ahead.h"
#include "viewer/viewer_state.h"

namespace {

// Decodes from now on give other colours: nothing made by an earlier one
// may stand for a file any more. The cache files go (they are made again as
// the browser shows them), the picture read ahead goes, and the shown
// picture stays on screen but no longer makes thumbnails. No job decodes
// meanwhile: commands wait for the folder list's jobs.
void color_profiles_changed() {
    color_profiles_enable(g_settings.ColorProfiles != 0);
    DropReadAhead();
    ForgetPictureAsOnDisk();
    clear_thumbnail_cache();
    if (g_frame.BrowseMode && g_file_list.folder[0]) refresh_browser();
}

}  // namespace

void ShowOptions() {
    const Settings before = g_settings;
    RunOptionsSheet(g_frame.window, clear_thumbnail_cache);
    // Whichever button closed the sheet: after Cancel nothing differs and
    // only the save and the layout remain.
    SetWindowPos(g_frame.window, g_settings.AlwaysTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (g_settings.LargeButtons != before.LargeButtons) {
        CreateToolbar();
        browser_recreate_toolbar();
    }
    if (g_settings.FolderTree && !before.FolderTree && g_frame.BrowseMode) {
        create_folder_tree();
        select_folder_in_tree(g_file_list.folder);
    }
    if (g_settings.ShowAllFiles != before.ShowAllFiles || g_settings.ShowHidden != before.ShowHidden) {
        if (g_frame.BrowseMode && g_file_list.folder[0]) {
            rescan_file_list();
            refresh_browser();
            if (g_settings.ShowHidden != before.ShowHidden) refresh_folder_tree();
        } else if (g_viewer.current_path[0]) {
            scan_folder(g_viewer.current_path);
        }
    }
    if (g_settings.ColorProfiles != before.ColorProfiles) color_profiles_changed();
    SaveSettings();
    LayoutMainWindow();
}
