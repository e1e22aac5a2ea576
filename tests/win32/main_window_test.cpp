#include <set>

#include "res/resource.h"
#include "tests/support/main_window_fixture.h"
#include "app/commands.h"
#include "app/layout.h"
#include "app/startup.h"
#include "app/toolbars.h"

namespace {

bool button_enabled(int command) { return SendMessageA(g_frame.toolbar, TB_ISBUTTONENABLED, command, 0) != 0; }

std::vector<int> toolbar_commands() {
    std::vector<int> ids;
    for (int i = 0; i < (int)SendMessageA(g_frame.toolbar, TB_BUTTONCOUNT, 0, 0); ++i) {
        TBBUTTON b = {};
        SendMessageA(g_frame.toolbar, TB_GETBUTTON, i, (LPARAM)&b);
        if (!(b.fsStyle & TBSTYLE_SEP)) ids.push_back(b.idCommand);
    }
    return ids;
}

// The popup menu the window tracks, read when it opens and then closed.
WNDPROC original_proc;
std::vector<std::pair<UINT, UINT>> popup_items;  // id, state
void collect_popup(HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) collect_popup(sub);
        else if (UINT id = GetMenuItemID(menu, i)) popup_items.push_back({id, GetMenuState(menu, i, MF_BYPOSITION)});
    }
}
LRESULT CALLBACK read_popup(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_INITMENUPOPUP && popup_items.empty()) {
        collect_popup((HMENU)wp);
        EndMenu();
    }
    return CallWindowProcA(original_proc, w, m, wp, lp);
}

}  // namespace

// The toolbar shows every row with a viewer image, and the context menu
// holds only rows of the table, grayed by their rules.
TEST_F(MainWindowTest, ToolbarAndContextMenuTakeTheirCommandsFromTheTable) {
    std::vector<int> ids = toolbar_commands();
    std::set<int> on_toolbar(ids.begin(), ids.end()), with_image;
    for (int i = 0; i < kCommandTableSize; ++i)
        if (kCommandTable[i].viewer_image != kNoImage) with_image.insert(kCommandTable[i].id);
    EXPECT_EQ(on_toolbar, with_image);

    install_frames(1);
    popup_items.clear();
    original_proc = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)read_popup);
    SendMessageA(window, WM_CONTEXTMENU, (WPARAM)window, -1);
    SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)original_proc);
    ASSERT_FALSE(popup_items.empty()) << "no context menu with a picture shown";
    WindowFacts facts = CurrentWindowFacts();
    int grayed = 0;
    for (auto item : popup_items) {
        EXPECT_NE(FindCommand(item.first), nullptr) << item.first << " has no row";
        bool gray = (item.second & MF_GRAYED) != 0;
        grayed += gray;
        EXPECT_EQ(gray, !IsCommandEnabled(item.first, facts)) << item.first;
    }
    EXPECT_GT(grayed, 0) << "one picture, no undo: Previous, Next and Undo are gray";
}

// Wiring of the layout pass; the edges at other widths are tested natively.
TEST_F(MainWindowTest, StatusPartsFollowTheClientWidth) {
    SetClientSize(1000, 300);
    std::vector<int> have(5);
    ASSERT_EQ(SendMessageA(g_frame.status_bar, SB_GETPARTS, 5, (LPARAM)have.data()), 5);
    EXPECT_EQ(have, std::vector<int>({640, 770, 840, 930, -1}));
}

// The menu grays each command by its rule and the toolbar follows the menu;
// the page box shows the frame and takes input only with several.
TEST_F(MainWindowTest, ToolbarMenuAndPageBoxFollowTheDocument) {
    HMENU menu = GetMenu(window);
    auto has = [&](int id, UINT flag) { return (GetMenuState(menu, id, MF_BYCOMMAND) & flag) != 0; };
    auto check = [&](const char* when, const char* page, bool page_enabled) {
        LayoutMainWindow();
        EXPECT_EQ(text_of(g_frame.page_box), page) << when;
        EXPECT_EQ(IsWindowEnabled(g_frame.page_box) != 0, page_enabled) << when;
        WindowFacts facts = CurrentWindowFacts();
        for (int i = 0; i < kCommandTableSize; ++i) {
            int id = kCommandTable[i].id;
            if (GetMenuState(menu, id, MF_BYCOMMAND) == (UINT)-1) continue;  // not in this mode's menu
            EXPECT_EQ(has(id, MF_GRAYED), !IsCommandEnabled(id, facts)) << when << ": " << id;
        }
        for (int id : toolbar_commands()) EXPECT_EQ(button_enabled(id), !has(id, MF_GRAYED)) << when << ": " << id;
    };
    check("nothing open", "0", false);
    install_frames(1);
    g_settings.ThumbSize = 192;
    check("one picture", "1", false);
    EXPECT_TRUE(has(IDM_THUMB_EXTRA_LARGE, MF_CHECKED) && !has(IDM_THUMB_MEDIUM, MF_CHECKED)) << "the radio mark moves";
    g_viewer.undo_image = make_picture(2, 2);
    SendMessageA(window, WM_INITMENU, (WPARAM)menu, 0);
    EXPECT_FALSE(has(IDM_EDIT_UNDO, MF_GRAYED));
    CloseDocument();
    install_frames(3, 40, 30, 1);
    check("three pages", "2", true);
    EXPECT_TRUE(button_enabled(IDM_GO_PREVIOUS_PAGE) && button_enabled(IDM_GO_NEXT_PAGE));
}

TEST_F(MainWindowTest, LargeButtonsRebuildTheToolbarAndWriteNothing) {
    ASSERT_FALSE(g_settings.LargeButtons);
    HWND old_toolbar = g_frame.toolbar;
    SendMessageA(window, WM_COMMAND, IDM_VIEW_LARGE_TOOLBAR_BUTTONS, 0);
    pump_messages();
    EXPECT_TRUE(g_settings.LargeButtons);
    EXPECT_FALSE(IsWindow(old_toolbar));
    HIMAGELIST images = (HIMAGELIST)SendMessageA(g_frame.toolbar, TB_GETIMAGELIST, 0, 0);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_TRUE(cx == 24 && cy == 24 && ImageList_GetImageCount(images) == IMG_VIEWER_COUNT)
        << ImageList_GetImageCount(images) << " images of " << cx << " x " << cy;
    EXPECT_TRUE(GetMenuState(GetMenu(window), IDM_VIEW_LARGE_TOOLBAR_BUTTONS, MF_BYCOMMAND) & MF_CHECKED);
    DWORD value = 0;
    EXPECT_FALSE(registry_read_dword(HKEY_CURRENT_USER, L"Software\\Harnwick\\Lumora", L"LargeButtons", &value))
        << "the toggle reaches the registry only with the next full save";

    // The page box stays between the page buttons.
    RECT previous, next, box;
    for (auto at : {std::make_pair(IDM_GO_PREVIOUS_PAGE, &previous), std::make_pair(IDM_GO_NEXT_PAGE, &next)}) {
        int index = (int)SendMessageA(g_frame.toolbar, TB_COMMANDTOINDEX, at.first, 0);
        ASSERT_TRUE(SendMessageA(g_frame.toolbar, TB_GETITEMRECT, index, (LPARAM)at.second));
    }
    GetWindowRect(g_frame.page_box, &box);
    MapWindowPoints(nullptr, g_frame.toolbar, (POINT*)&box, 2);
    EXPECT_TRUE(box.left >= previous.right && box.right <= next.left && box.bottom > previous.top &&
                box.top < previous.bottom);
}

TEST_F(MainWindowTest, ExitAsksTheWindowToClose) {
    SendMessageA(window, WM_COMMAND, IDM_FILE_EXIT, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, window, WM_CLOSE, WM_CLOSE, PM_REMOVE)) << "Exit posts WM_CLOSE";
    DispatchMessageA(&msg);
    EXPECT_FALSE(IsWindow(window)) << "nothing edited: the window goes";
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(MainWindowTest, TooltipsAskForWideTextAndGetTheRowsText) {
    EXPECT_EQ(SendMessageA(window, WM_NOTIFYFORMAT, (WPARAM)g_frame.toolbar, NF_QUERY), NFR_UNICODE);
    NMTTDISPINFOW info = {};
    info.hdr = {g_frame.toolbar, IDM_GO_NEXT_PAGE, TTN_GETDISPINFOW};
    SendMessageA(window, WM_NOTIFY, 0, (LPARAM)&info);
    ASSERT_NE(info.lpszText, nullptr);
    char narrow[128] = "";
    WideCharToMultiByte(1252, 0, info.lpszText, -1, narrow, sizeof narrow, nullptr, nullptr);
    EXPECT_STREQ(narrow, "Next Page (Ctrl+PgDn)");
}

TEST_F(MainWindowTest, AcceleratorsSkipListKeysAndEditFields) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    DWORD style = WS_CHILD | WS_VISIBLE;
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", style, 0, 0, 99, 99, window, nullptr, instance, nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "", style, 0, 99, 99, 20, window, nullptr, instance, nullptr);
    install_frames(3);  // the page box takes the focus only while it is enabled
    UpdatePageBox();
    SetForegroundWindow(window);
    const struct { HWND focus; WORD vk; bool ctrl, seen; const char* why; } cases[] = {
        {list, VK_LEFT, false, false, "Left moves the list selection"},
        {list, VK_LEFT, true, true, "Ctrl+Left is Previous again"},
        {edit, VK_ADD, false, false, "a plus typed in an edit is not a zoom"},
        {g_frame.page_box, VK_ADD, false, true, "accelerators work in the page box"},
    };
    for (const auto& c : cases) {
        SetFocus(c.focus);
        ASSERT_EQ(GetFocus(), c.focus) << c.why;
        BYTE keys[256] = {};
        keys[VK_CONTROL] = c.ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG msg = {c.focus, WM_KEYDOWN, c.vk, 0, 0, {0, 0}};
        EXPECT_EQ(AcceleratorsMaySee(msg), c.seen) << c.why;
    }
}
