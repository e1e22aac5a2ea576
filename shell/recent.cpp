#include "shell/recent.h"

#include <stdio.h>

#include <initializer_list>

#include "platform/text.h"
#include "res/resource.h"
#include "shell/settings.h"

RecentList g_recent_files;
RecentList g_recent_folders;

namespace {

struct RecentKind {
    RecentList* list;
    const char* key;     // under the settings key
    const char* format;  // value names
    int first_command;   // also the placeholder of the submenu
    bool folders;
};

const RecentKind kFiles = {&g_recent_files, "Recent", "File%d", IDM_RECENT_FILE_FIRST, false};
const RecentKind kFolders = {&g_recent_folders, "RecentFolders", "Dir%d", IDM_RECENT_FOLDER_FIRST, true};

HMENU g_menus[2] = {};

void key_path(const RecentKind& kind, char* out, size_t size) { snprintf(out, size, "%s\\%s", kSettingsKey, kind.key); }

void load(const RecentKind& kind) {
    RecentList& list = *kind.list;
    list.count = 0;
    char path[MAX_PATH + 32];
    key_path(kind, path, sizeof path);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
    for (int i = 0; i < kRecentMax; ++i) {
        char name[16], value[kRecentPathSize + 1] = "";
        snprintf(name, sizeof name, kind.format, i);
        // Room for a 259-character path and its zero: what a save writes
        // must load again.
        DWORD type = 0, size = kRecentPathSize;
        if (RegQueryValueExA(key, name, nullptr, &type, (BYTE*)value, &size) != ERROR_SUCCESS || type != REG_SZ ||
            size == 0)
            continue;
        value[size < kRecentPathSize ? size : kRecentPathSize] = 0;
        recent_append(&list, value);
    }
    RegCloseKey(key);
}

void save(const RecentKind& kind) {
    char path[MAX_PATH + 32];
    key_path(kind, path, sizeof path);
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    const RecentList& list = *kind.list;
    for (int i = 0; i < kRecentMax; ++i) {
        char name[16];
        snprintf(name, sizeof name, kind.format, i);
        if (i < list.count)
            RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)list.entry[i], (DWORD)lstrlenA(list.entry[i]) + 1);
        else RegDeleteValueA(key, name);
    }
    RegCloseKey(key);
}

// The File menu's submenu holding the list's placeholder or its items.
HMENU find_submenu(HMENU bar, int first_command) {
    HMENU file = bar ? GetSubMenu(bar, 0) : nullptr;
    int count = file ? GetMenuItemCount(file) : 0;
    for (int i = 0; i < count; ++i) {
        HMENU sub = GetSubMenu(file, i);
        if (sub && GetMenuState(sub, (UINT)first_command, MF_BYCOMMAND) != (UINT)-1) return sub;
    }
    return nullptr;
}

void build(HMENU bar, const RecentKind& kind) {
    HMENU sub = find_submenu(bar, kind.first_command);
    if (!sub) return;
    for (int i = GetMenuItemCount(sub) - 1; i >= 0; --i) DeleteMenu(sub, (UINT)i, MF_BYPOSITION);
    const RecentList& list = *kind.list;
    if (list.count == 0) AppendMenuA(sub, MF_STRING | MF_GRAYED, (UINT_PTR)kind.first_command, tr(kTextRecentNone));
    for (int i = 0; i < list.count; ++i) {
        char text[kRecentPathSize + 16];
        recent_menu_text(list, i, kind.folders, text, sizeof text);
        AppendMenuA(sub, MF_STRING, (UINT_PTR)(kind.first_command + i), text);
    }
}

void build_all(const RecentKind& kind) {
    for (HMENU menu : g_menus) build(menu, kind);
}

void add(const RecentKind& kind, const char* path) {
    if (!recent_add(kind.list, path)) return;
    save(kind);
    build_all(kind);
}

}  // namespace

void SetRecentMenus(HMENU viewer_menu, HMENU browser_menu) {
    g_menus[0] = viewer_menu;
    g_menus[1] = browser_menu;
}

void LoadRecentMenus() {
    for (const RecentKind* kind : {&kFiles, &kFolders}) {
        load(*kind);
        build_all(*kind);
    }
}

void AddRecentFile(const char* path) { add(kFiles, path); }
void AddRecentFolder(const char* path) { add(kFolders, path); }
