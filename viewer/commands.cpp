#include "viewer/commands.h"

#include <windows.h>

#include "browser/browser.h"
#include "browser/file_list.h"
#include "res/resource.h"
#include "shell/recent.h"
#include "shell/settings.h"
#include "viewer/chrome.h"
#include "viewer/document.h"
#include "viewer/edit_commands.h"
#include "viewer/layout.h"
#include "viewer/playback.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"

namespace {

void exit_command(int) { PostMessageA(g_viewer.main_window, WM_CLOSE, 0, 0); }

void large_buttons_command(int) {
    g_settings.LargeButtons = !g_settings.LargeButtons;  // written by the next full save only
    HMENU menu = GetMenu(g_viewer.main_window);
    if (menu)
        CheckMenuItem(menu, IDM_VIEW_LARGE_TOOLBAR_BUTTONS,
                      MF_BYCOMMAND | (g_settings.LargeButtons ? MF_CHECKED : MF_UNCHECKED));
    CreateToolbar();
    BrowserRecreateToolbar();
    LayoutMainWindow();
}

void zoom_command(int id) { ZoomCommand(id); }

void refresh_command(int) {
    if (!g_viewer.current_path[0]) return;
    if (g_viewer.edited && !ConfirmDiscard()) return;
    char path[260];
    lstrcpynA(path, g_viewer.current_path, sizeof path);
    if (LoadDocument(path)) {
        scan_folder(path);
        if (g_viewer.BrowseMode) BrowserCommand(IDM_VIEW_REFRESH);
    }
    LayoutMainWindow();
}

void full_screen_command(int) { ToggleFullScreen(); }

void browser_command(int id) { BrowserCommand(id); }

void open_selected_command(int) { BrowserOpenSelected(); }

}  // namespace

// In id order. A null handler is a command whose work is not built yet.
const CommandRow kCommandTable[] = {
    {40001, 40001, "open dialog", OnOpenCommand, nullptr},
    {40002, 40002, "save as", nullptr, nullptr},
    {40003, 40003, "print dialog, layout 0", nullptr, nullptr},
    {40004, 40004, "delete", nullptr, browser_command},
    {40005, 40005, "properties", nullptr, browser_command},
    {40006, 40006, "exit", exit_command, nullptr},
    {40007, 40007, "save", nullptr, nullptr},
    {40008, 40008, "open folder", OnOpenFolderCommand, nullptr},
    {40009, 40009, "edit in paint", nullptr, nullptr},
    {40010, 40013, "navigation", OnStepCommand, nullptr},
    {40020, 40023, "zoom", zoom_command, nullptr},
    {40024, 40024, "full screen", full_screen_command, nullptr},
    {40025, 40025, "slide show", nullptr, browser_command},
    {40026, 40026, "large toolbar buttons", large_buttons_command, nullptr},
    {40027, 40027, "browse folder / back to viewer", browser_command, nullptr},
    {40028, 40028, "options", nullptr, nullptr},
    {40029, 40029, "refresh", refresh_command, nullptr},
    {40030, 40031, "rotate", nullptr, browser_command},
    {40032, 40036, "browser view mode", browser_command, nullptr},
    {40037, 40037, "folder tree", browser_command, nullptr},
    {40038, 40038, "cut", browser_command, nullptr},
    {40039, 40039, "new folder", browser_command, nullptr},
    {40040, 40040, "about", nullptr, nullptr},
    {40050, 40052, "wallpaper", nullptr, nullptr},
    {40060, 40061, "flip", nullptr, nullptr},
    {40062, 40062, "resize", nullptr, nullptr},
    {40063, 40063, "crop", nullptr, nullptr},
    {40064, 40064, "adjust colors", nullptr, nullptr},
    {40065, 40065, "grayscale", nullptr, nullptr},
    {40066, 40066, "copy", nullptr, browser_command},
    {40067, 40067, "export frames", nullptr, nullptr},
    {40068, 40068, "print dialog, layout 4", nullptr, nullptr},
    {40069, 40069, "undo", nullptr, browser_command},
    {40070, 40072, "pages and play", nullptr, nullptr},
    {40080, 40087, "zoom", zoom_command, nullptr},
    {40090, 40093, "batch conversion and resize", browser_command, nullptr},
    {40100, 40103, "thumbnail size", browser_command, nullptr},
    {40104, 40104, "select all", browser_command, nullptr},
    {40106, 40106, "rename", browser_command, nullptr},
    {40108, 40109, "up one level, browser copy", browser_command, nullptr},
    {40118, 40119, "paste, browser undo", browser_command, nullptr},
    {40130, 40130, "open selected", open_selected_command, nullptr},
    {40131, 40133, "copy/move to folder, recursive slide show", browser_command, nullptr},
    {40134, 40140, "arrange, hidden files, file listing", browser_command, nullptr},
    {40141, 40142, "open with, edit with", nullptr, nullptr},
    {40143, 40143, "help topics", nullptr, nullptr},
    {40144, 40144, "address bar", browser_command, nullptr},
};
const int kCommandTableSize = sizeof kCommandTable / sizeof kCommandTable[0];

const CommandRow* FindCommand(int id) {
    for (const CommandRow& row : kCommandTable)
        if (id >= row.first && id <= row.last) return &row;
    return nullptr;
}

bool DispatchCommand(int id) {
    if (id >= IDM_RECENT_FILE_FIRST && id <= IDM_RECENT_FILE_LAST) {
        OnRecentFileCommand(id - IDM_RECENT_FILE_FIRST);
        return true;
    }
    if (id >= IDM_RECENT_FOLDER_FIRST && id <= IDM_RECENT_FOLDER_LAST) {
        OnRecentFolderCommand(id - IDM_RECENT_FOLDER_FIRST);
        return true;
    }
    const CommandRow* row = FindCommand(id);
    if (!row) return false;
    CommandHandler handler = (g_viewer.BrowseMode && row->browser) ? row->browser : row->viewer;
    if (handler) handler(id);
    return true;
}
