// Browse mode through the main window's own commands and the list's own
// messages: entering and leaving, moving between folders, opening items,
// refreshing, and the status texts.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "browser/browser.h"
#include "browser/browser_state.h"
#include "browser/file_list.h"
#include "res/resource.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/scratch.h"
#include "viewer/navigation.h"

namespace {

struct BrowserTest : MainWindowTest {
    std::string folder = temp_folder("lumora-browse");  // ends in a backslash
    void TearDown() override {
        MainWindowTest::TearDown();
        remove_tree(folder);
    }
    std::string Put(const std::string& name, std::vector<uint8_t> bytes = bmp_filled(BmpLayout(), 7)) {
        std::string path = folder + name;
        EXPECT_TRUE(write_file_wide(std::wstring(path.begin(), path.end()), bytes)) << path;
        return path;
    }
    HWND List() { return g_browser.list; }
    int ItemOf(LPARAM param) {
        LVFINDINFOA find = {};
        find.flags = LVFI_PARAM;
        find.lParam = param;
        return (int)SendMessageA(List(), LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find);
    }
    int FileParam(const char* name) {
        for (int i = 0; i < g_file_list.count; ++i)
            if (std::string(g_file_list.path[i]) == folder + name) return i;
        return -1;
    }
    void Select(LPARAM param) {
        ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
        int item = ItemOf(param);
        ASSERT_GE(item, 0) << "no item with parameter " << param;
        ListView_SetItemState(List(), item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        pump_messages();
    }
    void Key(UINT key) {
        SetFocus(List());
        SendMessageA(List(), WM_KEYDOWN, key, 0);
        pump_messages();
    }
    std::string FolderTitle() { return folder.substr(0, folder.size() - 1) + " - Image Explorer"; }
};

}  // namespace

TEST_F(BrowserTest, F4EntersTheFolderAndEscapeReturnsToThePicture) {
    std::string a = Put("a.bmp");
    Put("b.bmp");
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    g_settings.BrowseView = 4;
    Command(IDM_VIEW_BROWSE_FOLDER);
    EXPECT_TRUE(g_viewer.BrowseMode);
    EXPECT_EQ(g_settings.BrowseView, 0) << "the browser always opens in Thumbnails";
    EXPECT_EQ(GetMenu(window), g_viewer.browser_menu);
    EXPECT_EQ(window_title(), FolderTitle());
    ASSERT_TRUE(List() && IsWindowVisible(List()));
    EXPECT_FALSE(IsWindowVisible(g_viewer.toolbar)) << "the browser toolbar takes the viewer toolbar's place";
    EXPECT_TRUE(IsWindowVisible(g_browser.toolbar));
    EXPECT_EQ(status_part(0), "2 objects");
    Command(IDM_VIEW_DETAILS);
    for (int id = IDM_VIEW_THUMBNAILS; id <= IDM_VIEW_DETAILS; ++id)
        EXPECT_EQ(SendMessageA(g_browser.toolbar, TB_ISBUTTONCHECKED, id, 0) != 0, id == IDM_VIEW_DETAILS) << id;
    EXPECT_NE(SendMessageA(g_browser.toolbar, TB_ISBUTTONCHECKED, IDM_VIEW_BROWSE_FOLDER, 0), 0);
    EXPECT_NE(SendMessageA(g_viewer.toolbar, TB_ISBUTTONCHECKED, IDM_VIEW_BROWSE_FOLDER, 0), 0);

    Key(VK_ESCAPE);
    EXPECT_FALSE(g_viewer.BrowseMode);
    EXPECT_EQ(GetMenu(window), g_viewer.viewer_menu);
    EXPECT_EQ(window_title(), "a.bmp - Lumora");
    EXPECT_FALSE(IsWindowVisible(List()));
    EXPECT_FALSE(IsWindowVisible(g_browser.toolbar));
    EXPECT_EQ(SendMessageA(g_viewer.toolbar, TB_ISBUTTONCHECKED, IDM_VIEW_BROWSE_FOLDER, 0), 0);
}

TEST_F(BrowserTest, FoldersOpenAndUpOneLevelGoesBack) {
    Put("a.bmp");
    CreateDirectoryA((folder + "sub").c_str(), nullptr);
    std::string inner = Put("sub\\inner.bmp");
    ShowFolderInBrowser(folder.c_str());
    Command(IDM_VIEW_DETAILS);
    ASSERT_EQ(g_browser.subfolders.count, 1);
    Select(folder_item_param(0));
    NMHDR double_click = {List(), (UINT_PTR)kListViewId, (UINT)NM_DBLCLK};
    SendMessageA(window, WM_NOTIFY, kListViewId, (LPARAM)&double_click);
    pump_messages();
    EXPECT_STREQ(g_file_list.folder, (folder + "sub\\").c_str());
    EXPECT_EQ(g_file_list.count, 1);

    Command(IDM_VIEW_UP_ONE_LEVEL);
    EXPECT_STREQ(g_file_list.folder, folder.c_str());
    EXPECT_EQ(window_title(), FolderTitle());

    // Enter on an image leaves the browser and shows it.
    Select(FileParam("a.bmp"));
    Key(VK_RETURN);
    EXPECT_FALSE(g_viewer.BrowseMode);
    EXPECT_EQ(std::string(g_viewer.current_path), folder + "a.bmp");
    EXPECT_EQ(window_title(), "a.bmp - Lumora");
}

TEST_F(BrowserTest, AFailedOpenLeavesTheViewerWithItsOwnTitleAndMenu) {
    std::string a = Put("a.bmp");
    Put("broken.bmp", {'B', 'M', 1, 2, 3});
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    Command(IDM_VIEW_BROWSE_FOLDER);
    Command(IDM_VIEW_DETAILS);
    Select(FileParam("broken.bmp"));
    answer_next_dialog(IDOK);
    Key(VK_RETURN);
    stop_answering();
    EXPECT_TRUE(last_dialog().seen) << "the failure is told";
    EXPECT_FALSE(g_viewer.BrowseMode);
    EXPECT_EQ(GetMenu(window), g_viewer.viewer_menu);
    EXPECT_EQ(window_title(), "a.bmp - Lumora") << "the picture still shown keeps its title";
}

TEST_F(BrowserTest, RefreshReadsTheShownFolderAndLeavesAnEditedPictureAlone) {
    std::string a = Put("a.bmp");
    CreateDirectoryA((folder + "other").c_str(), nullptr);
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    Command(IDM_IMAGE_ROTATE_CLOCKWISE);
    ASSERT_TRUE(g_viewer.edited);
    Image* edited = g_viewer.shown;
    ShowFolderInBrowser((folder + "other").c_str());
    EXPECT_EQ(g_file_list.count, 0);
    Put("other\\new.bmp");
    Command(IDM_VIEW_REFRESH);  // a question about the edit would stay unanswered and fail the test
    EXPECT_STREQ(g_file_list.folder, (folder + "other\\").c_str()) << "F5 stays in the shown folder";
    EXPECT_EQ(g_file_list.count, 1);
    EXPECT_EQ(g_viewer.shown, edited);
    EXPECT_TRUE(g_viewer.edited);
}

TEST_F(BrowserTest, ACollectedListIsReadAgainAsTheFolder) {
    std::string a = Put("a.bmp");
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    Put("b.bmp");
    g_file_list.collected = true;  // as a slide show of a selection leaves it
    Command(IDM_VIEW_BROWSE_FOLDER);
    EXPECT_EQ(g_file_list.count, 2);
    EXPECT_FALSE(g_file_list.collected);
    EXPECT_STREQ(g_file_list.path[g_file_list.current], a.c_str()) << "the list stays on the shown picture";
}

TEST_F(BrowserTest, SelectionTextsAndTheEmptyListsFolderPicker) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) Put(name);
    Put("notes.txt", {'x'});
    ShowFolderInBrowser(folder.c_str());
    Command(IDM_VIEW_DETAILS);
    Command(IDM_EDIT_SELECT_ALL);
    pump_messages();
    EXPECT_EQ(status_part(0), "3 objects selected");
    Select(FileParam("b.bmp"));
    EXPECT_EQ(status_part(0), "1 object selected");
    EXPECT_EQ(status_part(2), "2 x 2 px");

    // Without a file in the list F4 asks for a folder instead.
    ShowFolderInBrowser((folder + "none").c_str());
    ASSERT_EQ(g_file_list.count, 0);
    leave_browser();
    answer_next_dialog(IDCANCEL);
    Command(IDM_VIEW_BROWSE_FOLDER);
    stop_answering();
    EXPECT_TRUE(last_dialog().seen);
    EXPECT_FALSE(g_viewer.BrowseMode);
}
