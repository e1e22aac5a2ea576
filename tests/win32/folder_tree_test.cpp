// The folder tree and the address bar under Wine: typed addresses, the tree
// following the browser and leading it, hidden folders. The text rules are
// tested natively.
#include "app/open_commands.h"
#include "browser/browser.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"

namespace {

struct FolderTreeTest : FolderTest {
    void Browse(bool tree, bool address_bar) {
        g_settings.FolderTree = tree;
        g_settings.AddrBar = address_bar;
        ShowFolderInBrowser(folder.c_str());
        pump_messages();
    }
    void Type(const std::string& text) {
        HWND bar = address_bar_window();
        SetWindowTextA(bar, text.c_str());
        SendMessageA(bar, WM_KEYDOWN, VK_RETURN, 0);
        SendMessageA(bar, WM_CHAR, '\r', 0);
        pump_messages();
    }
    std::string BarText() { return text_of(address_bar_window()); }
    std::string TreeSelection() {
        HWND tree = folder_tree_window();
        char text[300] = "";
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = TreeView_GetSelection(tree);
        item.pszText = text;
        item.cchTextMax = sizeof text;
        TreeView_GetItem(tree, &item);
        return text;
    }
    // The names under the selected item, after expanding it.
    std::string SelectedChildren() {
        HWND tree = folder_tree_window();
        HTREEITEM selected = TreeView_GetSelection(tree);
        TreeView_Expand(tree, selected, TVE_EXPAND);
        std::string all;
        for (HTREEITEM c = TreeView_GetChild(tree, selected); c; c = TreeView_GetNextSibling(tree, c)) {
            char text[300] = "";
            TVITEMA item = {TVIF_TEXT, c, 0, 0, text, sizeof text, 0, 0, 0, 0};
            TreeView_GetItem(tree, &item);
            all += std::string(text) + "|";
        }
        return all;
    }
};

std::string without_slash(const std::string& folder) { return folder.substr(0, folder.size() - 1); }

}  // namespace

TEST_F(FolderTreeTest, TypedAddressesAreTrimmedMadeAbsoluteAndChecked) {
    Put("a.bmp");
    CreateDirectoryA((folder + "sub").c_str(), nullptr);
    // A folder whose path is 259 characters long: it cannot end in a backslash.
    std::string longest = folder + std::string(259 - folder.size(), 'L');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + std::wstring(longest.begin(), longest.end())).c_str(), nullptr));
    Browse(false, true);
    EXPECT_EQ(BarText(), without_slash(folder));

    const struct { std::string typed; std::string shown; bool refused; } cases[] = {
        {folder + "sub \\ ", folder + "sub\\", false},
        {folder + "a.bmp", folder + "sub\\", true},   // a file: refused, the text put back
        {"..", folder, false},                        // from the current folder, made absolute
        {longest, folder, true},
        {"C:\\no such folder", folder, true},
    };
    SetCurrentDirectoryA((folder + "sub").c_str());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        answer_next_dialog(IDOK);  // only a refusal brings one
        Type(c.typed);
        stop_answering();
        EXPECT_EQ(last_dialog().seen, c.refused);
        if (c.refused) {
            EXPECT_EQ(last_dialog().text, "Folder not found.");
        }
        EXPECT_EQ(std::string(g_file_list.folder), c.shown);
        EXPECT_EQ(BarText(), without_slash(c.shown));
        EXPECT_EQ(window_title(), without_slash(c.shown) + " - Image Explorer");
    }
    RemoveDirectoryW((L"\\\\?\\" + std::wstring(longest.begin(), longest.end())).c_str());
}

// The tree follows the list without navigating again, and leads it when an
// item is picked.
TEST_F(FolderTreeTest, TreeAndListFollowEachOther) {
    CreateDirectoryA((folder + "alpha").c_str(), nullptr);
    CreateDirectoryA((folder + "beta").c_str(), nullptr);
    Put("alpha\\x.bmp");
    Browse(true, false);
    ASSERT_NE(folder_tree_window(), nullptr);
    EXPECT_TRUE(IsWindowVisible(folder_tree_window()));
    std::string name = without_slash(folder).substr(without_slash(folder).rfind('\\') + 1);
    EXPECT_EQ(TreeSelection(), name);
    EXPECT_EQ(SelectedChildren(), "alpha|beta|");

    uint32_t scans = g_file_list.scan_count;
    ASSERT_TRUE(browser_open_subfolder(0));  // alpha, from the list
    EXPECT_EQ(TreeSelection(), "alpha");
    EXPECT_EQ(g_file_list.scan_count, scans + 1) << "one navigation, not a second one from the tree";
    EXPECT_EQ(g_file_list.count, 1);

    HWND tree = folder_tree_window();
    TreeView_SelectItem(tree, TreeView_GetParent(tree, TreeView_GetSelection(tree)));  // the user picks the parent
    pump_messages();
    EXPECT_EQ(std::string(g_file_list.folder), folder);

    Command(IDM_VIEW_FOLDER_TREE);
    EXPECT_FALSE(IsWindowVisible(folder_tree_window()));
    DWORD stored = 1;
    registry_read_dword(HKEY_CURRENT_USER, L"Software\\Harnwick\\Lumora", L"FolderTree", &stored);
    EXPECT_EQ(stored, 0u) << "saved at once";
}

TEST_F(FolderTreeTest, HiddenFoldersOnlyWithShowHidden) {
    CreateDirectoryA((folder + "seen").c_str(), nullptr);
    CreateDirectoryA((folder + "secret").c_str(), nullptr);
    SetFileAttributesA((folder + "secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
    g_settings.ShowHidden = 0;
    Browse(true, false);
    EXPECT_EQ(SelectedChildren(), "seen|");
    Command(IDM_VIEW_SHOW_HIDDEN_FILES);
    EXPECT_EQ(SelectedChildren(), "secret|seen|");
    Command(IDM_VIEW_SHOW_HIDDEN_FILES);
    SetFileAttributesA((folder + "secret").c_str(), FILE_ATTRIBUTE_NORMAL);
}
