// Start-up of the real lumora.exe next to a main window of this process, and
// the window rectangle from creation to closing.
#include <stdio.h>

#include <algorithm>

#include "tests/support/main_window_fixture.h"
#include "tests/support/scratch.h"

namespace {

std::string test_data_folder() {
    std::string folder = LUMORA_TEST_DATA;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

HWND main_window_of(DWORD pid) {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "LumoraMain", nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// Starts lumora.exe with the arguments in `folder` and keeps this thread's
// windows answering until it ends. While it runs, `look` gets the main
// window it shows until it returns true. The exit code, or -1 when the
// process outlives 30 seconds.
int run_lumora(const std::string& arguments, const std::string& folder = "",
               std::function<bool(HWND)> look = nullptr) {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    *strrchr(program, '\\') = 0;
    std::string command = "\"" + std::string(program) + "\\lumora.exe\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi))
        return -2;
    bool done = !look;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 30000;) {
        if (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0) break;
        pump_messages();
        HWND shown = done ? nullptr : main_window_of(pi.dwProcessId);
        if (shown) done = look(shown);
    }
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
    else GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return (int)code;
}

bool no_window_expected(HWND) {
    ADD_FAILURE() << "the second process showed a window";
    return true;
}

}  // namespace

// The sender makes the path absolute: the running window's current folder
// is not the one the path was typed in.
TEST_F(MainWindowTest, SecondInstanceHandsItsRelativePathOverAndEnds) {
    std::string folder = test_data_folder();
    char here[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof here, here);
    ASSERT_NE(lstrcmpiA(here, folder.c_str()), 0);
    ShowWindow(window, SW_MINIMIZE);
    pump_messages();
    answer_next_dialog(IDOK);  // a path it cannot open would stop both processes behind a message box
    EXPECT_EQ(run_lumora("\"im24-a.bmp\"   ", folder, no_window_expected), 0);
    EXPECT_FALSE(last_dialog().seen) << last_dialog().text;
    EXPECT_STREQ(g_viewer.current_path, (folder + "\\im24-a.bmp").c_str()) << "the running window opened the file";
    EXPECT_GT(g_file_list.count, 1) << "and listed its folder";
    EXPECT_FALSE(IsIconic(window)) << "restored from the minimized state";
}

// The uninstaller's switch in capitals removes Lumora's classes and ends
// without a window; a path that merely contains its letters is opened.
TEST_F(MainWindowTest, SetupSwitchIsAWholeArgumentOnly) {
    RegistrySnapshot classes{HKEY_CURRENT_USER, L"Software\\Classes\\WinLumora.png"};
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Classes\\WinLumora.png", 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(run_lumora("/UNASSOC", "", no_window_expected), 0);
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Classes\\WinLumora.png", 0, KEY_READ, &key), ERROR_SUCCESS)
        << "the class was removed";
    EXPECT_STREQ(g_viewer.current_path, "") << "a switch is never handed over as a path";

    DestroyWindow(window);  // no window to hand the path to: the second process shows it
    pump_messages();
    window = nullptr;
    std::string folder = temp_folder("switch"), slashed = folder;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    CopyFileA((test_data_folder() + "\\im24-a.bmp").c_str(), (folder + "unassoc.png").c_str(), FALSE);
    char title[64] = "";
    int code = run_lumora("\"" + slashed + "unassoc.png\"", "", [&](HWND other) {
        GetWindowTextA(other, title, sizeof title);
        if (strcmp(title, "unassoc.png - Lumora") != 0) return false;
        PostMessageA(other, WM_CLOSE, 0, 0);
        return true;
    });
    remove_tree(folder);
    EXPECT_EQ(code, 0);
    EXPECT_STREQ(title, "unassoc.png - Lumora");
}

// Bare, a second process opens its own window next to ours; with a path
// relative to its current folder and no window to hand it to, it shows the
// file in its folder.
TEST_F(MainWindowTest, StartsWithoutHandOverOpenTheirOwnWindow) {
    const struct { const char* arguments; bool ours_open; const char* title; } cases[] = {
        {"", true, "Lumora"},
        {"im24-a.bmp", false, "im24-a.bmp - Lumora"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "arguments \"" << c.arguments << "\"");
        if (!c.ours_open && window) {
            DestroyWindow(window);
            pump_messages();
            window = nullptr;
        }
        char title[64] = "", status[300] = "";
        int code = run_lumora(c.arguments, test_data_folder(), [&](HWND other) {
            GetWindowTextA(other, title, sizeof title);
            if (strcmp(title, c.title) != 0) return false;  // the file loads after the window shows
            // WM_GETTEXT, unlike SB_GETTEXT, carries the text of part 0 across processes.
            SendMessageA(GetDlgItem(other, kStatusBarId), WM_GETTEXT, sizeof status, (LPARAM)status);
            PostMessageA(other, WM_CLOSE, 0, 0);
            return true;
        });
        EXPECT_STREQ(title, c.title);
        EXPECT_EQ(code, 0);
        if (c.ours_open) continue;
        int position = 0, count = 0;
        EXPECT_EQ(sscanf(status, "im24-a.bmp  (%d/%d)", &position, &count), 2) << "status: " << status;
        EXPECT_TRUE(position >= 1 && count > 1) << "status: " << status;
    }
}

TEST_F(MainWindowTest, StoredRectangleIsUsedAboveTheThresholdsAndOnlyItIsWritten) {
    for (int width : {200, 201}) {  // the rule's arithmetic is tested natively
        DestroyWindow(window);  // closing writes the window's rectangle into the settings
        pump_messages();
        g_settings.RememberPos = 1;
        g_settings.WinX = 30, g_settings.WinY = 40, g_settings.WinW = width, g_settings.WinH = 151;
        window = CreateMainWindow(GetModuleHandleA(nullptr));
        RECT r = {}, stored = {30, 40, 30 + width, 40 + 151};
        GetWindowRect(window, &r);
        EXPECT_EQ(EqualRect(&r, &stored) != 0, width > 200)
            << "stored width " << width << ": " << r.right - r.left << " x " << r.bottom - r.top << " at " << r.left;
    }
    SetWindowPos(window, nullptr, 70, 80, 610, 420, SWP_NOZORDER);
    g_settings.JpegQ = 55;  // changed in memory only: not written at exit
    DestroyWindow(window);
    pump_messages();
    window = nullptr;
    const struct { const wchar_t* name; DWORD value; } written[] = {
        {L"WinX", 70}, {L"WinY", 80}, {L"WinW", 610}, {L"WinH", 420}, {L"JpegQ", 0}};
    for (const auto& w : written) {
        DWORD value = 0;
        bool found = registry_read_dword(HKEY_CURRENT_USER, L"Software\\Harnwick\\Lumora", w.name, &value);
        EXPECT_TRUE(found == (w.value != 0) && value == w.value) << w.name << " is " << value << ", not " << w.value;
    }
}
