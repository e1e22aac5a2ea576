#include "app/print_commands.h"

#include <windows.h>
#include <commctrl.h>

#include "browser/browser_state.h"
#include "print/print.h"
#include "print/print_layout_pure.h"
#include "ui/file_list.h"
#include "ui/file_list_pure.h"
#include "ui/frame.h"
#include "viewer/viewer_state.h"

namespace {

// In the browser: the selected pictures in list order, else every picture of
// the folder. In the viewer: its file, else the folder list as it is.
std::vector<std::string> print_list() {
    std::vector<std::string> paths;
    const FileList& files = g_file_list;
    if (g_frame.BrowseMode && g_browser.list) {
        HWND list = g_browser.list;
        for (int item = ListView_GetNextItem(list, -1, LVNI_SELECTED); item >= 0;
             item = ListView_GetNextItem(list, item, LVNI_SELECTED)) {
            LPARAM p = list_item_param(list, item);
            if (p >= 0 && p < files.count && file_list_is_image(&files, (int)p)) paths.push_back(files.path[p]);
        }
        if (paths.empty())
            for (int i = 0; i < files.count; ++i)
                if (file_list_is_image(&files, i)) paths.push_back(files.path[i]);
    } else if (g_viewer.current_path[0]) {
        paths.push_back(g_viewer.current_path);
    } else {
        for (int i = 0; i < files.count; ++i) paths.push_back(files.path[i]);
    }
    if ((int)paths.size() > kMaxPrintFiles) paths.resize(kMaxPrintFiles);
    return paths;
}

}  // namespace

void print_command(int layout) {
    PrintSource source = {print_list(), g_viewer.shown, g_viewer.current_path};
    PrintCommand(layout, source);
}
