// A real main window made through the program's own code, with the settings
// key emptied for the test and put back afterwards.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/bridge.h"
#include "shell/settings.h"
#include "tests/support/registry_snapshot.h"
#include "viewer/document.h"
#include "viewer/navigation.h"
#include "viewer/main_window.h"
#include "viewer/viewer_state.h"

inline void pump_messages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct MainWindowTest : ::testing::Test {
    RegistrySnapshot settings_key{HKEY_CURRENT_USER, L"Software\\Harnwick\\Lumora"};
    HWND window = nullptr;

    // Tests that need stored settings write them before calling this.
    void OpenWindow() {
        bridge_init();
        g_settings = LoadSettings();
        g_viewer.zoom.mode = g_settings.DefaultFit;
        HINSTANCE instance = GetModuleHandleA(nullptr);
        ASSERT_NE(RegisterMainWindowClass(instance, nullptr), 0);
        window = CreateMainWindow(instance);
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        pump_messages();
    }
    void SetUp() override { OpenWindow(); }
    void TearDown() override {
        if (window && IsWindow(window)) DestroyWindow(window);
        pump_messages();
        CloseDocument();
        g_viewer = viewer_state_defaults();
    }
    // Sets client width (and a fixed height) through the window size.
    void SetClientSize(int width, int height) {
        RECT r = {0, 0, width, height};
        AdjustWindowRectEx(&r, GetWindowLongA(window, GWL_STYLE), GetMenu(window) != nullptr,
                           GetWindowLongA(window, GWL_EXSTYLE));
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
        pump_messages();
        RECT c;
        GetClientRect(window, &c);
        if (c.right != width) {  // the menu bar may wrap: correct by the difference
            SetWindowPos(window, nullptr, 0, 0, r.right - r.left + (width - c.right), r.bottom - r.top,
                         SWP_NOMOVE | SWP_NOZORDER);
            pump_messages();
        }
    }
};
