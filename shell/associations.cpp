#include "shell/associations.h"

#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "platform/modal.h"
#include "platform/text.h"
#include "res/resource.h"

namespace {

HKEY g_classes_root = nullptr;
char g_exe_path[MAX_PATH] = "";

// The default value of root\<extension>, cut at 127 characters; empty when
// missing.
void read_default(HKEY root, const char* extension, char* out, DWORD size) {
    out[0] = 0;
    HKEY key;
    if (RegOpenKeyExA(root, extension, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
    DWORD got = size;
    if (RegQueryValueExA(key, nullptr, nullptr, nullptr, (BYTE*)out, &got) != ERROR_SUCCESS) out[0] = 0;
    out[size - 1] = 0;
    RegCloseKey(key);
}

std::string machine_classes(const char* name) { return std::string("Software\\Classes\\") + name; }

void set_string(HKEY key, const char* name, const char* value) {
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
}

// Creates root\name and sets its default value.
void write_key(HKEY root, const char* name, const char* value) {
    HKEY key;
    if (RegCreateKeyExA(root, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    set_string(key, nullptr, value);
    RegCloseKey(key);
}

// Nothing left in the key: no value, no sub-key.
bool key_is_empty(HKEY key) {
    DWORD sub_keys = 1, values = 1;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &sub_keys, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    return sub_keys == 0 && values == 0;
}

void unassociate_extension(const char* extension, const AssociationRow& row) {
    if (!IsAssociated(extension, row.prog_id)) return;
    HKEY root = ClassesRoot();
    HKEY key;
    if (RegOpenKeyExA(root, extension, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        // An extension known only machine-wide is restored where it lives.
        if (root == HKEY_CLASSES_ROOT) return;
        root = HKEY_CLASSES_ROOT;
        if (RegOpenKeyExA(root, extension, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    }
    char backup[128] = "";
    DWORD size = sizeof backup;
    bool kept = RegQueryValueExA(key, kAssocBackupValue, nullptr, nullptr, (BYTE*)backup, &size) == ERROR_SUCCESS;
    if (!kept) backup[0] = 0;
    backup[sizeof backup - 1] = 0;
    const char* restore = backup[0] ? backup : kept ? nullptr : row.fallback;
    // Per user, a class the machine gives the extension anyway is restored by
    // removing Lumora's value, so the user's classes end as they were.
    char machine[128] = "";
    if (restore && root != HKEY_CLASSES_ROOT) read_default(HKEY_LOCAL_MACHINE, machine_classes(extension).c_str(), machine, sizeof machine);
    if (restore && lstrcmpiA(restore, machine) != 0) set_string(key, nullptr, restore);
    else RegDeleteValueA(key, nullptr);
    RegDeleteValueA(key, kAssocBackupValue);
    bool empty = key_is_empty(key);
    RegCloseKey(key);
    // A per-user key left with nothing in it was Lumora's alone; left behind,
    // it would still shadow the machine-wide one.
    if (empty && root != HKEY_CLASSES_ROOT) RegDeleteKeyA(root, extension);
}

void check_rows(HWND dialog, bool installer) {
    for (const AssociationRow& row : kAssociationRows) {
        char first[16];
        next_extension(row.extensions, first, sizeof first);
        bool checked = installer ? row.icon <= kInstallerIconLimit : IsAssociated(first, row.prog_id);
        CheckDlgButton(dialog, row.check_id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
}

void check_all(HWND dialog, UINT state) {
    for (const AssociationRow& row : kAssociationRows) CheckDlgButton(dialog, row.check_id, state);
}

void apply_rows(HWND dialog) {
    for (const AssociationRow& row : kAssociationRows) {
        if (IsDlgButtonChecked(dialog, row.check_id) == BST_CHECKED) Associate(row);
        else Unassociate(row);
    }
    NotifyAssociationsChanged();
}

INT_PTR CALLBACK associations_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        ShowWindow(dialog, SW_SHOW);
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        BringWindowToTop(dialog);
        SetForegroundWindow(dialog);
        check_rows(dialog, lparam != 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDC_ASSOC_SELECT_ALL: check_all(dialog, BST_CHECKED); return TRUE;
        case IDC_ASSOC_REMOVE_ALL: check_all(dialog, BST_UNCHECKED); return TRUE;
        case IDOK:
            apply_rows(dialog);
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

HKEY ClassesRoot() {
    if (g_classes_root) return g_classes_root;
    g_classes_root = HKEY_CLASSES_ROOT;
    if (!(GetVersion() & 0x80000000u)) {  // NT: the user's own classes, writable without rights
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Classes", 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
            g_classes_root = key;
    }
    return g_classes_root;
}

void SetAssocExePath(const char* path) { lstrcpynA(g_exe_path, path, sizeof g_exe_path); }

const char* AssocExePath() {
    if (!g_exe_path[0]) GetModuleFileNameA(nullptr, g_exe_path, sizeof g_exe_path);
    return g_exe_path;
}

// The user's own classes first, then the classes root. Systems that merge
// the two views give the same answer; NT 4 (and Wine) do not merge, and would
// never see what Lumora wrote per user.
void ReadExtensionClass(const char* extension, char* out, DWORD size) {
    if (ClassesRoot() != HKEY_CLASSES_ROOT) read_default(ClassesRoot(), extension, out, size);
    if (!out[0]) read_default(HKEY_CLASSES_ROOT, extension, out, size);
}

bool IsAssociated(const char* extension, const char* prog_id) {
    char current[128];
    ReadExtensionClass(extension, current, sizeof current);
    return current[0] && lstrcmpiA(current, prog_id) == 0;
}

void AssociateExtension(const char* extension, const char* exe_path, const char* prog_id, const char* description,
                        int icon) {
    char previous[128];
    ReadExtensionClass(extension, previous, sizeof previous);
    HKEY root = ClassesRoot();
    HKEY key;
    if (RegCreateKeyExA(root, extension, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        // Taking the type again keeps the backup of the first time. An empty
        // backup says the type had no class: removal then leaves none,
        // where a lost backup falls back on the row's class.
        if (lstrcmpiA(previous, prog_id) != 0) set_string(key, kAssocBackupValue, previous);
        set_string(key, nullptr, prog_id);
        RegCloseKey(key);
    }
    write_key(root, prog_id, description);
    char name[MAX_PATH], value[MAX_PATH + 32];
    snprintf(name, sizeof name, "%s\\DefaultIcon", prog_id);
    snprintf(value, sizeof value, "%s,%d", exe_path, icon);
    write_key(root, name, value);
    snprintf(name, sizeof name, "%s\\shell\\open\\command", prog_id);
    snprintf(value, sizeof value, "\"%s\" \"%%1\"", exe_path);
    write_key(root, name, value);
}

void Associate(const AssociationRow& row) {
    char extension[64];
    for (const char* next = row.extensions; (next = next_extension(next, extension, sizeof extension));)
        AssociateExtension(extension, AssocExePath(), row.prog_id, tr(row.description), row.icon);
}

void Unassociate(const AssociationRow& row) {
    char extension[64];
    for (const char* next = row.extensions; (next = next_extension(next, extension, sizeof extension));)
        unassociate_extension(extension, row);
}

void DeleteKeyTree(HKEY root, const char* name) {
    HKEY key;
    if (RegOpenKeyExA(root, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    char sub[MAX_PATH];
    DWORD size = sizeof sub;
    bool stuck = false;
    while (!stuck && RegEnumKeyExA(key, 0, sub, &(size = sizeof sub), nullptr, nullptr, nullptr, nullptr) ==
                         ERROR_SUCCESS) {
        DeleteKeyTree(key, sub);
        // A sub-key that would not go would be found first again forever.
        HKEY still;
        if (RegOpenKeyExA(key, sub, 0, KEY_QUERY_VALUE, &still) == ERROR_SUCCESS) {
            RegCloseKey(still);
            stuck = true;
        }
    }
    RegCloseKey(key);
    if (!stuck) RegDeleteKeyA(root, name);
}

void NotifyAssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

void RegisterEditCommand(const char* target_path, const char* program_path) {
    const char* slash = strrchr(target_path, '\\');
    const char* dot = strrchr(slash ? slash + 1 : target_path, '.');
    if (!dot) return;
    char cls[257];
    ReadExtensionClass(dot, cls, sizeof cls);
    if (!cls[0]) return;
    char name[300], value[MAX_PATH + 16];
    if (snprintf(name, sizeof name, "%s\\shell\\edit\\command", cls) >= (int)sizeof name) return;
    if (snprintf(value, sizeof value, "\"%s\" \"%%1\"", program_path) >= (int)sizeof value) return;
    write_key(ClassesRoot(), name, value);
}

int RunAssociationsDialog(HWND owner, bool installer) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    return (int)modal_dialog_box(instance, MAKEINTRESOURCEA(IDD_ASSOCIATIONS), owner, associations_proc,
                                 (LPARAM)installer);
}
