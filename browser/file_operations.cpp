// The browser's file operations: cut, copy and paste through the clipboard
// in the shell's file-drop format, delete to the Recycle Bin, rename in
// place, new folder, copy or move to a picked folder, the shell's Properties
// sheet, and the one-level undo of a rename or a new folder. Copying, moving
// and deleting are the shell's, with its own progress, questions and undo.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <stdio.h>
#include <string.h>

#include <string>

#include "browser/browser.h"
#include "browser/browser_state.h"
#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "shell/settings.h"
#include "ui/file_list.h"
#include "ui/frame.h"

namespace {

enum UndoType { kUndoNone, kUndoRename, kUndoNewFolder };

struct UndoRecord {
    UndoType type;
    char undoPath[kPathBytes];     // the renamed file's new path, or the new folder
    char undoOldPath[kPathBytes];  // the renamed file's former path
};

UndoRecord s_undo;
UINT s_drop_effect_format;  // "Preferred DropEffect", registered on first use
FileRenamed s_renamed;

const DWORD kDropEffectCopy = 1, kDropEffectMove = 2;

void tell(TextId text, UINT icon) { show_message(g_frame.window, tr(text), tr(kTextProduct), MB_OK | icon); }

UINT drop_effect_format() {
    if (!s_drop_effect_format) s_drop_effect_format = RegisterClipboardFormatA("Preferred DropEffect");
    return s_drop_effect_format;
}

// The selected files (folders are left out) as the shell's file-name list:
// each path ended by a zero, and one more zero at the end.
std::string selected_file_names() {
    std::string names;
    HWND list = g_browser.list;
    for (int item = list ? ListView_GetNextItem(list, -1, LVNI_SELECTED) : -1; item >= 0;
         item = ListView_GetNextItem(list, item, LVNI_SELECTED)) {
        LPARAM p = list_item_param(list, item);
        if (p < 0 || p >= g_file_list.count) continue;
        names += g_file_list.path[p];
        names += '\0';
    }
    return names;
}

// A one-name list of the same form, for a target folder.
std::string name_list_of(const char* path) { return std::string(path) + '\0'; }

// The folder read again and the browser refilled at once: no item may keep
// an index of the list as it was.
void refill() {
    rescan_file_list();
    refresh_browser();
    frame_relayout();
}

// The shell's copy, move or delete. True unless it failed or the user
// stopped it. Its progress and questions are modal UI.
bool shell_operation(UINT function, const std::string& from, const std::string& to, FILEOP_FLAGS flags) {
    std::string source = from + '\0', target = to.empty() ? std::string() : to + '\0';
    SHFILEOPSTRUCTA op = {};
    op.hwnd = g_frame.window;
    op.wFunc = function;
    op.pFrom = source.c_str();
    op.pTo = target.empty() ? nullptr : target.c_str();
    op.fFlags = flags;
    modal_enter();
    int failed = SHFileOperationA(&op);
    modal_leave();
    return !failed && !op.fAnyOperationsAborted;
}

// Puts data on the clipboard in format; the clipboard owns it from then on.
// False (and data freed) when the clipboard would not take it.
bool set_clipboard_block(UINT format, HGLOBAL data) {
    if (SetClipboardData(format, data)) return true;
    GlobalFree(data);
    return false;
}

HGLOBAL block_of(const void* bytes, size_t size, size_t header) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, header + size);
    uint8_t* at = block ? (uint8_t*)GlobalLock(block) : nullptr;
    if (!at) {
        if (block) GlobalFree(block);
        return nullptr;
    }
    memcpy(at + header, bytes, size);
    if (header) ((DROPFILES*)at)->pFiles = (DWORD)header;  // ANSI names at no drop point
    GlobalUnlock(block);
    return block;
}

// The dropped names, absolute, as a file-name list. Names of 260 characters
// or more are skipped: cut short they could name another file.
std::string dropped_names(HDROP drop) {
    std::string names;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char name[kPathBytes] = "", full[kPathBytes];
        if (g_bridge.wide && g_bridge.drag_query_file_w) {
            wchar_t wide[kPathBytes];
            if (g_bridge.drag_query_file_w(drop, i, nullptr, 0) >= (UINT)kPathBytes) continue;
            if (!g_bridge.drag_query_file_w(drop, i, wide, kPathBytes)) continue;
            narrow_path_from_wide(wide, name, kPathBytes);
        } else {
            if (DragQueryFileA(drop, i, nullptr, 0) >= (UINT)kPathBytes) continue;
            if (!DragQueryFileA(drop, i, name, kPathBytes)) continue;
        }
        if (!name[0] || !full_path(name, full)) continue;
        names += full;
        names += '\0';
    }
    return names;
}

}  // namespace

void browser_set_rename_notice(FileRenamed notice) { s_renamed = notice; }

bool browser_has_file_undo() { return s_undo.type != kUndoNone; }

void browser_copy_to_clipboard(bool cut) {
    if (!g_frame.BrowseMode) return;
    if (browser_selected_count() == 0) {
        tell(kTextSelectFilesFirst, MB_ICONINFORMATION);
        return;
    }
    std::string names = selected_file_names() + '\0';
    HGLOBAL files = block_of(names.data(), names.size(), sizeof(DROPFILES));
    if (!files) return;
    DWORD effect = cut ? kDropEffectMove : kDropEffectCopy;
    HGLOBAL effect_block = block_of(&effect, sizeof effect, 0);
    if (!OpenClipboard(g_frame.window)) {
        GlobalFree(files);
        if (effect_block) GlobalFree(effect_block);
        return;
    }
    EmptyClipboard();
    set_clipboard_block(CF_HDROP, files);
    if (effect_block) set_clipboard_block(drop_effect_format(), effect_block);
    CloseClipboard();
    frame_refresh_commands();  // Paste is there now
}

void browser_paste() {
    if (!g_frame.BrowseMode || !g_file_list.folder[0] || !IsClipboardFormatAvailable(CF_HDROP)) return;
    if (!OpenClipboard(g_frame.window)) return;
    HDROP drop = (HDROP)GetClipboardData(CF_HDROP);
    if (!drop) {
        CloseClipboard();
        return;
    }
    bool move = false;
    if (HGLOBAL effect = GetClipboardData(drop_effect_format())) {
        if (const uint8_t* bytes = (const uint8_t*)GlobalLock(effect)) {
            move = (bytes[0] & kDropEffectMove) != 0;
            GlobalUnlock(effect);
        }
    }
    std::string names = dropped_names(drop);
    CloseClipboard();
    if (names.empty()) return;
    char folder[kPathBytes];
    lstrcpynA(folder, g_file_list.folder, sizeof folder);
    bool done = shell_operation(move ? FO_MOVE : FO_COPY, names, name_list_of(folder),
                                FOF_ALLOWUNDO | FOF_NOCONFIRMMKDIR);
    // Moved files are gone from where they were: they cannot be pasted again.
    if (move && done && OpenClipboard(g_frame.window)) {
        EmptyClipboard();
        CloseClipboard();
    }
    refill();
}

void browser_delete_selection() {
    if (!g_frame.BrowseMode) return;
    std::string names = selected_file_names();
    if (names.empty()) return;
    // Where the shell cannot recycle (no bin on the volume, too large) it
    // asks before it deletes for good: the user was told "Recycle Bin".
    FILEOP_FLAGS flags = FOF_ALLOWUNDO | FOF_WANTNUKEWARNING;
    if (!g_settings.ConfirmDel) flags |= FOF_NOCONFIRMATION;
    shell_operation(FO_DELETE, names, std::string(), flags);
    refill();  // what is still there stays listed, whatever the shell said
}

void browser_new_folder() {
    if (!g_frame.BrowseMode || !g_file_list.folder[0]) return;
    char name[kPathBytes * 2];
    for (int n = 0; n < 100; ++n) {
        if (n == 0) snprintf(name, sizeof name, tr(kTextNewFolderName), g_file_list.folder);
        else snprintf(name, sizeof name, tr(kTextNewFolderNameNumbered), g_file_list.folder, n + 1);
        if (strlen(name) >= (size_t)kPathBytes) return;
        if (CreateDirectoryA(name, nullptr)) {
            s_undo.type = kUndoNewFolder;
            lstrcpynA(s_undo.undoPath, name, sizeof s_undo.undoPath);
            refill();
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    tell(kTextCouldNotCreateFolder, MB_ICONEXCLAMATION);
}

void browser_undo_file_operation() {
    UndoRecord& u = s_undo;
    switch (u.type) {
    case kUndoRename:
        if (!MoveFileA(u.undoPath, u.undoOldPath)) {
            tell(kTextCouldNotUndoRename, MB_ICONEXCLAMATION);
            return;
        }
        if (s_renamed) s_renamed(u.undoPath, u.undoOldPath);
        break;
    case kUndoNewFolder:
        if (!RemoveDirectoryA(u.undoPath)) {
            tell(kTextFolderNotEmpty, MB_ICONINFORMATION);
            return;
        }
        break;
    case kUndoNone: tell(kTextNothingToUndo, MB_ICONINFORMATION); return;
    }
    u.type = kUndoNone;
    if (g_frame.BrowseMode) refill();
    else frame_refresh_commands();
}

void browser_copy_or_move_to_folder(bool move) {
    if (!g_frame.BrowseMode) return;
    if (browser_selected_count() == 0) {
        tell(kTextSelectFilesFirst, MB_ICONINFORMATION);
        return;
    }
    std::string names = selected_file_names();
    if (names.empty()) return;
    char folder[kPathBytes];
    if (!pick_folder(g_frame.window, tr(move ? kTextMoveToFolder : kTextCopyToFolder), folder)) return;
    bool done = shell_operation(move ? FO_MOVE : FO_COPY, names, name_list_of(folder),
                                FOF_ALLOWUNDO | FOF_NOCONFIRMMKDIR);
    if (move && done) refill();  // a copy leaves this folder as it was
}

void browser_show_properties() {
    LPARAM p = browser_first_selected();
    if (!g_frame.BrowseMode || p < 0 || p >= g_file_list.count) return;
    char path[kPathBytes];
    lstrcpynA(path, g_file_list.path[p], sizeof path);
    // The sheet belongs to the file's context menu in the shell: asked for
    // by its verb, the same menu runs it.
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
    info.hwnd = g_frame.window;
    info.lpVerb = "properties";
    info.lpFile = path;
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&info)) return;
    // Some shells run the verb only from the menu itself: the item's folder
    // hands out the menu.
    wchar_t wide[kPathBytes];
    IShellFolder* desktop = nullptr;
    IShellFolder* parent = nullptr;
    LPITEMIDLIST item = nullptr;
    IContextMenu* menu = nullptr;
    const char* slash = strrchr(path, '\\');
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, kPathBytes) && SUCCEEDED(SHGetDesktopFolder(&desktop))) {
        wchar_t folder[kPathBytes] = {};
        for (int i = 0; i <= slash - path; ++i) folder[i] = wide[i];  // with its backslash
        LPITEMIDLIST folder_item = nullptr;
        if (SUCCEEDED(desktop->ParseDisplayName(g_frame.window, nullptr, folder, nullptr, &folder_item, nullptr)) &&
            SUCCEEDED(desktop->BindToObject(folder_item, nullptr, IID_IShellFolder, (void**)&parent)) &&
            SUCCEEDED(parent->ParseDisplayName(g_frame.window, nullptr, wide + (slash - path) + 1, nullptr, &item, nullptr))) {
            LPCITEMIDLIST items[1] = {item};
            parent->GetUIObjectOf(g_frame.window, 1, items, IID_IContextMenu, nullptr, (void**)&menu);
        }
        if (folder_item) CoTaskMemFree(folder_item);
    }
    if (menu) {
        CMINVOKECOMMANDINFO run = {};
        run.cbSize = sizeof run;
        run.hwnd = g_frame.window;
        run.lpVerb = "properties";
        run.nShow = SW_SHOWNORMAL;
        menu->InvokeCommand(&run);
        menu->Release();
    }
    if (item) CoTaskMemFree(item);
    if (parent) parent->Release();
    if (desktop) desktop->Release();
}

bool browser_finish_rename(int item, const char* text) {
    if (!text || !text[0]) return false;  // cancelled, or nothing typed
    LPARAM p = list_item_param(g_browser.list, item);
    if (p < 0 || p >= g_file_list.count) return false;  // folders are not renamed
    // A name, not a path: a separator would move the file elsewhere and a
    // colon would name a stream of it.
    if (strpbrk(text, "\\/:")) {
        tell(kTextCouldNotRename, MB_ICONEXCLAMATION);
        return false;
    }
    char old_path[kPathBytes], new_path[kPathBytes];
    lstrcpynA(old_path, g_file_list.path[p], sizeof old_path);
    const char* slash = strrchr(old_path, '\\');
    if (!slash) return false;
    size_t folder_length = (size_t)(slash - old_path) + 1;
    if (folder_length + strlen(text) >= (size_t)kPathBytes) return false;
    memcpy(new_path, old_path, folder_length);
    lstrcpynA(new_path + folder_length, text, (int)(sizeof new_path - folder_length));
    if (lstrcmpiA(new_path, old_path) == 0) return false;
    if (!MoveFileA(old_path, new_path)) {
        tell(kTextCouldNotRename, MB_ICONEXCLAMATION);
        return false;
    }
    lstrcpynA(g_file_list.path[p], new_path, kPathBytes);
    if (s_renamed) s_renamed(old_path, new_path);
    s_undo.type = kUndoRename;
    lstrcpynA(s_undo.undoPath, new_path, sizeof s_undo.undoPath);
    lstrcpynA(s_undo.undoOldPath, old_path, sizeof s_undo.undoOldPath);
    frame_refresh_commands();
    return true;
}
