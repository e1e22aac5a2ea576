#include "shell/edit_with.h"

#include <commdlg.h>
#include <shellapi.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "res/resource.h"
#include "shell/associations.h"
#include "shell/editor_list_pure.h"

namespace {

const char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const int kItemHeight = 18;

// The programs of the open dialog, rebuilt each time it opens; the icons are
// fetched while drawing and destroyed when EditWith ends.
struct EditorList {
    std::vector<std::string> paths;
    std::vector<HICON> icons;
    std::vector<bool> fetched;
    HWND box = nullptr;  // the list box showing the names
    HWND owner = nullptr;
    char target[kPathBytes] = "";
};

EditorList g_editors;

// Adds path under its display name; a name the list shows already (in any
// letter case) keeps the program found first. The new entry's index, or -1.
int add_editor(const char* path) {
    EditorList& list = g_editors;
    if ((int)list.paths.size() >= kEditorLimit || !path[0]) return -1;
    char name[kPathBytes];
    editor_display_name(path, name, sizeof name);
    if (!name[0] || SendMessageA(list.box, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name) != LB_ERR) return -1;
    LRESULT item = SendMessageA(list.box, LB_ADDSTRING, 0, (LPARAM)name);
    if (item < 0) return -1;
    int index = (int)list.paths.size();
    list.paths.push_back(path);
    list.icons.push_back(nullptr);
    list.fetched.push_back(false);
    SendMessageA(list.box, LB_SETITEMDATA, (WPARAM)item, (LPARAM)index);
    return index;
}

bool list_full() { return (int)g_editors.paths.size() >= kEditorLimit; }

void add_executables_in(const char* folder) {
    size_t length = strlen(folder);
    if (length == 0 || length + 6 > kPathBytes - 1) return;
    char base[kPathBytes];
    lstrcpynA(base, folder, sizeof base);
    if (base[length - 1] != '\\') lstrcatA(base, "\\");
    FileFinder finder;
    if (finder_first(&finder, base, "*.exe") == INVALID_HANDLE_VALUE) return;
    do {
        if (finder.data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        char path[kPathBytes];
        if (snprintf(path, sizeof path, "%s%s", base, finder.data.cFileName) >= (int)sizeof path) continue;
        add_editor(path);
    } while (!list_full() && finder_next(&finder));
    finder_close(&finder);
}

// The default value of root\name as a text, expandable ones expanded; false
// when it is missing, of another type or empty.
bool read_command_text(HKEY root, const char* name, char* out, DWORD size) {
    HKEY key;
    if (RegOpenKeyExA(root, name, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    char raw[kPathBytes] = "";
    DWORD type = 0, got = sizeof raw - 1;
    LONG result = RegQueryValueExA(key, nullptr, nullptr, &type, (BYTE*)raw, &got);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    raw[got < sizeof raw ? got : sizeof raw - 1] = 0;
    if (type == REG_EXPAND_SZ) {
        DWORD needed = ExpandEnvironmentStringsA(raw, out, size);
        if (needed == 0 || needed > size) return false;
    } else {
        lstrcpynA(out, raw, size);
    }
    return out[0] != 0;
}

// Each sub-key's program; without one, the sub-key's own name.
void add_app_paths() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAppPaths, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    char sub[kPathBytes];
    DWORD size;
    for (DWORD i = 0; !list_full() && RegEnumKeyExA(key, i, sub, &(size = sizeof sub), nullptr, nullptr, nullptr,
                                                    nullptr) == ERROR_SUCCESS;
         ++i) {
        char value[kPathBytes], program[kPathBytes] = "";
        if (read_command_text(key, sub, value, sizeof value)) app_path_program(value, program, sizeof program);
        add_editor(program[0] ? program : sub);
    }
    RegCloseKey(key);
}

// The program of each registered application's open command; an application
// without one by its own name.
void add_applications() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "Applications", 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    char sub[kPathBytes];
    DWORD size;
    for (DWORD i = 0; !list_full() && RegEnumKeyExA(key, i, sub, &(size = sizeof sub), nullptr, nullptr, nullptr,
                                                    nullptr) == ERROR_SUCCESS;
         ++i) {
        char name[kPathBytes + 32];
        snprintf(name, sizeof name, "%s\\shell\\open\\command", sub);
        HKEY command;
        if (RegOpenKeyExA(key, name, 0, KEY_QUERY_VALUE, &command) != ERROR_SUCCESS) {
            add_editor(sub);
            continue;
        }
        RegCloseKey(command);
        char value[kPathBytes], program[kPathBytes];
        if (!read_command_text(key, name, value, sizeof value)) continue;
        command_program(value, program, sizeof program);
        add_editor(program);
    }
    RegCloseKey(key);
}

void fill_editor_list() {
    char folder[kPathBytes];
    UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length && length < sizeof folder) add_executables_in(folder);
    length = GetSystemDirectoryA(folder, sizeof folder);
    if (length && length < sizeof folder) add_executables_in(folder);
    add_app_paths();
    add_applications();
}

void draw_item(const DRAWITEMSTRUCT* d) {
    if (d->itemID == (UINT)-1) return;
    EditorList& list = g_editors;
    const bool selected = (d->itemState & ODS_SELECTED) != 0;
    HDC dc = d->hDC;
    RECT rc = d->rcItem;
    FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    size_t index = (size_t)d->itemData;
    if (index < list.paths.size()) {
        if (!list.fetched[index]) {
            list.fetched[index] = true;
            SHFILEINFOA info = {};
            if (SHGetFileInfoA(list.paths[index].c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON))
                list.icons[index] = info.hIcon;
        }
        if (list.icons[index])
            DrawIconEx(dc, rc.left + 2, rc.top + (rc.bottom - rc.top - 16) / 2, list.icons[index], 16, 16, 0, nullptr,
                       DI_NORMAL);
    }
    char name[kPathBytes] = "";
    if (SendMessageA(d->hwndItem, LB_GETTEXTLEN, d->itemID, 0) < (LRESULT)sizeof name)
        SendMessageA(d->hwndItem, LB_GETTEXT, d->itemID, (LPARAM)name);
    RECT text = rc;
    text.left += 22;
    COLORREF old_colour = SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    int old_mode = SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, name, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetBkMode(dc, old_mode);
    SetTextColor(dc, old_colour);
    if (d->itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

void select_entry(int index) {
    HWND box = g_editors.box;
    LRESULT count = SendMessageA(box, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (SendMessageA(box, LB_GETITEMDATA, (WPARAM)i, 0) == index) {
            SendMessageA(box, LB_SETCURSEL, (WPARAM)i, 0);
            return;
        }
}

// "Other...": a program picked by hand. One whose name the list shows
// already takes that item's place, so the item chosen is the program picked.
void choose_other(HWND dialog) {
    char path[kPathBytes] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the size every Windows knows
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = "Programs\0*.exe\0All Files\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameA(&ofn)) return;
    int index = add_editor(path);
    if (index < 0) {
        char name[kPathBytes];
        editor_display_name(path, name, sizeof name);
        LRESULT item = SendMessageA(g_editors.box, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name);
        if (item == LB_ERR) return;
        index = (int)SendMessageA(g_editors.box, LB_GETITEMDATA, (WPARAM)item, 0);
        if (index < 0 || index >= (int)g_editors.paths.size()) return;
        g_editors.paths[index] = path;
        if (g_editors.icons[index]) DestroyIcon(g_editors.icons[index]);
        g_editors.icons[index] = nullptr;
        g_editors.fetched[index] = false;
        InvalidateRect(g_editors.box, nullptr, TRUE);
    }
    select_entry(index);
}

void run_chosen(HWND dialog) {
    EditorList& list = g_editors;
    LRESULT item = SendMessageA(list.box, LB_GETCURSEL, 0, 0);
    LRESULT index = item == LB_ERR ? -1 : SendMessageA(list.box, LB_GETITEMDATA, (WPARAM)item, 0);
    if (index < 0 || index >= (LRESULT)list.paths.size()) {
        show_message(dialog, tr(kTextSelectProgramFirst), tr(kTextProduct), MB_OK | MB_ICONINFORMATION);
        return;
    }
    char optional[256] = "";
    GetDlgItemTextA(dialog, IDC_EDIT_WITH_PARAMETERS, optional, sizeof optional);
    char parameters[sizeof optional + kPathBytes + 4];
    const char* program = list.paths[index].c_str();
    if (edit_with_parameters(optional, list.target, parameters, sizeof parameters))
        ShellExecuteA(list.owner, "open", program, parameters, nullptr, SW_SHOWNORMAL);
    if (IsDlgButtonChecked(dialog, IDC_EDIT_WITH_ALWAYS) == BST_CHECKED) RegisterEditCommand(list.target, program);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK edit_with_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: {
        g_editors.box = GetDlgItem(dialog, IDC_EDIT_WITH_PROGRAMS);
        const char* slash = strrchr(g_editors.target, '\\');
        char prompt[kPathBytes + 128];
        snprintf(prompt, sizeof prompt, tr(kTextEditWithPrompt), slash ? slash + 1 : g_editors.target);
        set_item_text(dialog, IDC_EDIT_WITH_PROMPT, prompt);
        fill_editor_list();
        return TRUE;
    }
    case WM_MEASUREITEM: ((MEASUREITEMSTRUCT*)lparam)->itemHeight = kItemHeight; return TRUE;
    case WM_DRAWITEM: draw_item((const DRAWITEMSTRUCT*)lparam); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDC_EDIT_WITH_PROGRAMS:
            if (HIWORD(wparam) == LBN_DBLCLK) run_chosen(dialog);
            return TRUE;
        case IDC_EDIT_WITH_OTHER: choose_other(dialog); return TRUE;
        case IDOK: run_chosen(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

void OpenWith(HWND owner, const char* target) {
    if (!target || !target[0]) return;
    // The chooser takes the rest of its command line as the path: no quotes.
    char parameters[kPathBytes + 40];
    if (snprintf(parameters, sizeof parameters, "shell32.dll,OpenAs_RunDLL %s", target) >= (int)sizeof parameters)
        return;
    ShellExecuteA(owner, "open", "rundll32.exe", parameters, nullptr, SW_SHOWNORMAL);
}

void EditWith(HWND owner, const char* target) {
    if (!target || !target[0]) return;
    EditorList& list = g_editors;
    list = EditorList();
    list.owner = owner;
    lstrcpynA(list.target, target, sizeof list.target);
    modal_dialog_box(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EDIT_WITH), owner, edit_with_proc, 0);
    for (HICON icon : list.icons)
        if (icon) DestroyIcon(icon);
    list = EditorList();
}
