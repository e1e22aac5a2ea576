// Start-up of the real lumora.exe against a main window of this process, and
// the window rectangle rule.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/bmp_builder.h"
#include "tests/support/main_window_fixture.h"

namespace {

std::string program_folder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\'));
}

// Starts lumora.exe with the arguments and keeps this thread's windows
// answering until it ends; its exit code, or -1 when it outlives the limit.
int run_lumora(const std::string& arguments, DWORD limit_ms, DWORD* pid_out = nullptr,
               bool (*while_running)(DWORD pid) = nullptr) {
    std::string command = "\"" + program_folder() + "\\lumora.exe\" " + arguments;
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    std::string mutable_command = command;
    if (!CreateProcessA(nullptr, &mutable_command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -2;
    if (pid_out) *pid_out = pi.dwProcessId;
    DWORD start = GetTickCount();
    bool acted = false;
    while (GetTickCount() - start < limit_ms) {
        DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 50, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) break;
        pump_messages();
        if (while_running && !acted) acted = while_running(pi.dwProcessId);
    }
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
    else GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return (int)code;
}

struct WindowSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK match_main_window(HWND w, LPARAM lp) {
    WindowSearch* s = (WindowSearch*)lp;
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (owner == s->pid && lstrcmpA(cls, "LumoraMain") == 0 && IsWindowVisible(w)) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

// The main window another process made, if any.
HWND foreign_main_window(DWORD pid) {
    WindowSearch search = {pid, nullptr};
    EnumWindows(match_main_window, (LPARAM)&search);
    return search.found;
}

std::string temp_bitmap(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + name;
    BmpSpec s;
    s.width = 3;
    s.height = 2;
    std::vector<uint8_t> bytes = bmp_headers(s);
    bytes.resize(bytes.size() + 2 * bmp_row_bytes(s), 0x40);
    FILE* f = fopen(path.c_str(), "wb");
    if (f) {
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    return path;
}

}  // namespace

TEST_F(MainWindowTest, SecondInstanceHandsItsPathOverAndEnds) {
    std::string path = temp_bitmap("lumora hand over.bmp");
    ShowWindow(window, SW_MINIMIZE);
    pump_messages();
    DWORD pid = 0;
    int code = run_lumora("\"" + path + "\"   ", 30000, &pid);
    EXPECT_EQ(code, 0);
    EXPECT_STREQ(g_viewer.current_path, path.c_str()) << "the running window opened the file";
    EXPECT_FALSE(IsIconic(window)) << "restored from the minimized state";
    EXPECT_EQ(foreign_main_window(pid), nullptr);
    DeleteFileA(path.c_str());
}

TEST_F(MainWindowTest, SetupSwitchInCapitalsEndsWithoutAWindow) {
    DWORD pid = 0;
    int code = run_lumora("/UNASSOC", 30000, &pid);
    EXPECT_EQ(code, 0);
    EXPECT_STREQ(g_viewer.current_path, "") << "a switch is never handed over as a path";
}

TEST_F(MainWindowTest, BareStartOpensASecondWindow) {
    static bool closed;
    closed = false;
    DWORD pid = 0;
    int code = run_lumora("", 30000, &pid, [](DWORD child) {
        HWND other = foreign_main_window(child);
        if (!other) return false;
        char title[32] = "";
        GetWindowTextA(other, title, sizeof title);
        closed = lstrcmpA(title, "Lumora") == 0;
        PostMessageA(other, WM_CLOSE, 0, 0);
        return true;
    });
    EXPECT_TRUE(closed) << "the second process showed its own window";
    EXPECT_EQ(code, 0);
}

struct WindowRectTest : MainWindowTest {
    void SetUp() override {}
    void Store(DWORD remember, DWORD x, DWORD y, DWORD w, DWORD h) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Harnwick\\Lumora", 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        const struct { const char* name; DWORD value; } values[] = {
            {"RememberPos", remember}, {"WinX", x}, {"WinY", y}, {"WinW", w}, {"WinH", h}};
        for (auto v : values) RegSetValueExA(key, v.name, 0, REG_DWORD, (const BYTE*)&v.value, 4);
        RegCloseKey(key);
    }
    RECT Opened() {
        OpenWindow();
        RECT r = {};
        GetWindowRect(window, &r);
        DestroyWindow(window);
        pump_messages();
        window = nullptr;
        return r;
    }
};

TEST_F(WindowRectTest, RememberedRectangleNeedsMoreThan200By150) {
    Store(1, 30, 40, 200, 150);
    RECT r = Opened();
    EXPECT_EQ(r.right - r.left, 720);
    EXPECT_EQ(r.bottom - r.top, 540);
    Store(1, 30, 40, 201, 151);
    r = Opened();
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 201);
    EXPECT_EQ(r.bottom - r.top, 151);
    Store(0, 30, 40, 400, 300);
    r = Opened();
    EXPECT_EQ(r.right - r.left, 720);
}

TEST_F(WindowRectTest, ClosingWritesOnlyThePlacement) {
    Store(1, 50, 60, 500, 400);
    OpenWindow();
    SetWindowPos(window, nullptr, 70, 80, 610, 420, SWP_NOZORDER);
    g_settings.JpegQ = 55;  // changed in memory only: not written at exit
    DestroyWindow(window);
    pump_messages();
    window = nullptr;
    DWORD value = 0;
    const wchar_t* key = L"Software\\Harnwick\\Lumora";
    ASSERT_TRUE(registry_read_dword(HKEY_CURRENT_USER, key, L"WinX", &value));
    EXPECT_EQ(value, 70u);
    ASSERT_TRUE(registry_read_dword(HKEY_CURRENT_USER, key, L"WinW", &value));
    EXPECT_EQ(value, 610u);
    ASSERT_TRUE(registry_read_dword(HKEY_CURRENT_USER, key, L"WinH", &value));
    EXPECT_EQ(value, 420u);
    EXPECT_FALSE(registry_read_dword(HKEY_CURRENT_USER, key, L"JpegQ", &value));
}
