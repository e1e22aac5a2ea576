#include "app/shell_commands.h"

#include <windows.h>

#include "browser/browser.h"
#include "browser/browser_state.h"
#include "core/loader.h"
#include "platform/bridge.h"
#include "shell/about.h"
#include "shell/edit_with.h"
#include "shell/help.h"
#include "shell/properties.h"
#include "shell/wallpaper.h"
#include "ui/file_list.h"
#include "ui/frame.h"
#include "viewer/viewer_state.h"

bool CommandTargetPath(char* path) {
    path[0] = 0;
    if (g_frame.BrowseMode) {
        LPARAM p = browser_first_selected();
        if (p >= 0 && p < g_file_list.count) {
            lstrcpynA(path, g_file_list.path[p], kPathBytes);
        } else if (p <= -2 && subfolder_of_param(p) < g_browser.subfolders.count) {
            lstrcpynA(path, g_browser.subfolders.path[subfolder_of_param(p)], kPathBytes);
            size_t length = strlen(path);
            if (length > 3 && path[length - 1] == '\\') path[length - 1] = 0;  // "C:\" keeps its backslash
        }
    } else {
        lstrcpynA(path, g_viewer.current_path, kPathBytes);
    }
    return path[0] != 0;
}

void OpenWithCommand() {
    char path[kPathBytes];
    if (CommandTargetPath(path)) OpenWith(g_frame.window, path);
}

void EditWithCommand() {
    char path[kPathBytes];
    if (CommandTargetPath(path)) EditWith(g_frame.window, path);
}

// While browsing, the selected picture: the viewer's may be another one.
void WallpaperCommand(int mode) {
    char path[kPathBytes];
    if (!g_frame.BrowseMode || (CommandTargetPath(path) && g_viewer.shown && lstrcmpiA(g_viewer.current_path, path) == 0)) {
        SetWallpaper(g_frame.window, g_viewer.shown, mode);
        return;
    }
    if (!path[0]) return;
    char message[128] = "";
    Image* picture = load_image(path, message);
    if (picture) SetWallpaper(g_frame.window, picture, mode);
    image_free(picture);
}

void HelpTopicsCommand() { ShowHelp(g_frame.window, HELP_FINDER, 0); }

void AboutCommand() { ShowAbout(g_frame.window); }

void PropertiesCommand() { ShowProperties(g_frame.window, g_viewer.current_path, g_viewer.shown); }
