#include "shell/settings.h"


const char kSettingsKey[] = "Software\\Harnwick\\Lumora";

Settings g_settings = [] {
    Settings s;
    settings_set_defaults(&s);
    return s;
}();

// A value is taken only when it is exactly 4 bytes long: a longer one does
// not fit the buffer, and a shorter one would leave part of it unset. The
// stored type is not looked at.
static int32_t read_value(HKEY key, const SettingDef& def) {
    if (!key) return def.default_value;
    DWORD data = 0, size = sizeof data;
    if (RegQueryValueExA(key, def.name, nullptr, nullptr, (BYTE*)&data, &size) != ERROR_SUCCESS || size != sizeof data)
        return def.default_value;
    return (int32_t)data;
}

static void write_value(HKEY key, const char* name, int32_t value) {
    DWORD data = (DWORD)value;
    RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE*)&data, sizeof data);
}

Settings LoadSettings() {
    Settings settings;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) key = nullptr;
    for (const SettingDef& def : kSettingDefs) *setting_field(&settings, def) = read_value(key, def);
    if (key) RegCloseKey(key);
    settings_apply_rules(&settings);
    return settings;
}

static HKEY create_settings_key() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

void SaveSettings() {
    HKEY key = create_settings_key();
    if (!key) return;
    for (const SettingDef& def : kSettingDefs)
        if (!def.window_rect) write_value(key, def.name, setting_value(g_settings, def));
    RegCloseKey(key);
}

void SaveWindowPlacement(HWND window, const RECT* instead) {
    if (!window || !IsWindow(window) || !g_settings.RememberPos) return;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!instead && !GetWindowPlacement(window, &placement)) return;
    // The restored rectangle, so a maximized or minimized window keeps the
    // size it comes back to.
    const RECT& r = instead ? *instead : placement.rcNormalPosition;
    g_settings.WinX = r.left;
    g_settings.WinY = r.top;
    g_settings.WinW = r.right - r.left;
    g_settings.WinH = r.bottom - r.top;
    HKEY key = create_settings_key();
    if (!key) return;
    for (const SettingDef& def : kSettingDefs)
        if (def.window_rect) write_value(key, def.name, setting_value(g_settings, def));
    RegCloseKey(key);
}
