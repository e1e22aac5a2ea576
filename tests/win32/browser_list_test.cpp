// The list view's icon views on a real folder: items, cells, headers,
// sorting, icons and the right-click menu, read back from the control.
#include <windows.h>
#include <shlobj.h>

#include "app/context_menu.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"

namespace {

struct BrowserListTest : FolderTest {
    void TearDown() override {
        free_subfolders();
        list_view_shutdown();
        g_browser.list = nullptr;
        g_file_list.SortKey = 0;
        g_file_list.SortAscending = 1;
        FolderTest::TearDown();
    }
    void File(const std::string& name, size_t bytes, WORD year = 0) {
        std::string path = Put(name, std::vector<uint8_t>(bytes, 7));
        SYSTEMTIME when = {year, 6, 0, 15, 12, 30, 45, 0};
        FILETIME time;
        HANDLE f = year ? CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
        if (f && SystemTimeToFileTime(&when, &time)) SetFileTime(f, nullptr, nullptr, &time);
        if (f) CloseHandle(f);
    }
    void Folder(const std::string& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        CreateDirectoryA((folder + name).c_str(), nullptr) && SetFileAttributesA((folder + name).c_str(), attributes);
    }
    // The browser's fill as the browse commands run it.
    void Show(int mode) {
        scan_folder(folder.c_str());
        g_frame.BrowseMode = true;
        g_settings.BrowseView = mode;
        scan_subfolders();
        fill_icon_view();
    }
    LONG ViewType() { return GetWindowLongA(g_browser.list, GWL_STYLE) & LVS_TYPEMASK; }
    std::string Column(int column) {
        std::string all;
        for (int i = 0; i < list_count(); ++i) all += (i ? "|" : "") + list_item(i, column).text;
        return all;
    }
    std::string Headers() {
        std::string all;
        for (int i = 0; i < 4; ++i) {
            char text[64] = "";
            LVCOLUMNA c = {LVCF_TEXT, 0, 0, text, sizeof text, 0, 0, 0};
            SendMessageA(g_browser.list, LVM_GETCOLUMNA, i, (LPARAM)&c);
            all += (i ? "|" : "") + std::string(text);
        }
        return all;
    }
};

}  // namespace

TEST_F(BrowserListTest, DetailsCellsParametersAndHiddenEntries) {
    Folder("b sub");
    Folder("A sub");
    Folder("secret", FILE_ATTRIBUTE_HIDDEN);
    File("photo.JPG", 1535, 2003);
    File("empty.png", 0);
    File("one.bmp", 1);
    File("big.gif", 5000);
    File("readme", 10);
    File("notes.txt", 10);
    Show(4);
    ASSERT_EQ(ViewType(), LVS_REPORT);
    EXPECT_EQ(Column(0), "A sub|b sub|big.gif|empty.png|one.bmp|photo.JPG") << "folders by name first, then the files";
    EXPECT_EQ(Column(1), "||4 KB|0 KB|1 KB|1 KB");
    EXPECT_EQ(Column(2), "Folder|Folder|GIF Image|PNG Image|Bitmap Image|JPEG Image");
    EXPECT_EQ(Headers(), "Name +|Size|Type|Date Modified");
    std::string dates = Column(3);  // folders have none; no seconds
    EXPECT_TRUE(dates.rfind("||", 0) == 0 && dates.find("2003") != dates.npos && dates.find(":45") == dates.npos) << dates;
    for (int i = 0; i < list_count(); ++i) EXPECT_EQ(list_item(i).param, i < 2 ? -(i + 2) : i - 2) << "item " << i;
    EXPECT_EQ(std::string(g_browser.subfolders.path[1]), folder + "b sub\\");
    EXPECT_EQ(std::string(g_file_list.path[3]), folder + "photo.JPG");

    g_settings.ShowAllFiles = 1;
    g_settings.ShowHidden = 1;
    Show(4);
    EXPECT_EQ(Column(0), "A sub|b sub|secret|big.gif|empty.png|notes.txt|one.bmp|photo.JPG|readme");
}

TEST_F(BrowserListTest, HeaderClicksSortWithTheirMark) {
    Folder("zeta");
    Folder("Alpha");
    File("a.png", 100, 2010);
    File("b.png", 100, 2009);
    File("c.bmp", 50, 2008);
    File("d.gif", 3000, 2007);
    Show(4);
    const struct { int column; const char *headers, *names; } clicks[] = {
        {1, "Name|Size +|Type|Date Modified", "Alpha|zeta|c.bmp|a.png|b.png|d.gif"},
        {1, "Name|Size -|Type|Date Modified", "Alpha|zeta|d.gif|b.png|a.png|c.bmp"},  // the tie turns too
        {2, "Name|Size|Type +|Date Modified", "Alpha|zeta|c.bmp|d.gif|a.png|b.png"},
        {3, "Name|Size|Type|Date Modified +", "Alpha|zeta|d.gif|c.bmp|b.png|a.png"},
        {0, "Name +|Size|Type|Date Modified", "Alpha|zeta|a.png|b.png|c.bmp|d.gif"},
    };
    for (auto c : clicks) {
        list_view_column_click(c.column);
        EXPECT_EQ(Headers(), c.headers) << "after a click on column " << c.column;
        EXPECT_EQ(Column(0), c.names) << "after a click on column " << c.column;
    }
}

TEST_F(BrowserListTest, EveryFileInTheIconViewsWithItsIcon) {
    for (int i = 0; i < 501; ++i) File("p" + std::to_string(1000 + i) + ".bmp", 10);
    File("photo.jpeg", 10);
    Folder("sub");
    Show(4);
    EXPECT_EQ(list_count(), 503);
    Show(1);
    ASSERT_EQ(ViewType(), LVS_ICON);
    ASSERT_EQ(list_count(), 503);
    EXPECT_EQ(SendMessageA(g_browser.list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0), (LRESULT)g_browser.icons_large);
    EXPECT_EQ(ImageList_GetImageCount(g_browser.icons_large), kFolderIcon + 1) << "the types, then the folder";
    EXPECT_EQ(list_item(0).image, kFolderIcon) << "the folder";
    EXPECT_EQ(list_item(1).image, 1) << "a bitmap";
    EXPECT_EQ(list_item(502).image, 2) << "the JPEG";

    g_settings.ShowAllFiles = 1;
    Show(3);
    EXPECT_EQ(ViewType(), LVS_LIST);
    HIMAGELIST small = (HIMAGELIST)SendMessageA(g_browser.list, LVM_GETIMAGELIST, LVSIL_SMALL, 0);
    EXPECT_TRUE(small && small != g_browser.icons_small) << "the shell's icons with every file shown";
    SHFILEINFOA info = {};
    SHGetFileInfoA((folder + "sub").c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    EXPECT_EQ(list_item(0).image, info.iIcon) << "the shell's folder icon";
    // Looked up by type, a file's icon is still the one the shell gives the file itself.
    SHGetFileInfoA(g_file_list.path[0], 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    EXPECT_EQ(list_item(1).image, info.iIcon) << g_file_list.path[0];
}

namespace {

// One letter per menu line: e enabled, g grayed, - separator.
std::string menu_states() {
    HMENU menu = build_list_context_menu();
    std::string s;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        s += (state & MF_SEPARATOR) ? '-' : (state & MF_GRAYED) ? 'g' : 'e';
    }
    DestroyMenu(menu);
    return s;
}

void set_clipboard_files(HWND owner, const std::string& path) {
    OpenClipboard(owner);
    EmptyClipboard();
    if (!path.empty()) {
        HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + path.size() + 2);
        DROPFILES* header = (DROPFILES*)GlobalLock(drop);
        header->pFiles = sizeof(DROPFILES);
        memcpy(header + 1, path.c_str(), path.size());
        GlobalUnlock(drop);
        SetClipboardData(CF_HDROP, drop);
    }
    CloseClipboard();
}

}  // namespace

TEST_F(BrowserListTest, ContextMenuGraysByTheSelection) {
    File("notes.txt", 10);
    File("pic.png", 10);
    g_settings.ShowAllFiles = 1;
    Show(4);
    set_clipboard_files(window, "");
    // Open With and Edit With want a selection; the rotations, Print and the
    // batch items stay gray until their work is there.
    EXPECT_EQ(menu_states(), "gg-ggggg-ggg-e-gggg") << "nothing selected";
    LVITEMA selected = {};
    selected.stateMask = selected.state = LVIS_SELECTED;
    SendMessageA(g_browser.list, LVM_SETITEMSTATE, 0, (LPARAM)&selected);  // notes.txt
    EXPECT_EQ(menu_states(), "ee-eegee-ggg-e-gggg") << "a file selected";
    g_settings.BrowseView = 0;
    EXPECT_EQ(menu_states(), "ee-eegee-ggg-g-gggg") << "no new folder among thumbnails";
    set_clipboard_files(window, folder + "pic.png");
    EXPECT_EQ(menu_states(), "ee-eeeee-ggg-g-gggg") << "file names on the clipboard";
    set_clipboard_files(window, "");
}

namespace {

// The menu's choice comes back as a command to the main window.
WNDPROC s_original;
int s_command;
LRESULT CALLBACK record_command(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND && !lp) s_command = LOWORD(wp);  // a menu's, not a control's
    return CallWindowProcA(s_original, w, m, wp, lp);
}
// Down to Rename, the seventh item past the separator, and Enter.
void CALLBACK choose_rename(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    for (int i = 0; i < 7; ++i) PostMessageA(g_frame.window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(g_frame.window, WM_KEYDOWN, VK_RETURN, 0);
}

}  // namespace

TEST_F(BrowserListTest, ContextMenuChoiceArrivesAsCommand) {
    File("pic.png", 10);
    Show(4);
    LVITEMA selected = {};
    selected.stateMask = selected.state = LVIS_SELECTED;
    SendMessageA(g_browser.list, LVM_SETITEMSTATE, 0, (LPARAM)&selected);
    s_command = 0;
    s_original = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)record_command);
    SetTimer(nullptr, 0, 100, choose_rename);
    show_list_context_menu(100, 100);
    SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)s_original);
    EXPECT_EQ(s_command, IDM_EDIT_RENAME) << "the item chosen with Down and Enter";
}
