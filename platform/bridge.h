// The bridge to the system's wide-character ("W") functions. Lumora keeps
// file names as 8-bit strings in the ANSI code page (buffers of 260 bytes)
// and its texts in the text code page of the language. On Windows NT the
// bridge finds the W functions at start-up and goes through them, turning
// every wide file name into one the ANSI file functions open (its short name
// when the long one cannot be written in the ANSI code page), and showing
// texts in their own code page whatever the system's is. On Windows 95 and
// 98, and for any W function the system lacks, the 8-bit function is called.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <stdint.h>

// Null when the system lacks the function, and all null before bridge_init.
struct BridgeSlots {
    bool wide;  // Windows NT, with FindFirstFileW and FindNextFileW found

    HANDLE(WINAPI* find_first_file_w)(LPCWSTR, WIN32_FIND_DATAW*);
    BOOL(WINAPI* find_next_file_w)(HANDLE, WIN32_FIND_DATAW*);
    DWORD(WINAPI* get_short_path_name_w)(LPCWSTR, LPWSTR, DWORD);
    LPWSTR(WINAPI* get_command_line_w)();

    UINT(WINAPI* drag_query_file_w)(HDROP, UINT, LPWSTR, UINT);
    BOOL(WINAPI* sh_get_path_from_id_list_w)(LPCITEMIDLIST, LPWSTR);
    int(WINAPI* shell_about_w)(HWND, LPCWSTR, LPCWSTR, HICON);

    BOOL(WINAPI* get_open_file_name_w)(OPENFILENAMEW*);

    int(WINAPI* message_box_w)(HWND, LPCWSTR, LPCWSTR, UINT);
    BOOL(WINAPI* set_dlg_item_text_w)(HWND, int, LPCWSTR);
    LRESULT(WINAPI* send_message_w)(HWND, UINT, WPARAM, LPARAM);
    BOOL(WINAPI* append_menu_w)(HMENU, UINT, UINT_PTR, LPCWSTR);
    int(WINAPI* draw_text_w)(HDC, LPCWSTR, int, LPRECT, UINT);  // looked up, not used
};

extern BridgeSlots g_bridge;

// Once at start-up, before any window: finds the W functions and sets the text
// code page from the language (Windows NT only; on 95 and 98 nothing changes).
void bridge_init();
// Forgets every W function, as on Windows 95: every call takes the 8-bit
// path and the text code page is back at 1252.
void bridge_reset();

// --- Names ----------------------------------------------------------------

const int kPathBytes = 260;  // 259 characters and the terminating zero

// Converts wide to the ANSI code page into narrow (size bytes, always
// terminated) and answers whether converting back gives wide exactly.
bool round_trips(const wchar_t* wide, char* narrow, int size);
// An 8-bit name for wide: the exact conversion when it round-trips, else the
// short (8.3) name when that one does, else the lossy conversion (false).
bool narrow_path_from_wide(const wchar_t* wide, char* narrow, int size);
// An 8-bit text (null counts as empty) in the text code page to UTF-16 in
// count characters, cut at count - 1 and always terminated.
void text_to_wide(const char* text, wchar_t* wide, int count);

// --- Folder enumeration -----------------------------------------------------

// One FindFirstFile/FindNextFile walk. Callers read `data`, whose names open
// with the ANSI file functions when joined to the folder.
struct FileFinder {
    HANDLE handle;
    bool wide;
    WIN32_FIND_DATAA data;
    WIN32_FIND_DATAW wide_data;
    char folder[kPathBytes];  // the folder the search was made in
};

// folder (ending in a backslash) followed by pattern, e.g. "*.*". Returns
// the search handle, INVALID_HANDLE_VALUE when nothing matches or the search
// string would be longer than 259 characters.
HANDLE finder_first(FileFinder* finder, const char* folder, const char* pattern);
// True and `data` filled while entries remain.
bool finder_next(FileFinder* finder);
void finder_close(FileFinder* finder);
// Whether the path names an existing folder.
bool IsFolderPath(const char* path);
// The size and last-write time of one file as a folder scan reports them
// (the call exists on every Windows). False when it is missing or a folder.
bool file_stamp(const char* path, uint64_t* size, uint64_t* modified);

// --- Other sources of file names (path: kPathBytes) ------------------------

// The absolute form of path, taken from the current folder when it is
// relative (a relative path means nothing to a window whose current folder
// differs, and the shell's Recycle Bin wants full paths). False when the
// result would not fit kPathBytes; out may be path itself.
bool full_path(const char* path, char* out);
// The file-system path of a shell item.
bool path_from_item_id(LPCITEMIDLIST item_id, char* path);
// The one path argument of the process: from the wide command line when the
// system has it, else from the 8-bit argument text the start-up code got
// (the program's name already left out). Surrounding blanks and quotes go;
// at most 259 characters; made absolute. False when no path remains.
bool command_line_path(const char* arguments, char* path);
// The two parsers command_line_path uses: a whole wide command line (the
// program's name first) and an 8-bit argument text.
bool wide_command_line_path(const wchar_t* command_line, char* path);
bool narrow_argument_path(const char* arguments, char* path);
// The system's Open dialog for one picture, owned by owner. False on cancel.
bool open_file_dialog(HWND owner, char* path);
// What the system's Save dialog is asked: filter pairs ("PNG\0*.png\0...\0"),
// the default extension, a title (null: the system's), the folder to start
// in (null or "": the system's choice) and the OFN_ flags.
struct SaveQuestion {
    const char* filter;
    const char* extension;
    const char* title;
    const char* folder;
    DWORD flags;
};
// The Save dialog over owner; path comes in as the suggested name and goes
// out as the chosen one. False when cancelled.
bool save_file_dialog(HWND owner, const SaveQuestion& question, char* path);
// The shell's folder picker (file-system folders only) with a title. False
// on cancel or for a folder without a file-system path.
bool pick_folder(HWND owner, const char* title, char* path);
// The first name of a drop. The caller still finishes the drop.
bool dropped_file_path(HDROP drop, char* path);

// --- Texts (text code page) -------------------------------------------------

int show_message(HWND window, const char* text, const char* title, UINT flags);
BOOL set_item_text(HWND dialog, int item, const char* text);
// Into part `part` of a status bar.
void set_status_text(HWND status_bar, int part, const char* text);
// Bitmap and owner-drawn items, separators and items without a text keep
// their value as it is: the 8-bit function takes them.
BOOL append_menu_item(HMENU menu, UINT flags, UINT_PTR id, const char* text);
// Index of the new entry, or CB_ERR / CB_ERRSPACE.
LRESULT add_combo_item(HWND dialog, int item, const char* text);
// Index of the new column of a list view, or -1.
int insert_list_column(HWND list, int index, const char* text, int format, int width);
