#include "app/recent_commands.h"

#include <stdio.h>
#include <string.h>

#include "app/browse_mode.h"
#include "app/open_commands.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "shell/recent.h"
#include "ui/file_list.h"
#include "ui/frame.h"

namespace {

bool folder_exists(const char* entry) {
    char probe[kRecentPathSize];
    recent_folder_probe(entry, probe, sizeof probe);
    return IsFolderPath(probe);
}

}  // namespace

void OnRecentFileCommand(int index) {
    if (index < 0 || index >= g_recent_files.count) return;
    char path[kRecentPathSize];
    lstrcpynA(path, g_recent_files.entry[index], sizeof path);  // opening reorders the list
    OpenFileInViewer(path);
}

void OnRecentFolderCommand(int index) {
    if (index < 0 || index >= g_recent_folders.count) return;
    char folder[kRecentPathSize];
    lstrcpynA(folder, g_recent_folders.entry[index], sizeof folder);
    if (!folder_exists(folder)) {
        show_message(g_frame.window, tr(kTextFolderGone), tr(kTextProduct), MB_OK | MB_ICONINFORMATION);
        return;
    }
    ShowFolderInBrowser(folder);
}

void OpenLastContent() {
    if (g_recent_folders.count > 0 && folder_exists(g_recent_folders.entry[0])) {
        char folder[kRecentPathSize + 1];
        snprintf(folder, sizeof folder, "%s", g_recent_folders.entry[0]);
        size_t n = strlen(folder);
        if (n > 0 && folder[n - 1] != '\\') lstrcatA(folder, "\\");
        scan_folder(folder);
        if (g_file_list.count > 0) {
            enter_browser();
            return;
        }
    }
    if (g_recent_files.count > 0) {
        char path[kRecentPathSize];
        lstrcpynA(path, g_recent_files.entry[0], sizeof path);
        OpenFileInViewer(path);
    }
}
