#include <gtest/gtest.h>
#include <windows.h>

#include "viewer/main_window.h"

TEST(MainWindow, ClassTitleStyleAndSize) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ASSERT_NE(RegisterMainWindowClass(instance), 0);
    HWND window = CreateMainWindow(instance);
    ASSERT_NE(window, nullptr);

    char text[64] = {};
    GetClassNameA(window, text, sizeof text);
    EXPECT_STREQ(text, "LumoraMain");
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "Lumora");

    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL), (LONG)(WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE), (DWORD)CS_DBLCLKS);
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), 0);

    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 720);
    EXPECT_EQ(r.bottom - r.top, 540);

    // Another instance finds it by class name, as the hand-over does.
    EXPECT_EQ(FindWindowA("LumoraMain", nullptr), window);
    DestroyWindow(window);
    MSG msg;
    bool quit = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) quit |= msg.message == WM_QUIT;
    EXPECT_TRUE(quit) << "closing the main window ends the message loop";
}
