// The recent lists under Wine: the registry values, the File menu's items and
// the commands that reopen an entry. Order and letter-case rules are tested
// natively.
#include "app/browse_mode.h"
#include "app/open_commands.h"
#include "app/recent_commands.h"
#include "res/resource.h"
#include "shell/recent.h"
#include "tests/support/folder_fixture.h"

namespace {

const char kFilesKey[] = "Software\\Harnwick\\Lumora\\Recent";
const char kFoldersKey[] = "Software\\Harnwick\\Lumora\\RecentFolders";

void seed(const char* key_name, const char* value, const std::string& text) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_name, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, value, 0, REG_SZ, (const BYTE*)text.c_str(), (DWORD)text.size() + 1);
    RegCloseKey(key);
}

// The values File0..File7 (or Dir0..): "-" for a missing one.
std::string stored(const char* key_name, const char* format) {
    std::string all;
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, key_name, 0, KEY_QUERY_VALUE, &key);
    for (int i = 0; i < 8; ++i) {
        char name[16], value[300] = "-";
        snprintf(name, sizeof name, format, i);
        DWORD size = sizeof value;
        if (!key || RegQueryValueExA(key, name, nullptr, nullptr, (BYTE*)value, &size) != ERROR_SUCCESS) strcpy(value, "-");
        all += std::string(value) + "|";
    }
    if (key) RegCloseKey(key);
    return all;
}

// The items of the File menu's submenu that holds `first`, as "text#id|".
std::string submenu_items(HMENU bar, int first) {
    HMENU file = GetSubMenu(bar, 0);
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
        HMENU sub = GetSubMenu(file, i);
        if (!sub || GetMenuState(sub, first, MF_BYCOMMAND) == (UINT)-1) continue;
        std::string all;
        for (int k = 0; k < GetMenuItemCount(sub); ++k) {
            char text[300] = "";
            GetMenuStringA(sub, k, text, sizeof text, MF_BYPOSITION);
            all += std::string(text) + "#" + std::to_string(GetMenuItemID(sub, k) - first) + "|";
        }
        return all;
    }
    return "<no submenu>";
}

}  // namespace

// A gap in the stored values closes; one open puts the file first, saves
// the list whole and rebuilds the menu.
TEST_F(FolderTest, RecentFilesFromTheRegistryToTheMenuAndBack) {
    std::string a = Put("a.bmp"), b = Put("b.bmp");
    seed(kFilesKey, "File0", b);
    seed(kFilesKey, "File5", folder + "gone.bmp");
    LoadRecentMenus();
    EXPECT_EQ(g_recent_files.count, 2);
    EXPECT_EQ(submenu_items(g_frame.viewer_menu, IDM_RECENT_FILE_FIRST), "&1 b.bmp#0|&2 gone.bmp#1|");
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    EXPECT_EQ(stored(kFilesKey, "File%d"), a + "|" + b + "|" + folder + "gone.bmp|-|-|-|-|-|");
    EXPECT_EQ(submenu_items(g_frame.viewer_menu, IDM_RECENT_FILE_FIRST), "&1 a.bmp#0|&2 b.bmp#1|&3 gone.bmp#2|");
    Command(IDM_RECENT_FILE_FIRST + 1);
    EXPECT_EQ(g_viewer.current_path, b);
    EXPECT_EQ(stored(kFilesKey, "File%d"), b + "|" + a + "|" + folder + "gone.bmp|-|-|-|-|-|");
    Command(IDM_RECENT_FILE_FIRST + 5);  // past the list: nothing
    EXPECT_EQ(g_viewer.current_path, b);
    for (int i = 0; i < 8; ++i) AddRecentFile((folder + "n" + std::to_string(i) + ".bmp").c_str());
    EXPECT_EQ(stored(kFilesKey, "File%d").substr(0, (folder + "n7.bmp|").size()), folder + "n7.bmp|");
    EXPECT_EQ(g_recent_files.count, 8) << "the ninth and later drop the oldest";
}

// A path of 259 characters is saved and loaded again by the next start.
TEST_F(FolderTest, RecentEntriesOfFullLengthSurviveARestart) {
    std::string longest = "C:\\" + std::string(240, 'd') + "\\" + std::string(11, 'f') + ".bmp";
    ASSERT_EQ(longest.size(), 259u);
    AddRecentFile(longest.c_str());
    std::string long_folder = "C:\\" + std::string(255, 'e') + "\\";
    AddRecentFolder(long_folder.c_str());
    DestroyWindow(window);
    pump_messages();
    g_recent_files = RecentList();
    g_recent_folders = RecentList();
    OpenWindow();
    ASSERT_EQ(g_recent_files.count, 1);
    EXPECT_EQ(std::string(g_recent_files.entry[0]), longest);
    ASSERT_EQ(g_recent_folders.count, 1);
    EXPECT_EQ(std::string(g_recent_folders.entry[0]), long_folder);
    EXPECT_EQ(submenu_items(g_frame.viewer_menu, IDM_RECENT_FOLDER_FIRST),
              "&1 " + long_folder.substr(0, long_folder.size() - 1) + "#0|");
}

// Entering the browser adds its folder; a folder that went away gives the
// message and stays listed; the browser menu has the folders only.
TEST_F(FolderTest, RecentFoldersComeFromTheBrowserAndReopenIt) {
    Put("a.bmp");
    ShowFolderInBrowser(folder.c_str());
    EXPECT_EQ(stored(kFoldersKey, "Dir%d"), folder + "|-|-|-|-|-|-|-|");
    EXPECT_EQ(submenu_items(g_frame.browser_menu, IDM_RECENT_FOLDER_FIRST),
              "&1 " + folder.substr(0, folder.size() - 1) + "#0|");
    EXPECT_EQ(submenu_items(g_frame.browser_menu, IDM_RECENT_FILE_FIRST), "<no submenu>");
    leave_browser();
    std::string gone = folder + "gone\\";
    AddRecentFolder(gone.c_str());
    answer_next_dialog(IDOK);
    Command(IDM_RECENT_FOLDER_FIRST);
    stop_answering();
    EXPECT_EQ(last_dialog().text, "Folder is no longer available.");
    EXPECT_FALSE(g_frame.BrowseMode);
    EXPECT_EQ(g_recent_folders.count, 2) << "the entry stays";
    Command(IDM_RECENT_FOLDER_FIRST + 1);
    EXPECT_TRUE(g_frame.BrowseMode);
    EXPECT_EQ(std::string(g_file_list.folder), folder);
}

// StartLast: the last folder when it holds a picture, else the last file.
TEST_F(FolderTest, StartLastReopensTheLastFolderOrFile) {
    CreateDirectoryA((folder + "pics").c_str(), nullptr);
    CreateDirectoryA((folder + "empty").c_str(), nullptr);
    std::string a = Put("pics\\a.bmp");
    const struct { std::string last_folder; bool browsing; std::string shown; } cases[] = {
        {folder + "pics\\", true, ""},
        {folder + "empty\\", false, a},
        {folder + "gone\\", false, a},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.last_folder);
        g_recent_files = RecentList();
        g_recent_folders = RecentList();
        recent_add(&g_recent_files, a.c_str());
        recent_add(&g_recent_folders, c.last_folder.c_str());
        OpenLastContent();
        EXPECT_EQ(g_frame.BrowseMode, c.browsing);
        if (c.browsing) EXPECT_EQ(std::string(g_file_list.folder), c.last_folder);
        else EXPECT_EQ(std::string(g_viewer.current_path), c.shown);
        if (g_frame.BrowseMode) leave_browser();
        CloseDocument();
        g_viewer.current_path[0] = 0;
    }
}
