// Start-up lookup of the W functions, name conversion, folder enumeration
// and the other places a file name comes from. The text wrappers are in
// bridge_text.cpp.
#include "platform/bridge.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#include "core/formats.h"
#include "platform/lookup.h"
#include "platform/modal.h"
#include "platform/text.h"

BridgeSlots g_bridge = {};

void bridge_reset() {
    g_bridge = BridgeSlots{};
    g_text_codepage = 1252;
}

void bridge_init() {
    g_bridge = BridgeSlots{};
    // Windows 95 and 98 set the top bit; their W functions are stubs that fail.
    if (GetVersion() & 0x80000000u) return;

    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    lookup_function(kernel, "FindFirstFileW", &g_bridge.find_first_file_w);
    lookup_function(kernel, "FindNextFileW", &g_bridge.find_next_file_w);
    lookup_function(kernel, "GetShortPathNameW", &g_bridge.get_short_path_name_w);
    lookup_function(kernel, "GetCommandLineW", &g_bridge.get_command_line_w);
    HMODULE shell = GetModuleHandleA("shell32.dll");
    lookup_function(shell, "DragQueryFileW", &g_bridge.drag_query_file_w);
    lookup_function(shell, "SHGetPathFromIDListW", &g_bridge.sh_get_path_from_id_list_w);
    lookup_function(GetModuleHandleA("comdlg32.dll"), "GetOpenFileNameW", &g_bridge.get_open_file_name_w);
    g_bridge.wide = g_bridge.find_first_file_w && g_bridge.find_next_file_w;

    HMODULE user = GetModuleHandleA("user32.dll");
    lookup_function(user, "MessageBoxW", &g_bridge.message_box_w);
    lookup_function(user, "SetDlgItemTextW", &g_bridge.set_dlg_item_text_w);
    lookup_function(user, "SendMessageW", &g_bridge.send_message_w);
    lookup_function(user, "AppendMenuW", &g_bridge.append_menu_w);
    lookup_function(user, "DrawTextW", &g_bridge.draw_text_w);
    lookup_function(shell, "ShellAboutW", &g_bridge.shell_about_w);
    g_text_codepage = text_codepage_for_language(g_language);
}

// --- Names ------------------------------------------------------------------

// The longest prefix of wide whose ANSI form fits size - 1 bytes, converted
// and terminated. A conversion that does not fit fails as a whole, so the
// name is shortened until it does rather than left unterminated.
static void lossy_narrow(const wchar_t* wide, char* narrow, int size) {
    if (size <= 0) return;
    int count = (int)wcslen(wide);
    while (count > 0 && WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr) > size - 1) {
        --count;
        if (count > 0 && wide[count - 1] >= 0xD800 && wide[count - 1] <= 0xDBFF) --count;  // keep pairs whole
    }
    int n = count > 0 ? WideCharToMultiByte(CP_ACP, 0, wide, count, narrow, size - 1, nullptr, nullptr) : 0;
    narrow[n > 0 ? n : 0] = 0;
}

bool round_trips(const wchar_t* wide, char* narrow, int size) {
    if (size <= 0) return false;
    int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, size, nullptr, nullptr);
    if (n <= 0) {
        narrow[0] = 0;
        return false;
    }
    narrow[size - 1] = 0;
    // The way back never gives more characters than there are bytes.
    wchar_t local[2 * kPathBytes];
    wchar_t* back = size <= (int)(sizeof local / sizeof local[0]) ? local : (wchar_t*)malloc(size * sizeof(wchar_t));
    if (!back) return false;
    int m = MultiByteToWideChar(CP_ACP, 0, narrow, -1, back, size);
    bool same = m > 0 && wcscmp(back, wide) == 0;
    if (back != local) free(back);
    return same;
}

bool narrow_path_from_wide(const wchar_t* wide, char* narrow, int size) {
    if (round_trips(wide, narrow, size)) return true;
    if (g_bridge.get_short_path_name_w) {
        wchar_t short_name[kPathBytes];
        DWORD n = g_bridge.get_short_path_name_w(wide, short_name, kPathBytes);
        if (n >= 1 && n <= kPathBytes - 1 && round_trips(short_name, narrow, size)) return true;
    }
    lossy_narrow(wide, narrow, size);
    return false;
}

void text_to_wide(const char* text, wchar_t* wide, int count) {
    if (count <= 0) return;
    if (!text) text = "";
    // Every byte of a code page gives at most one UTF-16 unit, so count - 1
    // bytes always fit; a longer text is cut there.
    int bytes = (int)strnlen(text, (size_t)count - 1);
    int n = bytes > 0 ? MultiByteToWideChar((UINT)g_text_codepage, 0, text, bytes, wide, count - 1) : 0;
    wide[n > 0 ? n : 0] = 0;
}

// --- Folder enumeration -----------------------------------------------------

static void fill_narrow_find_data(FileFinder* finder) {
    const WIN32_FIND_DATAW& w = finder->wide_data;
    WIN32_FIND_DATAA& a = finder->data;
    memset(&a, 0, sizeof a);
    a.dwFileAttributes = w.dwFileAttributes;
    a.ftCreationTime = w.ftCreationTime;
    a.ftLastAccessTime = w.ftLastAccessTime;
    a.ftLastWriteTime = w.ftLastWriteTime;
    a.nFileSizeHigh = w.nFileSizeHigh;
    a.nFileSizeLow = w.nFileSizeLow;
    a.dwReserved0 = w.dwReserved0;
    a.dwReserved1 = w.dwReserved1;
    lossy_narrow(w.cAlternateFileName, a.cAlternateFileName, (int)sizeof a.cAlternateFileName);
    if (round_trips(w.cFileName, a.cFileName, (int)sizeof a.cFileName)) return;

    // The full path's short form ends in the short name of this entry.
    wchar_t full[kPathBytes];
    int prefix = MultiByteToWideChar(CP_ACP, 0, finder->folder, -1, full, kPathBytes) - 1;
    if (prefix > 0 && full[prefix - 1] != L'\\' && full[prefix - 1] != L'/') full[prefix++] = L'\\';
    size_t name = wcslen(w.cFileName);
    if (prefix >= 0 && (size_t)prefix + name <= kPathBytes - 1) {
        wcscpy(full + prefix, w.cFileName);
        char path[kPathBytes];
        narrow_path_from_wide(full, path, kPathBytes);
        const char* last = strrchr(path, '\\');
        last = last ? last + 1 : path;
        if (strlen(last) < sizeof a.cFileName) {
            strcpy(a.cFileName, last);
            return;
        }
    }
    lossy_narrow(w.cFileName, a.cFileName, (int)sizeof a.cFileName);
}

HANDLE finder_first(FileFinder* finder, const char* folder, const char* pattern) {
    memset(finder, 0, sizeof *finder);
    finder->handle = INVALID_HANDLE_VALUE;
    size_t folder_len = strlen(folder), pattern_len = strlen(pattern);
    if (folder_len + pattern_len > kPathBytes - 1) return INVALID_HANDLE_VALUE;
    char search[kPathBytes];
    memcpy(search, folder, folder_len);
    memcpy(search + folder_len, pattern, pattern_len + 1);

    wchar_t wide_search[kPathBytes];
    if (g_bridge.wide && MultiByteToWideChar(CP_ACP, 0, search, -1, wide_search, kPathBytes) > 0) {
        HANDLE handle = g_bridge.find_first_file_w(wide_search, &finder->wide_data);
        if (handle != INVALID_HANDLE_VALUE) {
            finder->handle = handle;
            finder->wide = true;
            memcpy(finder->folder, folder, folder_len + 1);
            fill_narrow_find_data(finder);
            return handle;
        }
    }
    finder->handle = FindFirstFileA(search, &finder->data);
    return finder->handle;
}

bool finder_next(FileFinder* finder) {
    if (finder->handle == INVALID_HANDLE_VALUE) return false;
    if (finder->wide) {
        if (!g_bridge.find_next_file_w(finder->handle, &finder->wide_data)) return false;
        fill_narrow_find_data(finder);
        return true;
    }
    return FindNextFileA(finder->handle, &finder->data) != 0;
}

void finder_close(FileFinder* finder) {
    if (finder->handle != INVALID_HANDLE_VALUE) FindClose(finder->handle);
    finder->handle = INVALID_HANDLE_VALUE;
}

bool IsFolderPath(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool file_stamp(const char* path, uint64_t* size, uint64_t* modified) {
    if (!path[0] || strpbrk(path, "*?")) return false;  // a pattern would match some other file
    WIN32_FIND_DATAA data;
    HANDLE found = FindFirstFileA(path, &data);
    if (found == INVALID_HANDLE_VALUE) return false;
    FindClose(found);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    *size = ((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    *modified = ((uint64_t)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
    return true;
}

// --- Other sources of file names ----------------------------------------------

bool path_from_item_id(LPCITEMIDLIST item_id, char* path) {
    path[0] = 0;
    if (g_bridge.wide && g_bridge.sh_get_path_from_id_list_w) {
        wchar_t wide[kPathBytes] = {};
        if (!g_bridge.sh_get_path_from_id_list_w(item_id, wide)) return false;
        narrow_path_from_wide(wide, path, kPathBytes);
        return true;
    }
    return SHGetPathFromIDListA(item_id, path) != 0;
}

static bool is_blank_or_quote(wchar_t c) { return c == L' ' || c == L'"'; }

bool wide_command_line_path(const wchar_t* line, char* path) {
    path[0] = 0;
    if (!line) return false;
    const wchar_t* p = line;
    if (*p == L'"') {  // a quoted program name ends past its closing quote
        ++p;
        while (*p && *p != L'"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != L' ') ++p;
    }
    while (*p == L' ') ++p;
    if (*p == L'"') ++p;
    wchar_t arg[kPathBytes];
    int n = 0;
    while (*p && n < kPathBytes - 1) arg[n++] = *p++;
    while (n > 0 && is_blank_or_quote(arg[n - 1])) --n;
    arg[n] = 0;
    if (n == 0) return false;
    narrow_path_from_wide(arg, path, kPathBytes);
    return true;
}

bool narrow_argument_path(const char* arguments, char* path) {
    path[0] = 0;
    if (!arguments) return false;
    const char* p = arguments;
    while (*p == ' ' || *p == '"') ++p;
    int n = 0;
    while (*p && n < kPathBytes - 1) path[n++] = *p++;
    while (n > 0 && (path[n - 1] == ' ' || path[n - 1] == '"')) --n;
    path[n] = 0;
    return n > 0;
}

bool full_path(const char* path, char* out) {
    char full[kPathBytes];
    DWORD n = GetFullPathNameA(path, kPathBytes, full, nullptr);
    if (n == 0 || n >= kPathBytes) return false;
    memcpy(out, full, n + 1);
    return true;
}

bool command_line_path(const char* arguments, char* path) {
    bool got = g_bridge.wide && g_bridge.get_command_line_w ? wide_command_line_path(g_bridge.get_command_line_w(), path)
                                                             : narrow_argument_path(arguments, path);
    return got && full_path(path, path);
}

// Hide read-only, path must exist, file must exist.
static const DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

// "Images" with the patterns of every format read, then "All Files", "*.*":
// each text ends in a zero and one more zero ends the list. Returns the
// length with every zero.
static size_t open_filter(char* out, size_t size) {
    const char* parts[] = {"Images", open_dialog_patterns(), "All Files", "*.*"};
    size_t used = 0;
    for (const char* part : parts) {
        size_t n = strlen(part) + 1;
        if (used + n + 1 > size) break;
        memcpy(out + used, part, n);
        used += n;
    }
    out[used++] = 0;
    return used;
}

namespace {

bool run_open_dialog(HWND owner, char* path) {
    path[0] = 0;
    char filter[512];
    size_t filter_length = open_filter(filter, sizeof filter);
    if (g_bridge.wide && g_bridge.get_open_file_name_w) {
        wchar_t filter_w[sizeof filter];
        for (size_t i = 0; i < filter_length; ++i) filter_w[i] = (unsigned char)filter[i];  // ASCII
        wchar_t name[kPathBytes] = {};
        OPENFILENAMEW ofn = {};
        // The NT 4 layout: the later fields are not used, and older systems
        // reject a structure of the newer size.
        ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = filter_w;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = name;
        ofn.nMaxFile = kPathBytes;
        ofn.Flags = kOpenFlags;
        if (!g_bridge.get_open_file_name_w(&ofn)) return false;
        narrow_path_from_wide(name, path, kPathBytes);
        return path[0] != 0;
    }
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = kPathBytes;
    ofn.Flags = kOpenFlags;
    if (!GetOpenFileNameA(&ofn)) {
        path[0] = 0;
        return false;
    }
    return path[0] != 0;
}

}  // namespace

bool open_file_dialog(HWND owner, char* path) {
    modal_enter();
    bool chosen = run_open_dialog(owner, path);
    modal_leave();
    return chosen;
}

bool save_file_dialog(HWND owner, const SaveQuestion& question, char* path) {
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = question.filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = kPathBytes;
    ofn.lpstrInitialDir = question.folder && question.folder[0] ? question.folder : nullptr;
    ofn.lpstrTitle = question.title;
    ofn.lpstrDefExt = question.extension;
    ofn.Flags = question.flags;
    modal_enter();
    bool chosen = GetSaveFileNameA(&ofn) && path[0];
    modal_leave();
    return chosen;
}

bool pick_folder(HWND owner, const char* title, char* path) {
    path[0] = 0;
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    modal_enter();
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    modal_leave();
    if (!item) return false;
    bool got = path_from_item_id(item, path);
    CoTaskMemFree(item);
    return got && path[0];
}

bool dropped_file_path(HDROP drop, char* path) {
    path[0] = 0;
    if (g_bridge.wide && g_bridge.drag_query_file_w) {
        wchar_t name[kPathBytes] = {};
        if (!g_bridge.drag_query_file_w(drop, 0, name, kPathBytes)) return false;
        narrow_path_from_wide(name, path, kPathBytes);
        return path[0] != 0;
    }
    return DragQueryFileA(drop, 0, path, kPathBytes) != 0 && path[0] != 0;
}
