// The settings store against Wine's registry: the real key, written and read
// by the same calls the program makes, put back as it was after each test.
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include "shell/settings.h"
#include "tests/support/registry_snapshot.h"
#include "viewer/viewer_state.h"

namespace {

const wchar_t kKey[] = L"Software\\Harnwick\\Lumora";
const wchar_t kVendorKey[] = L"Software\\Harnwick";  // taken whole, so no empty parent is left behind

class SettingsStore : public ::testing::Test {
protected:
    RegistrySnapshot* snapshot = nullptr;
    Settings saved_settings;
    ViewerState saved_viewer;

    void SetUp() override {
        snapshot = new RegistrySnapshot(HKEY_CURRENT_USER, kVendorKey);
        ASSERT_FALSE(registry_key_exists(HKEY_CURRENT_USER, kKey));
        saved_settings = g_settings;
        saved_viewer = g_viewer;
        memset(&g_settings, 0x77, sizeof g_settings);  // nothing may survive a load
    }
    void TearDown() override {
        g_settings = saved_settings;
        g_viewer = saved_viewer;
        delete snapshot;
    }

    static void put_dword(const wchar_t* name, DWORD value) { put_raw(name, REG_DWORD, &value, sizeof value); }
    static void put_raw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, (const BYTE*)data, size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static int value_count() {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return -1;
        DWORD count = 0;
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                         nullptr);
        RegCloseKey(key);
        return (int)count;
    }
};

// The defaults written out independently of the table they are kept in.
void expect_all_defaults(const Settings& s) {
    EXPECT_EQ(s.DefaultFit, 2);
    EXPECT_EQ(s.LargeButtons, 0);
    EXPECT_EQ(s.SlideMs, 4000);
    EXPECT_EQ(s.FsToolbar, 0);
    EXPECT_EQ(s.SlideLoop, 0);
    EXPECT_EQ(s.SlideRandom, 0);
    EXPECT_EQ(s.ThumbSize, 96);
    EXPECT_EQ(s.ConfirmDel, 1);
    EXPECT_EQ(s.RememberPos, 0);
    EXPECT_EQ(s.JpegQ, 90);
    EXPECT_EQ(s.WinX, 0);
    EXPECT_EQ(s.WinY, 0);
    EXPECT_EQ(s.WinW, 0);
    EXPECT_EQ(s.WinH, 0);
    EXPECT_EQ(s.ShowToolbar, 1);
    EXPECT_EQ(s.ShowStatus, 1);
    EXPECT_EQ(s.AlwaysTop, 0);
    EXPECT_EQ(s.HideCursorFS, 0);
    EXPECT_EQ(s.ExitAfterDel, 0);
    EXPECT_EQ(s.SlideReverse, 0);
    EXPECT_EQ(s.SlideAuto, 1);
    EXPECT_EQ(s.StartLast, 0);
    EXPECT_EQ(s.ShowAllFiles, 0);
    EXPECT_EQ(s.ShowHidden, 0);
    EXPECT_EQ(s.NoGifAnim, 0);
    EXPECT_EQ(s.BrowseView, 0);
    EXPECT_EQ(s.FolderTree, 0);
    EXPECT_EQ(s.AddrBar, 0);
}

}  // namespace

TEST_F(SettingsStore, NoKeyGivesEveryDefault) {
    g_settings = LoadSettings();
    expect_all_defaults(g_settings);
    StartupRect r;
    EXPECT_FALSE(startup_window_rect(g_settings, &r));
    EXPECT_EQ(r.width, 720);
    EXPECT_EQ(r.height, 540);
    EXPECT_FALSE(registry_key_exists(HKEY_CURRENT_USER, kKey)) << "loading never creates the key";
}

TEST_F(SettingsStore, EmptyKeyGivesEveryDefault) {
    put_dword(L"Unrelated", 5);
    g_settings = LoadSettings();
    expect_all_defaults(g_settings);
}

TEST_F(SettingsStore, RangeRulesAtTheirEdges) {
    struct Case {
        const wchar_t* name;
        DWORD stored;
        int32_t Settings::*field;
        int32_t want;
    } cases[] = {
        {L"SlideMs", 999, &Settings::SlideMs, 4000},
        {L"SlideMs", 1000, &Settings::SlideMs, 1000},
        {L"SlideMs", 600000, &Settings::SlideMs, 600000},
        {L"SlideMs", 600001, &Settings::SlideMs, 600000},
        {L"SlideMs", 0xFFFFFFFF, &Settings::SlideMs, 4000},
        {L"ThumbSize", 100, &Settings::ThumbSize, 96},
        {L"ThumbSize", 64, &Settings::ThumbSize, 64},
        {L"ThumbSize", 192, &Settings::ThumbSize, 192},
        {L"JpegQ", 0, &Settings::JpegQ, 90},
        {L"JpegQ", 1, &Settings::JpegQ, 1},
        {L"JpegQ", 100, &Settings::JpegQ, 100},
        {L"JpegQ", 101, &Settings::JpegQ, 90},
        {L"DefaultFit", 3, &Settings::DefaultFit, 2},
        {L"DefaultFit", 0, &Settings::DefaultFit, 0},
        {L"DefaultFit", 1, &Settings::DefaultFit, 1},
        {L"BrowseView", 4, &Settings::BrowseView, 4},
        {L"BrowseView", 5, &Settings::BrowseView, 0},
        {L"LargeButtons", 7, &Settings::LargeButtons, 1},
        {L"ConfirmDel", 0, &Settings::ConfirmDel, 0},
        {L"AddrBar", 0x80000000, &Settings::AddrBar, 1},
        {L"SlideAuto", 0, &Settings::SlideAuto, 0},
        {L"WinX", (DWORD)-40, &Settings::WinX, -40},
        {L"WinH", 77, &Settings::WinH, 77},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "stored " << (int32_t)c.stored);
        registry_delete_tree(HKEY_CURRENT_USER, kKey);
        put_dword(c.name, c.stored);
        g_settings = LoadSettings();
        EXPECT_EQ(g_settings.*c.field, c.want);
    }
}

TEST_F(SettingsStore, EveryFlagTakesAnyNonZeroAsSet) {
    for (const SettingDef& def : kSettingDefs) {
        if (def.rule != kRuleFlag) continue;
        SCOPED_TRACE(def.name);
        wchar_t name[64];
        MultiByteToWideChar(CP_ACP, 0, def.name, -1, name, 64);
        registry_delete_tree(HKEY_CURRENT_USER, kKey);
        put_dword(name, 2);
        g_settings = LoadSettings();
        EXPECT_EQ(setting_value(g_settings, def), 1);
        put_dword(name, 0);
        g_settings = LoadSettings();
        EXPECT_EQ(setting_value(g_settings, def), 0);
    }
}

TEST_F(SettingsStore, ValueOfTheWrongSizeFallsBackToItsDefault) {
    const unsigned long long eight = 55;
    const unsigned short two = 55;
    const BYTE four[4] = {55, 0, 0, 0};
    put_raw(L"JpegQ", REG_QWORD, &eight, sizeof eight);
    put_raw(L"SlideMs", REG_BINARY, &two, sizeof two);
    put_raw(L"ThumbSize", REG_SZ, L"64", 6);
    put_raw(L"DefaultFit", REG_BINARY, nullptr, 0);
    put_raw(L"BrowseView", REG_BINARY, four, 3);
    put_raw(L"WinW", REG_BINARY, four, 4);  // the type is not looked at, only the size
    put_dword(L"ShowStatus", 0);            // and the others still load
    g_settings = LoadSettings();
    EXPECT_EQ(g_settings.JpegQ, 90);
    EXPECT_EQ(g_settings.SlideMs, 4000);
    EXPECT_EQ(g_settings.ThumbSize, 96);
    EXPECT_EQ(g_settings.DefaultFit, 2);
    EXPECT_EQ(g_settings.BrowseView, 0);
    EXPECT_EQ(g_settings.WinW, 55);
    EXPECT_EQ(g_settings.ShowStatus, 0);
}

TEST_F(SettingsStore, SaveThenLoadRoundTripsEveryField) {
    settings_set_defaults(&g_settings);
    // A valid value for every field, none of them its default.
    int32_t next = 1;
    for (const SettingDef& def : kSettingDefs) {
        int32_t v;
        switch (def.rule) {
        case kRuleFlag: v = def.default_value ? 0 : 1; break;
        case kRuleChoice: v = def.choices[def.choice_count - 1]; break;
        case kRuleRange: v = def.default_value == def.low ? def.high : def.low; break;
        case kRuleFloor: v = def.low + 17; break;
        default: v = -1000 * next++; break;
        }
        ASSERT_NE(v, def.default_value) << def.name;
        *setting_field(&g_settings, def) = v;
    }
    g_settings.WinX = 33;  // where a window can be placed
    g_settings.WinY = 44;
    Settings wanted = g_settings;
    g_settings.WinW = g_settings.WinH = 0;  // SaveWindowPlacement writes these from the window
    SaveSettings();

    // Written as REG_DWORD values under the documented key, rectangle left out.
    EXPECT_EQ(value_count(), kSettingCount - 4);
    for (const SettingDef& def : kSettingDefs) {
        wchar_t name[64];
        MultiByteToWideChar(CP_ACP, 0, def.name, -1, name, 64);
        DWORD value = 0, type = 0;
        bool there = registry_read_dword(HKEY_CURRENT_USER, kKey, name, &value, &type);
        if (def.window_rect) {
            EXPECT_FALSE(there) << def.name;
            continue;
        }
        EXPECT_TRUE(there) << def.name;
        EXPECT_EQ(type, (DWORD)REG_DWORD) << def.name;
        EXPECT_EQ((int32_t)value, setting_value(wanted, def)) << def.name;
    }

    // The rectangle comes from the window.
    HWND window = CreateWindowExA(0, "STATIC", "placement", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    GetWindowPlacement(window, &wp);
    wp.rcNormalPosition = {wanted.WinX, wanted.WinY, wanted.WinX + 400, wanted.WinY + 300};
    wp.showCmd = SW_SHOWNOACTIVATE;
    SetWindowPlacement(window, &wp);
    SaveWindowPlacement(window);
    DestroyWindow(window);
    wanted.WinW = 400;
    wanted.WinH = 300;

    memset(&g_settings, 0, sizeof g_settings);
    g_settings = LoadSettings();
    for (const SettingDef& def : kSettingDefs)
        EXPECT_EQ(setting_value(g_settings, def), setting_value(wanted, def)) << def.name;
}

TEST_F(SettingsStore, SavingAppliesNoRuleLoadingDoes) {
    settings_set_defaults(&g_settings);
    g_settings.JpegQ = 500;
    g_settings.LargeButtons = 9;
    SaveSettings();
    DWORD value = 0;
    ASSERT_TRUE(registry_read_dword(HKEY_CURRENT_USER, kKey, L"JpegQ", &value));
    EXPECT_EQ(value, 500u);
    ASSERT_TRUE(registry_read_dword(HKEY_CURRENT_USER, kKey, L"LargeButtons", &value));
    EXPECT_EQ(value, 9u);
    g_settings = LoadSettings();
    EXPECT_EQ(g_settings.JpegQ, 90);
    EXPECT_EQ(g_settings.LargeButtons, 1);
    ASSERT_TRUE(registry_read_dword(HKEY_CURRENT_USER, kKey, L"JpegQ", &value));
    EXPECT_EQ(value, 500u) << "loading corrects memory only";
}

TEST_F(SettingsStore, WindowPlacementOnlyWithRememberPos) {
    HWND window = CreateWindowExA(0, "STATIC", "placement", WS_OVERLAPPEDWINDOW, 30, 40, 420, 310, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    settings_set_defaults(&g_settings);

    g_settings.RememberPos = 1;
    SaveWindowPlacement(nullptr);
    EXPECT_FALSE(registry_key_exists(HKEY_CURRENT_USER, kKey)) << "no main window, nothing written";

    g_settings.RememberPos = 0;
    SaveWindowPlacement(window);
    EXPECT_FALSE(registry_key_exists(HKEY_CURRENT_USER, kKey)) << "RememberPos off, nothing written";

    g_settings.RememberPos = 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    ShowWindow(window, SW_MAXIMIZE);  // the restored rectangle is the one kept
    SaveWindowPlacement(window);
    EXPECT_EQ(value_count(), 4) << "only the rectangle is written";
    DWORD x = 0, y = 0, w = 0, h = 0;
    EXPECT_TRUE(registry_read_dword(HKEY_CURRENT_USER, kKey, L"WinX", &x));
    EXPECT_TRUE(registry_read_dword(HKEY_CURRENT_USER, kKey, L"WinY", &y));
    EXPECT_TRUE(registry_read_dword(HKEY_CURRENT_USER, kKey, L"WinW", &w));
    EXPECT_TRUE(registry_read_dword(HKEY_CURRENT_USER, kKey, L"WinH", &h));
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    GetWindowPlacement(window, &wp);
    EXPECT_EQ((LONG)x, wp.rcNormalPosition.left);
    EXPECT_EQ((LONG)y, wp.rcNormalPosition.top);
    EXPECT_EQ(w, 420u);
    EXPECT_EQ(h, 310u);
    RECT now;
    GetWindowRect(window, &now);
    EXPECT_NE(now.right - now.left, 420) << "the window should be maximized for this test to mean something";
    DestroyWindow(window);
}

TEST_F(SettingsStore, StartupRectangleThresholds) {
    struct Case {
        DWORD remember, x, y, w, h;
        bool saved;
    } cases[] = {
        {1, 10, 20, 200, 400, false}, {1, 10, 20, 400, 150, false}, {1, 10, 20, 200, 150, false},
        {1, 10, 20, 201, 151, true},  {0, 10, 20, 800, 600, false},
        {1, (DWORD)-9000, 12000, 640, 480, true},  // off every screen, still used
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " at " << (int32_t)c.x << "," << c.y);
        registry_delete_tree(HKEY_CURRENT_USER, kKey);
        put_dword(L"RememberPos", c.remember);
        put_dword(L"WinX", c.x);
        put_dword(L"WinY", c.y);
        put_dword(L"WinW", c.w);
        put_dword(L"WinH", c.h);
        g_settings = LoadSettings();
        StartupRect r;
        EXPECT_EQ(startup_window_rect(g_settings, &r), c.saved);
        if (c.saved) {
            EXPECT_FALSE(r.use_default_position);
            EXPECT_EQ(r.x, (int32_t)c.x);
            EXPECT_EQ(r.y, (int32_t)c.y);
            EXPECT_EQ(r.width, (int32_t)c.w);
            EXPECT_EQ(r.height, (int32_t)c.h);
        } else {
            EXPECT_TRUE(r.use_default_position);
            EXPECT_EQ(r.width, 720);
            EXPECT_EQ(r.height, 540);
        }
    }
}

TEST_F(SettingsStore, SavingKeepsTheRecentLists) {
    HKEY recent;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Harnwick\\Lumora\\Recent", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &recent, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(recent, L"File1", 0, REG_SZ, (const BYTE*)L"C:\\a.bmp", 18);
    RegCloseKey(recent);
    settings_set_defaults(&g_settings);
    SaveSettings();
    wchar_t text[32] = {};
    DWORD size = sizeof text;
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Harnwick\\Lumora\\Recent", 0, KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(key, L"File1", nullptr, nullptr, (BYTE*)text, &size), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_STREQ(text, L"C:\\a.bmp");
}
