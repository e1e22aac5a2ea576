#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/support/main_window_fixture.h"
#include "viewer/chrome.h"
#include "viewer/commands.h"
#include "viewer/layout.h"
#include "viewer/startup.h"

namespace {

bool button_enabled(int command) {
    return SendMessageA(g_viewer.toolbar, TB_ISBUTTONENABLED, command, 0) != 0;
}

LONG created_style;
LRESULT CALLBACK watch_creation(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
        CBT_CREATEWNDA* info = (CBT_CREATEWNDA*)lp;
        if (info->lpcs->lpszClass && !IS_INTRESOURCE(info->lpcs->lpszClass) &&
            lstrcmpA(info->lpcs->lpszClass, "LumoraMain") == 0)
            created_style = info->lpcs->style;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

int last_command;
LRESULT CALLBACK probe_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND) last_command = LOWORD(wp);
    return DefWindowProcA(w, m, wp, lp);
}

std::string window_text(HWND w) {
    char text[64] = "";
    GetWindowTextA(w, text, sizeof text);
    return text;
}

}  // namespace

TEST_F(MainWindowTest, ClassTitleStyleMenuAndSize) {
    char text[64] = {};
    GetClassNameA(window, text, sizeof text);
    EXPECT_STREQ(text, "LumoraMain");
    EXPECT_EQ(window_text(window), "Lumora");
    // Made with both scroll bars; the view hides them while nothing scrolls.
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, (LONG)WS_OVERLAPPEDWINDOW);
    DestroyWindow(window);
    pump_messages();
    created_style = 0;
    HHOOK hook = SetWindowsHookExA(WH_CBT, watch_creation, nullptr, GetCurrentThreadId());
    window = CreateMainWindow(GetModuleHandleA(nullptr));
    UnhookWindowsHookEx(hook);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(created_style & (WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL),
              (LONG)(WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE), (DWORD)CS_DBLCLKS);
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), 0);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 720);
    EXPECT_EQ(r.bottom - r.top, 540);
    HMENU menu = GetMenu(window);
    ASSERT_NE(menu, nullptr) << "menu 101 comes with the class";
    char item[64] = "";
    GetMenuStringA(menu, IDM_FILE_OPEN, item, sizeof item, MF_BYCOMMAND);
    EXPECT_EQ(std::string(item).substr(0, 8), "&Open...");
    EXPECT_EQ(g_viewer.main_window, window);
}

TEST_F(MainWindowTest, ChromeChildren) {
    HWND toolbar = GetDlgItem(window, 1);
    HWND status = GetDlgItem(window, 2);
    ASSERT_NE(toolbar, nullptr);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(toolbar, g_viewer.toolbar);
    EXPECT_EQ(status, g_viewer.status_bar);
    char cls[32];
    GetClassNameA(toolbar, cls, sizeof cls);
    EXPECT_STREQ(cls, "ToolbarWindow32");
    GetClassNameA(status, cls, sizeof cls);
    EXPECT_STREQ(cls, "msctls_statusbar32");
    EXPECT_TRUE(GetWindowLongA(toolbar, GWL_STYLE) & TBSTYLE_TOOLTIPS);
    EXPECT_TRUE(GetWindowLongA(status, GWL_STYLE) & SBARS_SIZEGRIP);
    ASSERT_NE(g_viewer.page_box, nullptr);
    EXPECT_EQ(GetParent(g_viewer.page_box), toolbar);
    EXPECT_EQ(GetDlgCtrlID(g_viewer.page_box), 60);
    EXPECT_TRUE(GetWindowLongA(g_viewer.page_box, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 23);
}

TEST_F(MainWindowTest, StatusPartsFollowTheClientWidth) {
    const struct { int width; int edges[5]; } cases[] = {
        {400, {60, 170, 240, 330, -1}},
        {1000, {640, 770, 840, 930, -1}},
    };
    for (auto c : cases) {
        SetClientSize(c.width, 300);
        RECT client;
        GetClientRect(window, &client);
        ASSERT_EQ(client.right, c.width);
        int edges[8] = {};
        ASSERT_EQ(SendMessageA(g_viewer.status_bar, SB_GETPARTS, 8, (LPARAM)edges), 5);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(edges[i], c.edges[i]) << "width " << c.width << " part " << i;
    }
}

// The toolbar takes its state from the same rules as the menu.
TEST_F(MainWindowTest, ToolbarButtonsFollowTheMenuRules) {
    HMENU menu = GetMenu(window);
    int buttons = (int)SendMessageA(g_viewer.toolbar, TB_BUTTONCOUNT, 0, 0);
    auto check_all = [&](const char* when) {
        LayoutMainWindow();
        int enabled = 0;
        for (int i = 0; i < buttons; ++i) {
            TBBUTTON b = {};
            SendMessageA(g_viewer.toolbar, TB_GETBUTTON, i, (LPARAM)&b);
            if (b.fsStyle & TBSTYLE_SEP) continue;
            bool on = button_enabled(b.idCommand);
            enabled += on;
            EXPECT_EQ(on, !(GetMenuState(menu, b.idCommand, MF_BYCOMMAND) & MF_GRAYED)) << when << ": " << b.idCommand;
        }
        return enabled;
    };
    EXPECT_EQ(check_all("nothing open"), 2) << "only Open and Browse";
    EXPECT_TRUE(button_enabled(IDM_FILE_OPEN) && button_enabled(IDM_VIEW_BROWSE_FOLDER));
    install_frames(1, 40, 30, 0);
    check_all("one picture");
    EXPECT_TRUE(button_enabled(IDM_IMAGE_CROP));
    EXPECT_FALSE(button_enabled(IDM_GO_NEXT_PAGE));
    CloseDocument();
    install_frames(3, 40, 30, 1);
    check_all("three pages");
    EXPECT_TRUE(button_enabled(IDM_GO_NEXT_PAGE));
}

TEST_F(MainWindowTest, PageBoxShowsTheFrame) {
    UpdatePageBox();
    EXPECT_EQ(window_text(g_viewer.page_box), "0");
    EXPECT_FALSE(IsWindowEnabled(g_viewer.page_box));
    install_frames(1, 40, 30, 0);
    UpdatePageBox();
    EXPECT_EQ(window_text(g_viewer.page_box), "1");
    EXPECT_FALSE(IsWindowEnabled(g_viewer.page_box));
    CloseDocument();
    install_frames(3, 40, 30, 1);
    UpdatePageBox();
    UpdateToolbarButtons();
    EXPECT_EQ(window_text(g_viewer.page_box), "2");
    EXPECT_TRUE(IsWindowEnabled(g_viewer.page_box));
    EXPECT_TRUE(button_enabled(40070));
    EXPECT_TRUE(button_enabled(40071));
}

TEST_F(MainWindowTest, LargeButtonsRebuildTheToolbarAndWriteNothing) {
    ASSERT_FALSE(g_settings.LargeButtons);
    HWND old_toolbar = g_viewer.toolbar;
    SendMessageA(window, WM_COMMAND, IDM_VIEW_LARGE_TOOLBAR_BUTTONS, 0);
    pump_messages();
    EXPECT_TRUE(g_settings.LargeButtons);
    EXPECT_NE(g_viewer.toolbar, old_toolbar);
    EXPECT_FALSE(IsWindow(old_toolbar));
    HIMAGELIST images = (HIMAGELIST)SendMessageA(g_viewer.toolbar, TB_GETIMAGELIST, 0, 0);
    ASSERT_NE(images, nullptr);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 24);
    EXPECT_EQ(cy, 24);
    EXPECT_EQ(ImageList_GetImageCount(images), 19);
    EXPECT_EQ(GetMenuState(GetMenu(window), IDM_VIEW_LARGE_TOOLBAR_BUTTONS, MF_BYCOMMAND) & MF_CHECKED,
              (UINT)MF_CHECKED);

    // The page box stays between Previous Page (button 20) and Next Page (22).
    RECT previous, next, box;
    ASSERT_TRUE(SendMessageA(g_viewer.toolbar, TB_GETITEMRECT, 20, (LPARAM)&previous));
    ASSERT_TRUE(SendMessageA(g_viewer.toolbar, TB_GETITEMRECT, 22, (LPARAM)&next));
    GetWindowRect(g_viewer.page_box, &box);
    MapWindowPoints(nullptr, g_viewer.toolbar, (POINT*)&box, 2);
    EXPECT_GE(box.left, previous.right);
    EXPECT_LE(box.right, next.left);
    EXPECT_GT(box.bottom, previous.top);
    EXPECT_LT(box.top, previous.bottom);

    DWORD value = 0;
    EXPECT_FALSE(registry_read_dword(HKEY_CURRENT_USER, L"Software\\Harnwick\\Lumora", L"LargeButtons", &value))
        << "the toggle reaches the registry only with the next full save";
    SendMessageA(window, WM_COMMAND, IDM_VIEW_LARGE_TOOLBAR_BUTTONS, 0);
    pump_messages();
    EXPECT_FALSE(g_settings.LargeButtons);
    images = (HIMAGELIST)SendMessageA(g_viewer.toolbar, TB_GETIMAGELIST, 0, 0);
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
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

TEST_F(MainWindowTest, TooltipsComeFromTheTextTable) {
    struct { int command; const char* text; } cases[] = {
        {40001, "Open (Ctrl+O)"}, {40027, "Browse / Back to Viewer"}, {40030, "Rotate Right (Ctrl+.)"},
        {40071, "Next Page (Ctrl+PgDn)"}, {40108, "Up One Level"},
    };
    for (auto c : cases) {
        NMTTDISPINFOW info = {};
        info.hdr.code = TTN_GETDISPINFOW;
        info.hdr.idFrom = c.command;
        info.hdr.hwndFrom = g_viewer.toolbar;
        SendMessageA(window, WM_NOTIFY, 0, (LPARAM)&info);
        ASSERT_NE(info.lpszText, nullptr) << c.command;
        char narrow[128];
        WideCharToMultiByte(1252, 0, info.lpszText, -1, narrow, sizeof narrow, nullptr, nullptr);
        EXPECT_STREQ(narrow, c.text) << c.command;
    }
    EXPECT_EQ(SendMessageA(window, WM_NOTIFYFORMAT, (WPARAM)g_viewer.toolbar, NF_QUERY), NFR_UNICODE);
}

TEST_F(MainWindowTest, MenuStateFollowsTheDocument) {
    HMENU menu = GetMenu(window);
    auto grayed = [&](int id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    SendMessageA(window, WM_INITMENU, (WPARAM)menu, 0);
    EXPECT_TRUE(grayed(IDM_FILE_SAVE));
    EXPECT_TRUE(grayed(IDM_VIEW_ZOOM_IN));
    EXPECT_TRUE(grayed(IDM_EDIT_UNDO));
    EXPECT_FALSE(grayed(IDM_FILE_OPEN));
    install_frames(1, 40, 30, 0);
    SendMessageA(window, WM_INITMENU, (WPARAM)menu, 0);
    EXPECT_FALSE(grayed(IDM_FILE_SAVE));
    EXPECT_FALSE(grayed(IDM_VIEW_ZOOM_IN));
    EXPECT_TRUE(grayed(IDM_EDIT_UNDO)) << "gray right after opening";
    EXPECT_TRUE(grayed(IDM_GO_NEXT_PAGE));
    g_viewer.undo_image = make_picture(2, 2);
    SendMessageA(window, WM_INITMENU, (WPARAM)menu, 0);
    EXPECT_FALSE(grayed(IDM_EDIT_UNDO));
}

TEST_F(MainWindowTest, AcceleratorsSkipListKeysAndEditFields) {
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, window, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 100, 100, 20, window, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(edit, nullptr);
    SetForegroundWindow(window);
    BYTE keys[256];
    GetKeyboardState(keys);
    auto with_ctrl = [&](bool down) {
        keys[VK_CONTROL] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    };
    MSG left = {list, WM_KEYDOWN, VK_LEFT, 0, 0, {0, 0}};
    SetFocus(list);
    ASSERT_EQ(GetFocus(), list);
    with_ctrl(false);
    EXPECT_FALSE(AcceleratorsMaySee(left)) << "Left moves the list selection";
    with_ctrl(true);
    EXPECT_TRUE(AcceleratorsMaySee(left)) << "Ctrl+Left is Previous again";
    with_ctrl(false);

    SetFocus(edit);
    MSG plus = {edit, WM_KEYDOWN, VK_ADD, 0, 0, {0, 0}};
    EXPECT_FALSE(AcceleratorsMaySee(plus)) << "a plus typed in an edit is not a zoom";
    install_frames(3, 40, 30, 0);  // the page box takes the focus only while it is enabled
    UpdatePageBox();
    SetFocus(g_viewer.page_box);
    ASSERT_EQ(GetFocus(), g_viewer.page_box);
    EXPECT_TRUE(AcceleratorsMaySee(plus)) << "accelerators work in the page box";

    // The table itself turns Ctrl+Left into Previous and plus into Zoom In.
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = probe_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "AcceleratorProbe";
    RegisterClassA(&wc);
    HWND probe = CreateWindowA("AcceleratorProbe", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(probe, nullptr);
    MSG zoom = {probe, WM_KEYDOWN, VK_ADD, 0, 0, {0, 0}};
    last_command = 0;
    EXPECT_TRUE(TranslateAcceleratorA(probe, table, &zoom));
    EXPECT_EQ(last_command, IDM_VIEW_ZOOM_IN);
    with_ctrl(true);
    MSG previous = {probe, WM_KEYDOWN, VK_LEFT, 0, 0, {0, 0}};
    last_command = 0;
    EXPECT_TRUE(TranslateAcceleratorA(probe, table, &previous));
    EXPECT_EQ(last_command, IDM_GO_PREVIOUS);
    with_ctrl(false);
    DestroyWindow(probe);
}

// Commands whose work is not built yet reach their row and do nothing: the
// window and the document stay as they were.
TEST_F(MainWindowTest, CommandsWithoutWorkYetDoNothing) {
    install_frames(1, 40, 30, 0);
    Image* shown = g_viewer.shown;
    int sent = 0;
    for (int id = 40001; id <= 40144; ++id) {
        const CommandRow* row = FindCommand(id);
        if (!row || row->viewer) continue;
        LRESULT r = SendMessageA(window, WM_COMMAND, id, 0);
        EXPECT_EQ(r, 0) << id;
        ++sent;
    }
    pump_messages();
    EXPECT_GT(sent, 20);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(g_viewer.shown, shown);
    EXPECT_FALSE(g_viewer.edited);
}
