// The settings store against the registry: the real key, written and read by
// the same calls the program makes, put back as it was after each test. The
// rules themselves are tested natively; here only that loading and saving
// walk them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell/settings.h"
#include "tests/support/registry_snapshot.h"

namespace {

const wchar_t kKey[] = L"Software\\Harnwick\\Lumora";
const wchar_t kRecentKey[] = L"Software\\Harnwick\\Lumora\\Recent";
const wchar_t kRecentFile[] = L"C:\\a.bmp";  // the recent list shares the key: every save must leave it

std::wstring wide_name(const SettingDef& def) { return std::wstring(def.name, def.name + strlen(def.name)); }

// A value the row's rule keeps and that is not its default.
int32_t kept_value(int row) {
    const SettingDef& d = kSettingDefs[row];
    for (int32_t v : {100 + 10 * row, 0, 1, d.low, d.high, d.choice_count ? d.choices[0] : 0})
        if (v != d.default_value && apply_setting_rule(d, v) == v) return v;
    return d.default_value;
}

void expect_settings(const Settings& got, const Settings& want) {
    for (const SettingDef& def : kSettingDefs)
        EXPECT_EQ(setting_value(got, def), setting_value(want, def)) << def.name;
}

class SettingsStore : public ::testing::Test {
protected:
    RegistrySnapshot vendor{HKEY_CURRENT_USER, L"Software\\Harnwick"};  // whole, so no empty parent is left behind
    Settings saved = g_settings;
    Settings defaults;

    void SetUp() override {
        ASSERT_EQ(value_count(), -1) << "the key is still there";
        settings_set_defaults(&defaults);
    }
    void TearDown() override { g_settings = saved; }

    static void put(const wchar_t* name, DWORD type, const void* data, DWORD size, const wchar_t* path = kKey) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, (const BYTE*)data, size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static int value_count() {
        RegistryTreeCopy tree;
        return registry_copy_tree(HKEY_CURRENT_USER, kKey, &tree) ? (int)tree.values.size() : -1;
    }
};

}  // namespace

TEST_F(SettingsStore, MissingOrWrongSizedValuesGiveTheirDefaults) {
    expect_settings(LoadSettings(), defaults);
    EXPECT_EQ(value_count(), -1) << "loading never creates the key";
    struct Case {
        DWORD type;
        int size;  // -1: no value
        bool taken;
    } cases[] = {
        {REG_DWORD, -1, false}, {REG_QWORD, 8, false}, {REG_BINARY, 2, false}, {REG_BINARY, 0, false},
        {REG_BINARY, 3, false}, {REG_NONE, 4, true},   {REG_BINARY, 4, true},  {REG_DWORD, 4, true},  // type not looked at
    };
    Settings want = defaults;
    for (int i = 0; i < kSettingCount; ++i) {  // the cases in turn, one row each
        const Case& c = cases[i % (sizeof cases / sizeof cases[0])];
        int64_t data = kept_value(i);
        if (c.size >= 0) put(wide_name(kSettingDefs[i]).c_str(), c.type, &data, c.size);
        if (c.taken) *setting_field(&want, kSettingDefs[i]) = kept_value(i);
    }
    expect_settings(LoadSettings(), want);
}

TEST_F(SettingsStore, RulesAreAppliedOnLoadNotOnSave) {
    Settings raw = defaults;
    for (const SettingDef& def : kSettingDefs)  // a value the rule changes, where it has one
        *setting_field(&raw, def) = apply_setting_rule(def, 7) != 7 ? 7 : -1;
    g_settings = raw;
    put(L"File1", REG_SZ, kRecentFile, sizeof kRecentFile, kRecentKey);
    SaveSettings();
    Settings loaded = LoadSettings();
    EXPECT_EQ(value_count(), kSettingCount - 4) << "every value but the rectangle";
    for (const SettingDef& def : kSettingDefs) {
        SCOPED_TRACE(def.name);
        DWORD stored = 0, type = 0;
        bool there = registry_read_dword(HKEY_CURRENT_USER, kKey, wide_name(def).c_str(), &stored, &type);
        if (def.window_rect) {
            EXPECT_FALSE(there) << "the rectangle is left to the placement save";
            continue;
        }
        EXPECT_TRUE(there && type == REG_DWORD) << "type " << type;
        EXPECT_EQ((int32_t)stored, setting_value(raw, def)) << "written as it was in memory; loading leaves it so";
        int32_t ruled = apply_setting_rule(def, setting_value(raw, def));
        EXPECT_TRUE(def.rule == kRuleNone || ruled != setting_value(raw, def)) << "the case must be out of range";
        EXPECT_EQ(setting_value(loaded, def), ruled);
    }
    RegistryTreeCopy recent;
    EXPECT_TRUE(registry_copy_tree(HKEY_CURRENT_USER, kRecentKey, &recent) && recent.values.size() == 1);
}

TEST_F(SettingsStore, PlacementOnlyWithRememberPosAndAWindow) {
    Settings want = defaults;
    want.WinX = 30, want.WinY = 40, want.WinW = 420, want.WinH = 310;
    // Maximized: the restored rectangle is the one kept.
    HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    WINDOWPLACEMENT wp = {sizeof wp, 0, 0, {}, {}, {}};
    GetWindowPlacement(window, &wp);
    wp.rcNormalPosition = {want.WinX, want.WinY, want.WinX + want.WinW, want.WinY + want.WinH};
    wp.showCmd = SW_SHOWMAXIMIZED;
    SetWindowPlacement(window, &wp);
    RECT now;
    GetWindowRect(window, &now);
    ASSERT_NE(now.right - now.left, want.WinW) << "the window should be maximized for this test to mean something";
    g_settings = defaults;
    put(L"File1", REG_SZ, kRecentFile, sizeof kRecentFile, kRecentKey);
    SaveWindowPlacement(window);
    EXPECT_EQ(value_count(), 0) << "RememberPos off, nothing written";
    g_settings.RememberPos = 1;
    SaveWindowPlacement(nullptr);
    EXPECT_EQ(value_count(), 0) << "no window, nothing written";

    SaveWindowPlacement(window);
    DestroyWindow(window);
    EXPECT_EQ(value_count(), 4) << "only the rectangle is written";
    want.RememberPos = 1;
    expect_settings(g_settings, want);
    want.RememberPos = 0;  // not written, so its default comes back
    expect_settings(LoadSettings(), want);
    RegistryTreeCopy recent;
    EXPECT_TRUE(registry_copy_tree(HKEY_CURRENT_USER, kRecentKey, &recent) && recent.values.size() == 1);
}
