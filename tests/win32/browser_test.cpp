// Browse mode through the main window's own commands and the list's own
// messages: entering and leaving, moving between folders, opening items,
// refreshing, and the status texts.
#include "app/browse_mode.h"
#include "browser/browser.h"
#include "platform/text.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"

namespace {

struct BrowserTest : FolderTest {
    HWND List() { return g_browser.list; }
    int FileParam(const char* name) {
        for (int i = 0; i < g_file_list.count; ++i)
            if (std::string(g_file_list.path[i]) == folder + name) return i;
        return -1;
    }
    void Select(LPARAM param) {
        ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
        LVFINDINFOA find = {LVFI_PARAM, nullptr, param, {}, 0};
        int item = (int)SendMessageA(List(), LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find);
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

// A toolbar's pixels as the screen shows them, or as it draws itself on a
// clean background of the face colour.
std::vector<uint32_t> toolbar_pixels(HWND toolbar, bool on_screen) {
    if (on_screen)
        RedrawWindow(GetParent(toolbar), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r;
    GetClientRect(toolbar, &r);
    return client_pixels(toolbar, rgb_of(GetSysColor(COLOR_BTNFACE)), [&](HDC memory, HDC dc) {
        if (on_screen) BitBlt(memory, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
        else SendMessageA(toolbar, WM_PAINT, (WPARAM)memory, 0);
    });
}

}  // namespace

TEST_F(BrowserTest, F4EntersTheFolderAndEscapeReturnsToThePicture) {
    std::string a = Put("a.bmp");
    Put("b.bmp");
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    g_settings.BrowseView = 4;
    Command(IDM_VIEW_BROWSE_FOLDER);
    EXPECT_TRUE(g_frame.BrowseMode);
    EXPECT_EQ(g_settings.BrowseView, 0) << "the browser always opens in Thumbnails";
    EXPECT_EQ(GetMenu(window), g_frame.browser_menu);
    EXPECT_EQ(window_title(), FolderTitle());
    ASSERT_TRUE(List() && IsWindowVisible(List()));
    EXPECT_FALSE(IsWindowVisible(g_frame.toolbar)) << "the browser toolbar takes the viewer toolbar's place";
    EXPECT_TRUE(IsWindowVisible(g_frame.browser_toolbar));
    EXPECT_EQ(status_part(0), "2 objects");
    Command(IDM_VIEW_DETAILS);
    for (int id = IDM_VIEW_THUMBNAILS; id <= IDM_VIEW_DETAILS; ++id)
        EXPECT_EQ(SendMessageA(g_frame.browser_toolbar, TB_ISBUTTONCHECKED, id, 0) != 0, id == IDM_VIEW_DETAILS) << id;
    EXPECT_NE(SendMessageA(g_frame.browser_toolbar, TB_ISBUTTONCHECKED, IDM_VIEW_BROWSE_FOLDER, 0), 0);
    EXPECT_NE(SendMessageA(g_frame.toolbar, TB_ISBUTTONCHECKED, IDM_VIEW_BROWSE_FOLDER, 0), 0);

    Key(VK_ESCAPE);
    EXPECT_FALSE(g_frame.BrowseMode);
    EXPECT_EQ(GetMenu(window), g_frame.viewer_menu);
    EXPECT_EQ(window_title(), "a.bmp - Lumora");
    EXPECT_FALSE(IsWindowVisible(List()));
    EXPECT_FALSE(IsWindowVisible(g_frame.browser_toolbar));
    EXPECT_EQ(SendMessageA(g_frame.toolbar, TB_ISBUTTONCHECKED, IDM_VIEW_BROWSE_FOLDER, 0), 0);
}

// Enter on a picture is pressed in tests/e2e/browse_folder.sh.
TEST_F(BrowserTest, FoldersOpenAndUpOneLevelGoesBack) {
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
    EXPECT_TRUE(last_dialog().seen);
    EXPECT_FALSE(g_frame.BrowseMode);
}

// Previous and Next go through the folder of the picture on screen, whatever
// folder was browsed in between, and opening a picture leaves the browser;
// one that fails to open leaves the viewer with its own picture, title and menu.
TEST_F(BrowserTest, TheViewerStepsThroughTheFolderOfItsOwnPicture) {
    std::string a = Put("a.bmp"), b = Put("b.bmp");
    CreateDirectoryA((folder + "sub").c_str(), nullptr);
    CreateDirectoryA((folder + "empty").c_str(), nullptr);
    for (const char* name : {"sub\\x.bmp", "sub\\y.bmp", "sub\\z.bmp"}) Put(name);
    Put("sub\\broken.bmp", {'B', 'M', 1});
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    auto own_folder_on = [&](const std::string& path, const char* how) {
        EXPECT_FALSE(g_frame.BrowseMode) << how;
        EXPECT_STREQ(g_file_list.folder, folder.c_str()) << how;
        ASSERT_EQ(g_file_list.count, 2) << how;
        EXPECT_EQ(g_file_list.path[g_file_list.current], path) << how;
        EXPECT_EQ(status_part(0).substr(0, 5), path.substr(path.size() - 5)) << how;
    };
    for (const char* other : {"sub", "empty"}) {
        ShowFolderInBrowser((folder + other).c_str());
        Command(IDM_VIEW_BROWSE_FOLDER);  // back without opening anything
        own_folder_on(a, other);
    }
    Command(IDM_GO_NEXT);
    EXPECT_STREQ(g_viewer.current_path, b.c_str());

    ShowFolderInBrowser((folder + "sub").c_str());
    Command(IDM_VIEW_DETAILS);
    Select(FileParam("sub\\broken.bmp"));
    answer_next_dialog(IDOK);
    Key(VK_RETURN);
    EXPECT_TRUE(last_dialog().seen) << "the failure is told";
    own_folder_on(b, "after a picture of the browsed folder failed to open");
    EXPECT_EQ(GetMenu(window), g_frame.viewer_menu);
    EXPECT_EQ(window_title(), "b.bmp - Lumora") << "the picture still shown keeps its title";

    // A file opened from elsewhere (Open, a second start) while browsing.
    ShowFolderInBrowser((folder + "sub").c_str());
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    own_folder_on(a, "opened while another folder was browsed");
}

// The edits and full screen act on what the user sees: the picture behind
// the list is not theirs.
TEST_F(BrowserTest, ThePictureBehindTheListIsNotEditedAndF11ShowsIt) {
    std::string a = Put("a.bmp");
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    Command(IDM_VIEW_BROWSE_FOLDER);
    const Image* before = g_viewer.shown;
    for (int id : {IDM_IMAGE_RESIZE, IDM_IMAGE_ADJUST_COLORS, IDM_IMAGE_FLIP_HORIZONTAL, IDM_IMAGE_FLIP_VERTICAL,
                   IDM_IMAGE_GRAYSCALE, IDM_IMAGE_CROP}) {
        answer_next_dialog(IDCANCEL);
        Command(id);
        EXPECT_FALSE(last_dialog().seen) << id << ": " << last_dialog().title;
        EXPECT_EQ(g_viewer.shown, before) << id;
        EXPECT_FALSE(g_viewer.crop_mode) << id;
        EXPECT_EQ(window_title(), FolderTitle()) << id;
    }
    Command(IDM_VIEW_FULL_SCREEN);
    EXPECT_FALSE(g_frame.BrowseMode);
    EXPECT_TRUE(g_frame.fullscreen);
    Command(IDM_VIEW_FULL_SCREEN);
    EXPECT_FALSE(g_frame.fullscreen);

    CloseDocument();  // no picture: nothing to show full screen
    ShowFolderInBrowser(folder.c_str());
    Command(IDM_VIEW_FULL_SCREEN);
    EXPECT_TRUE(g_frame.BrowseMode);
    EXPECT_FALSE(g_frame.fullscreen);
}

// Edit in Paint on the first selected file: its type's "edit" verb, else
// the paint program, else the user is told.
TEST_F(BrowserTest, EditInPaintHandsTheSelectedFileToItsEditor) {
    std::string copied = folder + "handed-over";
    EditVerb verb("cmd.exe /c copy \"%1\" \"" + copied + "\"");
    Put("plain.bmp");
    std::string picture = Put("picture.lumedit", bmp_filled(BmpLayout(), 3));
    g_settings.ShowAllFiles = 1;  // list the file of the unknown type too
    ShowFolderInBrowser(folder.c_str());
    Command(IDM_VIEW_DETAILS);

    Select(FileParam("plain.bmp"));  // no editor here for bitmaps, and no paint program
    answer_next_dialog(IDOK);
    Command(IDM_EDIT_IN_PAINT);
    EXPECT_EQ(last_dialog().text, tr(kTextCouldNotOpenEditor));

    Select(FileParam("picture.lumedit"));
    answer_next_dialog(IDOK);
    Command(IDM_EDIT_IN_PAINT);
    EXPECT_FALSE(last_dialog().seen) << last_dialog().text;
    for (int i = 0; i < 200 && GetFileAttributesA(copied.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    EXPECT_EQ(read_whole(copied), read_whole(picture)) << "the editor got the selected file";
    EXPECT_TRUE(g_frame.BrowseMode) << "the browser stays";
}

// Whatever the way into the browser, its toolbar shows its own buttons on a
// clean background, never the viewer's or an old state of its own.
TEST_F(BrowserTest, TheToolbarsAreDrawnCleanAfterEveryModeChange) {
    ASSERT_TRUE(OpenFileInViewer(Put("a.bmp").c_str()));
    auto expect_clean = [](HWND toolbar, const char* after) {
        ASSERT_TRUE(toolbar && IsWindowVisible(toolbar)) << after;
        std::vector<uint32_t> screen = toolbar_pixels(toolbar, true), own = toolbar_pixels(toolbar, false);
        RECT r, box = {};  // the viewer's page box draws itself
        GetClientRect(toolbar, &r);
        if (g_frame.page_box && GetParent(g_frame.page_box) == toolbar) {
            GetWindowRect(g_frame.page_box, &box);
            MapWindowPoints(nullptr, toolbar, (POINT*)&box, 2);
        }
        size_t differ = 0;
        for (size_t i = 0; i < screen.size(); ++i) {
            POINT p = {(LONG)(i % r.right), (LONG)(i / r.right)};
            differ += screen[i] != own[i] && !PtInRect(&box, p);
        }
        EXPECT_EQ(differ, 0u) << "pixels of the toolbar unlike its own drawing after " << after;
    };
    const struct { std::vector<int> commands; const char* what; } steps[] = {
        {{IDM_VIEW_BROWSE_FOLDER}, "F4"},
        {{IDM_VIEW_DETAILS, IDM_VIEW_LIST}, "two view modes"},
        {{IDM_VIEW_LARGE_TOOLBAR_BUTTONS}, "large buttons"},
        {{IDM_VIEW_LARGE_TOOLBAR_BUTTONS, IDM_VIEW_FULL_SCREEN, IDM_VIEW_FULL_SCREEN}, "small buttons and full screen"},
        {{IDM_VIEW_BROWSE_FOLDER}, "F4 again"},
    };
    for (const auto& step : steps) {
        for (int id : step.commands) Command(id);
        pump_messages();
        expect_clean(g_frame.BrowseMode ? g_frame.browser_toolbar : g_frame.toolbar, step.what);
    }
}
