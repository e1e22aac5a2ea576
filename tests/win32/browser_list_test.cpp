// The list view's icon views on a real folder: items, cells, headers,
// sorting, icons and the right-click menu, read back from the control.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "browser/browser_state.h"
#include "browser/file_list.h"
#include "res/resource.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/scratch.h"

namespace {

struct BrowserListTest : MainWindowTest {
    std::string folder = temp_folder("lumora-list");
    void TearDown() override {
        free_subfolders();
        list_view_shutdown();
        g_browser.list = nullptr;
        g_browser.ListMode = -1;
        SortKey = 0;
        SortAscending = 1;
        MainWindowTest::TearDown();
        remove_tree(folder);
    }
    void Put(const std::string& name, size_t bytes, int year = 0) {
        std::string path = folder + name;
        write_file_wide(std::wstring(path.begin(), path.end()), std::vector<unsigned char>(bytes, 7));
        if (!year) return;
        SYSTEMTIME when = {(WORD)year, 6, 0, 15, 12, 30, 45, 0};
        FILETIME time;
        SystemTimeToFileTime(&when, &time);
        HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(f, nullptr, nullptr, &time);
        CloseHandle(f);
    }
    void Folder(const std::string& name, DWORD attributes = 0) {
        CreateDirectoryA((folder + name).c_str(), nullptr);
        if (attributes) SetFileAttributesA((folder + name).c_str(), attributes);
    }
    // The browser's fill as the browse commands run it.
    void Show(int mode) {
        scan_folder(folder.c_str());
        g_viewer.BrowseMode = true;
        g_settings.BrowseView = mode;
        scan_subfolders();
        fill_icon_view();
    }
    HWND List() { return g_browser.list; }
    int Count() { return (int)SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0); }
    std::string Cell(int item, int column) {
        char text[260] = "";
        LVITEMA it = {};
        it.iSubItem = column;
        it.pszText = text;
        it.cchTextMax = sizeof text;
        SendMessageA(List(), LVM_GETITEMTEXTA, item, (LPARAM)&it);
        return text;
    }
    LVITEMA Item(int item) {
        LVITEMA it = {};
        it.mask = LVIF_PARAM | LVIF_IMAGE;
        it.iItem = item;
        SendMessageA(List(), LVM_GETITEMA, 0, (LPARAM)&it);
        return it;
    }
    // Every item's name, joined by blanks.
    std::string Names() {
        std::string names;
        for (int i = 0; i < Count(); ++i) names += (i ? " " : "") + Cell(i, 0);
        return names;
    }
    std::string Headers() {
        std::string all;
        for (int i = 0; i < 4; ++i) {
            char text[64] = "";
            LVCOLUMNA c = {};
            c.mask = LVCF_TEXT;
            c.pszText = text;
            c.cchTextMax = sizeof text;
            SendMessageA(List(), LVM_GETCOLUMNA, i, (LPARAM)&c);
            all += (i ? "|" : "") + std::string(text);
        }
        return all;
    }
    void Select(int item) {
        LVITEMA it = {};
        it.stateMask = LVIS_SELECTED;
        it.state = LVIS_SELECTED;
        SendMessageA(List(), LVM_SETITEMSTATE, item, (LPARAM)&it);
    }
};

}  // namespace

TEST_F(BrowserListTest, DetailsCellsParametersAndHiddenEntries) {
    Folder("b sub");
    Folder("A sub");
    Folder("secret", FILE_ATTRIBUTE_HIDDEN);
    Put("photo.JPG", 1535, 2003);
    Put("empty.png", 0);
    Put("one.bmp", 1);
    Put("big.gif", 5000);
    Put("readme", 10);
    Put("notes.txt", 10);
    Show(4);
    ASSERT_NE(List(), nullptr);
    EXPECT_EQ(GetWindowLongA(List(), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_EQ(Names(), "A sub b sub big.gif empty.png one.bmp photo.JPG") << "folders by name first, then the files";
    EXPECT_EQ(Headers(), "Name +|Size|Type|Date Modified");
    const struct { int row; const char *size, *type; } rows[] = {
        {0, "", "Folder"},     {1, "", "Folder"},      {2, "4 KB", "GIF Image"},
        {3, "0 KB", "PNG Image"}, {4, "1 KB", "Bitmap Image"}, {5, "1 KB", "JPEG Image"},
    };
    for (auto r : rows) {
        EXPECT_EQ(Cell(r.row, 1), r.size) << Cell(r.row, 0);
        EXPECT_EQ(Cell(r.row, 2), r.type) << Cell(r.row, 0);
    }
    EXPECT_EQ(Cell(0, 3), "") << "a folder has no date";
    std::string date = Cell(5, 3);
    EXPECT_NE(date.find("2003"), std::string::npos) << date;
    EXPECT_EQ(date.find(":45"), std::string::npos) << "no seconds: " << date;
    for (int i = 0; i < Count(); ++i) {
        LPARAM p = Item(i).lParam;
        if (i < 2) {
            EXPECT_EQ(p, -(i + 2));
        } else {
            ASSERT_TRUE(p >= 0 && p < g_file_list.count) << p;
            EXPECT_EQ(std::string(g_file_list.path[p]), folder + Cell(i, 0));
        }
    }
    EXPECT_EQ(std::string(g_browser.subfolders.path[1]), folder + "b sub\\");

    g_settings.ShowAllFiles = 1;
    g_settings.ShowHidden = 1;
    Show(4);
    EXPECT_EQ(Names(), "A sub b sub secret big.gif empty.png notes.txt one.bmp photo.JPG readme");
    EXPECT_EQ(Cell(8, 2), "File");
    EXPECT_EQ(Cell(5, 2), "TXT File");
}

TEST_F(BrowserListTest, HeaderClicksSortWithTheirMark) {
    Folder("zeta");
    Folder("Alpha");
    Put("a.png", 100, 2010);
    Put("b.png", 100, 2009);
    Put("c.bmp", 50, 2008);
    Put("d.gif", 3000, 2007);
    Show(4);
    const struct { int column; const char *headers, *names; } clicks[] = {
        {1, "Name|Size +|Type|Date Modified", "Alpha zeta c.bmp a.png b.png d.gif"},
        {1, "Name|Size -|Type|Date Modified", "Alpha zeta d.gif b.png a.png c.bmp"},  // the tie turns too
        {2, "Name|Size|Type +|Date Modified", "Alpha zeta c.bmp d.gif a.png b.png"},
        {3, "Name|Size|Type|Date Modified +", "Alpha zeta d.gif c.bmp b.png a.png"},
        {3, "Name|Size|Type|Date Modified -", "Alpha zeta a.png b.png c.bmp d.gif"},
        {0, "Name +|Size|Type|Date Modified", "Alpha zeta a.png b.png c.bmp d.gif"},
        {0, "Name -|Size|Type|Date Modified", "Alpha zeta d.gif c.bmp b.png a.png"},
    };
    for (auto c : clicks) {
        list_view_column_click(c.column);
        EXPECT_EQ(Headers(), c.headers) << "after a click on column " << c.column;
        EXPECT_EQ(Names(), c.names) << "after a click on column " << c.column;
    }
}

TEST_F(BrowserListTest, EveryFileInTheIconViewsWithItsIcon) {
    std::vector<uint8_t> bmp = bmp_filled(BmpLayout(), 9);
    for (int i = 0; i < 501; ++i) Put("p" + std::to_string(1000 + i) + ".bmp", bmp.size());
    Put("photo.jpeg", 10);
    Folder("sub");
    Show(4);
    EXPECT_EQ(Count(), 503);
    Show(1);
    EXPECT_EQ(GetWindowLongA(List(), GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);
    ASSERT_EQ(Count(), 503);
    EXPECT_EQ(SendMessageA(List(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0), (LRESULT)g_browser.icons_large);
    EXPECT_EQ(ImageList_GetImageCount(g_browser.icons_large), 16);
    EXPECT_EQ(Item(0).iImage, 15) << "the folder";
    EXPECT_EQ(Item(1).iImage, 1) << "a bitmap";
    EXPECT_EQ(Item(502).iImage, 2) << Cell(502, 0);

    g_settings.ShowAllFiles = 1;
    Show(3);
    EXPECT_EQ(GetWindowLongA(List(), GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
    HIMAGELIST small = (HIMAGELIST)SendMessageA(List(), LVM_GETIMAGELIST, LVSIL_SMALL, 0);
    EXPECT_NE(small, nullptr);
    EXPECT_NE(small, g_browser.icons_small) << "the shell's icons with every file shown";
    SHFILEINFOA info = {};
    SHGetFileInfoA((folder + "sub").c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    EXPECT_EQ(Item(0).iImage, info.iIcon) << "the shell's folder icon";
}

TEST_F(BrowserListTest, ContextMenuGraysByTheSelection) {
    Put("notes.txt", 10);
    Put("pic.png", 10);
    g_settings.ShowAllFiles = 1;
    Show(4);
    const int kAll[] = {IDM_FILE_OPEN_WITH, IDM_EDIT_WITH, IDM_EDIT_CUT, IDM_EDIT_COPY, IDM_EDIT_PASTE,
                        IDM_FILE_DELETE, IDM_EDIT_RENAME, IDM_IMAGE_ROTATE_CLOCKWISE,
                        IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, IDM_FILE_PRINT, IDM_FILE_NEW_FOLDER,
                        IDM_CONVERT_TO_PNG, IDM_CONVERT_TO_JPEG, IDM_CONVERT_TO_BMP, IDM_IMAGE_RESIZE_SELECTED};
    // One letter per item of kAll: e enabled, g grayed.
    auto states = [&]() {
        HMENU menu = build_list_context_menu();
        std::string s;
        for (int id : kAll) s += (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) ? 'g' : 'e';
        EXPECT_EQ(GetMenuItemCount(menu), 19) << "15 items and 4 separators";
        char label[64] = "";
        GetMenuStringA(menu, IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, label, sizeof label, MF_BYCOMMAND);
        EXPECT_STREQ(label, "Rotate Counter&clockwise");
        DestroyMenu(menu);
        return s;
    };
    OpenClipboard(window);
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(states(), "ggggggggggegggg") << "nothing selected";
    Select(0);  // notes.txt
    EXPECT_EQ(states(), "eeeegeegggegggg") << "a file that is no picture";
    Select(1);
    EXPECT_EQ(states(), "eeeegeeeeeeeeee") << "a picture among the selection";
    g_settings.BrowseView = 0;
    EXPECT_EQ(states(), "eeeegeeeeegeeee") << "no new folder among thumbnails";

    DROPFILES header = {sizeof(DROPFILES), {0, 0}, FALSE, FALSE};
    std::string names = folder + "pic.png";
    HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof header + names.size() + 2);
    char* p = (char*)GlobalLock(drop);
    memcpy(p, &header, sizeof header);
    memcpy(p + sizeof header, names.c_str(), names.size());
    GlobalUnlock(drop);
    OpenClipboard(window);
    EmptyClipboard();
    SetClipboardData(CF_HDROP, drop);
    CloseClipboard();
    EXPECT_EQ(states().substr(4, 1), "e") << "file names on the clipboard";
    OpenClipboard(window);
    EmptyClipboard();
    CloseClipboard();
}
