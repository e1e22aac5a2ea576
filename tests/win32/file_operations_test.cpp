// The browser's file operations on real files through the shell, the real
// clipboard and the list's own label editor.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "browser/browser.h"
#include "platform/text.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"
#include "tests/support/recycle_bin.h"

namespace {

struct FileOperationsTest : FolderTest {
    void SetUp() override {
        FolderTest::SetUp();
        g_settings.ShowAllFiles = 1;
        g_settings.BrowseView = 4;
    }
    void Browse(const std::string& path) {
        ShowFolderInBrowser(path.c_str());
        Command(IDM_VIEW_DETAILS);
    }
    bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
};

// The clipboard's file list as the shell reads it: header, then the names.
struct ClipboardFiles {
    bool present = false;
    DWORD offset = 0, wide = 1, effect = 0;
    std::string names;  // with their zeros, the closing one included
};

ClipboardFiles read_clipboard(HWND owner) {
    ClipboardFiles c;
    if (!OpenClipboard(owner)) return c;
    if (HGLOBAL drop = GetClipboardData(CF_HDROP)) {
        const DROPFILES* header = (const DROPFILES*)GlobalLock(drop);
        c.present = true;
        c.offset = header->pFiles;
        c.wide = header->fWide;
        c.names.assign((const char*)header + header->pFiles, GlobalSize(drop) - header->pFiles);
        GlobalUnlock(drop);
    }
    if (HGLOBAL effect = GetClipboardData(RegisterClipboardFormatA("Preferred DropEffect"))) {
        c.effect = *(const DWORD*)GlobalLock(effect);
        GlobalUnlock(effect);
    }
    CloseClipboard();
    return c;
}

// The list's own label editor: the new text typed, then the edit left.
void rename_in_list(HWND window, const char* text) {
    SendMessageA(window, WM_COMMAND, IDM_EDIT_RENAME, 0);
    HWND edit = (HWND)SendMessageA(g_browser.list, LVM_GETEDITCONTROL, 0, 0);
    ASSERT_NE(edit, nullptr) << "no label editor";
    SetWindowTextA(edit, text);
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    pump_messages();
}

}  // namespace

TEST_F(FileOperationsTest, CopyAndCutPutAFileListThatPasteCopiesOrMoves) {
    std::string a = Put("a.bmp"), b = Put("b.bmp", bmp_filled(BmpLayout(), 3)), c = Put("c.bmp");
    std::string target = folder + "target\\";
    CreateDirectoryA(target.c_str(), nullptr);
    Browse(folder);
    select_items({"a.bmp", "b.bmp", "target"});  // the folder adds nothing
    Command(IDM_EDIT_COPY);
    ClipboardFiles copied = read_clipboard(window);
    ASSERT_TRUE(copied.present);
    EXPECT_EQ(copied.offset, sizeof(DROPFILES));
    EXPECT_EQ(copied.wide, 0u) << "8-bit names";
    EXPECT_EQ(copied.names, a + '\0' + b + '\0' + '\0');
    EXPECT_EQ(copied.effect, 1u) << "copy";

    Browse(target);
    Command(IDM_EDIT_PASTE);
    EXPECT_EQ(read_whole(target + "b.bmp"), read_whole(b)) << "pasted as a copy";
    EXPECT_TRUE(Exists(a)) << "the copy leaves the source";
    EXPECT_EQ(list_count(), 2) << "the list shows the pasted files at once";
    EXPECT_TRUE(read_clipboard(window).present) << "a copy may be pasted again";

    Browse(folder);
    select_items({"c.bmp"});
    Command(IDM_EDIT_CUT);
    EXPECT_EQ(read_clipboard(window).effect, 2u) << "move";
    Browse(target);
    Command(IDM_EDIT_PASTE);
    EXPECT_FALSE(Exists(c)) << "moved away";
    EXPECT_TRUE(Exists(target + "c.bmp"));
    EXPECT_FALSE(read_clipboard(window).present) << "moved files cannot be pasted again";

    // Nothing selected: the user is told.
    select_items({});
    answer_next_dialog(IDOK);
    Command(IDM_EDIT_CUT);
    EXPECT_EQ(last_dialog().text, tr(kTextSelectFilesFirst));
}

TEST_F(FileOperationsTest, DeleteSendsTheSelectedFilesToTheBin) {
    const std::string name = "bin-" + std::to_string(GetCurrentProcessId()) + ".bmp";
    std::string file = Put(name);
    Put("stays.bmp");
    Browse(folder);
    for (int confirm : {0, 1}) {
        SCOPED_TRACE(confirm ? "with the shell's question" : "without a question");
        g_settings.ConfirmDel = confirm;
        select_items({name});
        answer_next_dialog(confirm ? IDYES : IDNO);  // No to anything that should not come
        Command(IDM_FILE_DELETE);
        EXPECT_EQ(last_dialog().seen, confirm == 1);
        EXPECT_FALSE(Exists(file));
        EXPECT_TRUE(Exists(recycled_copy(name))) << recycled_copy(name);
        EXPECT_EQ(list_count(), 1) << "the list lost the file at once";
        forget_recycled(name);
        file = Put(name);
        Browse(folder);
    }
}

TEST_F(FileOperationsTest, NewFolderIsNumberedAndUndoRemovesItWhileEmpty) {
    CreateDirectoryA((folder + "New Folder").c_str(), nullptr);
    CreateDirectoryA((folder + "New Folder (2)").c_str(), nullptr);
    const std::string third = folder + "New Folder (3)";
    Browse(folder);
    Command(IDM_FILE_NEW_FOLDER);
    EXPECT_TRUE(Exists(third));
    Command(IDM_EDIT_UNDO_FILE_OPERATION);
    EXPECT_FALSE(Exists(third));
    answer_next_dialog(IDOK);
    Command(IDM_EDIT_UNDO);  // Ctrl+Z in the browser
    EXPECT_EQ(last_dialog().text, tr(kTextNothingToUndo));

    Command(IDM_FILE_NEW_FOLDER);
    Put("New Folder (3)\\inside.bmp");
    answer_next_dialog(IDOK);
    Command(IDM_EDIT_UNDO_FILE_OPERATION);
    EXPECT_EQ(last_dialog().text, tr(kTextFolderNotEmpty));
    EXPECT_TRUE(Exists(third)) << "kept, with what was put in it";
}

TEST_F(FileOperationsTest, RenameInTheListWorksOnDiskAndRefusesPathsAndTakenNames) {
    std::string a = Put("a.bmp");
    Put("taken.bmp");
    CreateDirectoryA((folder + "sub").c_str(), nullptr);
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    Browse(folder);
    select_items({"a.bmp"});
    rename_in_list(window, "renamed.bmp");
    EXPECT_FALSE(Exists(a));
    EXPECT_TRUE(Exists(folder + "renamed.bmp"));
    EXPECT_EQ(std::string(g_viewer.current_path), folder + "renamed.bmp") << "the viewer follows its file";
    Command(IDM_EDIT_UNDO_FILE_OPERATION);
    EXPECT_TRUE(Exists(a)) << "undone";

    const struct {
        const char* text;
        bool told;
    } refused[] = {{"taken.bmp", true}, {"..\\x.bmp", true}, {"sub\\x.bmp", true}, {"a:b", true}, {"A.BMP", false}};
    for (const auto& r : refused) {
        SCOPED_TRACE(r.text);
        select_items({"a.bmp"});
        answer_next_dialog(IDOK);
        rename_in_list(window, r.text);
        EXPECT_EQ(last_dialog().seen ? last_dialog().text : "", r.told ? tr(kTextCouldNotRename) : "");
        EXPECT_TRUE(Exists(a)) << "nothing moved";
        EXPECT_FALSE(Exists(folder + "x.bmp") || Exists(folder + "sub\\x.bmp"));
    }
}

namespace {

std::string g_pick;  // the folder the folder dialog is to answer with

BOOL CALLBACK find_tree(HWND child, LPARAM out) {
    char cls[32] = "";
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "SysTreeView32") == 0) *(HWND*)out = child;
    return TRUE;
}

// Selects the folder, and waits until the dialog's tree shows it selected:
// the dialog fills its tree after it is shown, and OK before that takes the
// folder it started on.
void pick_folder(HWND dialog) {
    const std::string last = g_pick.substr(g_pick.rfind('\\') + 1);
    for (int tries = 0; tries < 200; ++tries) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, (LPARAM)g_pick.c_str());
        HWND tree = nullptr;
        EnumChildWindows(dialog, find_tree, (LPARAM)&tree);
        char text[MAX_PATH] = "";
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = tree ? TreeView_GetSelection(tree) : nullptr;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        if (item.hItem && TreeView_GetItem(tree, &item) && last == text) return;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(20);
    }
    ADD_FAILURE() << "the folder dialog never showed " << g_pick;
}

}  // namespace

TEST_F(FileOperationsTest, CopyAndMoveToAPickedFolder) {
    std::string a = Put("a.bmp"), b = Put("b.bmp");
    g_pick = folder + "picked";
    CreateDirectoryA(g_pick.c_str(), nullptr);
    Browse(folder);
    select_items({"a.bmp"});
    answer_next_dialog(IDOK, pick_folder);
    Command(IDM_EDIT_COPY_TO_FOLDER);
    EXPECT_EQ(last_dialog().title.empty(), false);
    EXPECT_TRUE(Exists(g_pick + "\\a.bmp") && Exists(a)) << "copied";
    select_items({"b.bmp"});
    answer_next_dialog(IDOK, pick_folder);
    Command(IDM_EDIT_MOVE_TO_FOLDER);
    EXPECT_TRUE(Exists(g_pick + "\\b.bmp") && !Exists(b)) << "moved";
    EXPECT_EQ(list_count(), 2) << "a.bmp and the picked folder are left";

    select_items({"a.bmp"});
    answer_next_dialog(IDCANCEL);
    Command(IDM_FILE_PROPERTIES);
    EXPECT_NE(last_dialog().title.find("a.bmp"), std::string::npos) << "the shell's sheet of the file: "
                                                                    << last_dialog().title;
}

// The shell does the work of a large selection; the browser adds nothing
// that grows faster than the selection.
TEST_F(FileOperationsTest, AThousandFilesAreCopiedAndListed) {
    std::string target = folder + "many\\";
    CreateDirectoryA(target.c_str(), nullptr);
    for (int i = 0; i < 1000; ++i) Put("f" + std::to_string(i) + ".bmp");
    Browse(folder);
    Command(IDM_EDIT_SELECT_ALL);
    Command(IDM_EDIT_COPY);
    Browse(target);
    DWORD start = GetTickCount();
    Command(IDM_EDIT_PASTE);
    printf("1000 files pasted and listed in %lu ms\n", (unsigned long)(GetTickCount() - start));
    EXPECT_EQ(list_count(), 1000);
}
