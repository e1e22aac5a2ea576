#include "app/startup.h"

#include <commctrl.h>
#include <stdlib.h>
#include <string.h>

#include "core/color_profile.h"
#include "platform/bridge.h"
#include "platform/lookup.h"
#include "res/resource.h"
#include "app/recent_commands.h"
#include "shell/program_icon.h"
#include "shell/recent.h"
#include "shell/settings.h"
#include "shell/setup_switches.h"
#include "app/layout_pure.h"
#include "app/main_window.h"
#include "app/open_commands.h"
#include "viewer/navigation.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

bool HandOverToRunningInstance(const char* command_line) {
    HWND running = FindWindowA(kMainClassName, nullptr);
    if (!running) return false;
    char path[kPathBytes];
    // Made absolute here: the running window's current folder is not ours.
    if (command_line_path(command_line, path)) {
        COPYDATASTRUCT data = {1, (DWORD)strlen(path) + 1, path};
        SendMessageA(running, WM_COPYDATA, 0, (LPARAM)&data);
    }
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    return true;
}

bool AcceleratorsMaySee(const MSG& msg) {
    HWND focus = GetFocus();
    char cls[17] = "";
    if (focus) GetClassNameA(focus, cls, sizeof cls);
    KeyFacts facts;
    facts.key_down = msg.message == WM_KEYDOWN;
    facts.virtual_key = (unsigned)msg.wParam;
    facts.ctrl_held = GetKeyState(VK_CONTROL) < 0;
    facts.focus_class = cls;
    facts.focus_is_page_box = focus && focus == g_frame.page_box;
    return !SkipAccelerators(facts);
}

int LumoraRun(HINSTANCE instance, const char* command_line, int show) {
    g_frame.instance = instance;
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    init_common_controls(ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                         ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS);
    bridge_init();
    g_settings = LoadSettings();
    g_viewer.zoom.mode = g_settings.DefaultFit;
    color_profiles_enable(g_settings.ColorProfiles != 0);

    const char* args = command_line ? command_line : "";
    if (args[0]) {
        SetupSwitch which = FindSetupSwitch(args);
        if (which) {
            RunSetupSwitch(which);
            return 0;
        }
        if (HandOverToRunningInstance(args)) return 0;
    }

    HICON class_icon = PickProgramIcon(instance, 32);
    if (!RegisterMainWindowClass(instance, class_icon)) {
        if (class_icon) DestroyIcon(class_icon);
        return 1;
    }
    HWND window = CreateMainWindow(instance);
    if (!window) {
        UnregisterClassA(kMainClassName, instance);
        if (class_icon) DestroyIcon(class_icon);
        return 1;
    }
    g_frame.big_icon = PickProgramIcon(instance, 32);
    g_frame.small_icon = PickProgramIcon(instance, 16);
    SendMessageA(window, WM_SETICON, ICON_BIG, (LPARAM)g_frame.big_icon);
    SendMessageA(window, WM_SETICON, ICON_SMALL, (LPARAM)g_frame.small_icon);
    ShowWindow(window, show);
    UpdateWindow(window);

    char path[kPathBytes];
    if (command_line_path(args, path)) OpenPath(path);
    else if (g_settings.StartLast) OpenLastContent();

    SetWindowPos(window, g_settings.AlwaysTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (accelerators && g_frame.window && AcceleratorsMaySee(msg) &&
            TranslateAcceleratorA(g_frame.window, accelerators, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The class keeps its icon until it goes.
    UnregisterClassA(kMainClassName, instance);
    if (class_icon) DestroyIcon(class_icon);
    return (int)msg.wParam;
}
