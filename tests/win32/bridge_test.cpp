// The Unicode bridge under Wine, which reports Windows NT (so wide mode is
// on) with the ANSI code page 1252: Greek and Japanese names cannot be
// written in it. Files are made with the wide functions in a scratch folder
// of the prefix's temporary folder and removed afterwards; every name the
// bridge hands out is judged by which picture it opens.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/loader.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/registry_snapshot.h"
#include "tests/support/scratch.h"

namespace {

std::string ansi(const std::wstring& wide) { return dialog_driver::narrow(wide); }  // lossy

// A w x 1 picture: the width tells the files apart once loaded.
bool write_picture(const std::wstring& path, int width) { return write_file_wide(path, bmp_filled({width, 1}, 0x40)); }

int loaded_width(const std::string& path) {
    char message[kMessageBytes];
    Image* image = load_image(path.c_str(), message);
    int w = image ? image->width : -1;
    image_free(image);
    return w;
}

// Names the ANSI code page 1252 cannot hold. The capital omega's best fit is
// "O", so a real "O.bmp" beside it catches any check that trusts a
// conversion without converting back.
const wchar_t kGreek[] = L"\u03A9\u03BC\u03AD\u03B3\u03B1.bmp";
const wchar_t kJapanese[] = L"\u65E5\u672C\u8A9E.bmp";
const wchar_t kCafe[] = L"caf\u00E9 au lait, a long name.bmp";  // fits 1252, not 8.3
const char kCafeAnsi[] = "caf\xE9 au lait, a long name.bmp";
const int kGreekWidth = 4, kCafeWidth = 6;

struct Picture {
    const wchar_t* name;
    int width;
};
const Picture kPictures[] = {{L"plain.bmp", 1}, {L"O.bmp", 2},       {L"\u03A9.bmp", 3},
                             {kGreek, kGreekWidth}, {kJapanese, 5}, {kCafe, kCafeWidth}};

class Bridge : public ::testing::Test {
protected:
    std::wstring dir;  // ends in a backslash; ASCII
    std::string folder;
    wchar_t current[MAX_PATH];  // the Open dialog and full_path move it into the scratch folder

    void SetUp() override {
        GetCurrentDirectoryW(MAX_PATH, current);
        ASSERT_EQ(GetACP(), 1252u) << "the prefix's ANSI code page decides which names are unwritable";
        bridge_init();
        ASSERT_TRUE(g_bridge.wide) << "these tests expect Wine to report Windows NT";
        folder = temp_folder("lumora-bridge");
        dir = std::wstring(folder.begin(), folder.end());
        for (const Picture& p : kPictures) ASSERT_TRUE(write_picture(dir + p.name, p.width)) << ansi(p.name);
    }
    void TearDown() override {
        SetCurrentDirectoryW(current);
        remove_tree(dir);
        g_language = 0;
        bridge_init();
    }
    std::map<std::string, int> list_and_open(const std::string& in) {
        std::map<std::string, int> seen;
        FileFinder f;
        EXPECT_NE(finder_first(&f, in.c_str(), "*.bmp"), INVALID_HANDLE_VALUE);
        EXPECT_EQ(f.wide, g_bridge.wide) << "the wide search exactly in wide mode";
        for (bool more = f.handle != INVALID_HANDLE_VALUE; more; more = finder_next(&f)) {
            // The wide record's attributes, times and size, in the same layout.
            EXPECT_TRUE(!f.wide || !memcmp(&f.data, &f.wide_data, offsetof(WIN32_FIND_DATAA, cFileName)));
            EXPECT_TRUE(!f.wide || !seen.count(f.data.cFileName)) << "listed twice: " << f.data.cFileName;
            seen[f.data.cFileName] = loaded_width(in + f.data.cFileName);
        }
        finder_close(&f);
        EXPECT_EQ(f.handle, INVALID_HANDLE_VALUE);
        return seen;
    }
};

std::vector<int> widths(const std::map<std::string, int>& seen) {
    std::vector<int> w;
    for (const auto& entry : seen) w.push_back(entry.second);
    std::sort(w.begin(), w.end());
    return w;
}

}  // namespace

// The other wide functions are found where the tests below use them.
TEST_F(Bridge, InitFindsTheWideFunctionsNoOtherTestCalls) {
    EXPECT_TRUE(g_bridge.shell_about_w && g_bridge.draw_text_w);
}

// The exact and the short form are judged where the names come from, below.
TEST_F(Bridge, NarrowPathIsLossyOnlyWhenItMustBe) {
    // No file, so no short name: the lossy form, and the answer says so.
    char path[kPathBytes];
    std::wstring missing = dir + L"\u03A9 missing.bmp";
    EXPECT_FALSE(narrow_path_from_wide(missing.c_str(), path, kPathBytes));
    EXPECT_EQ(path, ansi(missing));

    // A buffer too small: cut and terminated, nothing written past it.
    char small[12];
    memset(small, 'X', sizeof small);
    EXPECT_FALSE(narrow_path_from_wide(L"C:\\abcdefghijkl.bmp", small, 8));
    EXPECT_STREQ(small, "C:\\abcd");
    EXPECT_EQ(small[8], 'X');

    // Without the short-name function the lossy form is all there is.
    bridge_reset();
    std::wstring greek = dir + kGreek;
    EXPECT_FALSE(narrow_path_from_wide(greek.c_str(), path, kPathBytes));
    EXPECT_EQ(path, ansi(greek));
}

TEST_F(Bridge, TextToWideStopsInsideItsBuffer) {
    wchar_t wide[8];
    std::fill(wide, wide + 8, 0xFFFF);
    text_to_wide("abcdef", wide, 4);
    EXPECT_EQ(std::wstring(wide, 5), std::wstring(L"abc\0\xFFFF", 5)) << "cut at 3, terminated, nothing after";
}

TEST_F(Bridge, FinderListsEveryNameSoThatItOpensAndEnters) {
    std::map<std::string, int> seen = list_and_open(folder);
    EXPECT_EQ(widths(seen), (std::vector<int>{1, 2, 3, 4, 5, 6})) << "every file once, under a name that opens it";
    EXPECT_EQ(seen[kCafeAnsi], kCafeWidth) << "a long name that round-trips is listed as it is";

    // An unwritable folder is entered by the name it is listed under.
    std::wstring sub = dir + L"\u03A3\u03C6 pictures\\";
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    ASSERT_TRUE(write_picture(sub + L"inner.bmp", 7));
    ASSERT_TRUE(write_picture(sub + kJapanese, 8));
    FileFinder f;
    std::string name;
    for (bool more = finder_first(&f, folder.c_str(), "*") != INVALID_HANDLE_VALUE; more; more = finder_next(&f))
        if ((f.data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && f.data.cFileName[0] != '.') name = f.data.cFileName;
    finder_close(&f);
    ASSERT_FALSE(name.empty());

    seen = list_and_open(folder + name + "\\");
    EXPECT_EQ(widths(seen), (std::vector<int>{7, 8}));

    bridge_reset();  // the 8-bit search: what round-trips still opens
    EXPECT_EQ(list_and_open(folder)[kCafeAnsi], kCafeWidth);
}

TEST_F(Bridge, FinderNameOfAPathTooLongForShortNames) {
    // Folder and name together pass 259 characters: no full path to shorten,
    // so the name is the lossy conversion; it must not overrun anything.
    std::wstring deep = dir + std::wstring(230 - dir.size(), L'd') + L"\\";
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    std::wstring name = std::wstring(kGreek, 5) + L" photograph number one.bmp";
    ASSERT_GT(deep.size() + name.size(), 259u);
    ASSERT_TRUE(write_picture(deep + name, 9));
    FileFinder f;
    ASSERT_NE(finder_first(&f, ansi(deep).c_str(), "*.bmp"), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(f.wide);
    EXPECT_EQ(std::string(f.data.cFileName), ansi(name));
    EXPECT_FALSE(finder_next(&f));
    finder_close(&f);

    // A search string past 259 characters is refused before any call.
    EXPECT_EQ(finder_first(&f, std::string(300, 'a').c_str(), "*.*"), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(finder_next(&f));
}

namespace {

const wchar_t* g_typed_name;  // into the Open dialog's name box
std::vector<std::wstring> g_filters;

void fill_open_dialog(HWND dialog) {
    HWND types = GetDlgItem(dialog, cmb1);
    for (int i = 0, n = (int)SendMessageW(types, CB_GETCOUNT, 0, 0); i < n; ++i) {
        wchar_t text[512] = {};
        SendMessageW(types, CB_GETLBTEXT, i, (LPARAM)text);
        g_filters.push_back(text);
    }
    HWND name = GetDlgItem(dialog, cmb13);
    SetWindowTextW(name ? name : GetDlgItem(dialog, edt1), g_typed_name);
}

// The Open dialog with `typed` typed into it and OK pressed; Cancel without.
bool run_open_dialog(const std::wstring& typed, char* path) {
    g_typed_name = typed.c_str();
    g_filters.clear();
    answer_next_dialog(typed.empty() ? IDCANCEL : IDOK, fill_open_dialog);
    bool chosen = open_file_dialog(nullptr, path);
    stop_answering();
    return chosen;
}

// A drop block as the shell builds it: wide names, the first one ours.
HDROP make_drop(const std::wstring& name) {
    std::wstring names = name + L'\0' + L"C:\\second.bmp" + L'\0' + L'\0';
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    DROPFILES* df = (DROPFILES*)GlobalLock(block);
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    std::copy(names.begin(), names.end(), (wchar_t*)(df + 1));
    GlobalUnlock(block);
    return (HDROP)block;
}

}  // namespace

// Each place a file name comes from, given an existing file's full wide name.
TEST_F(Bridge, NameSourcesGiveNamesThatOpen) {
    // The dialog remembers the last folder in the registry; put that back.
    RegistrySnapshot mru(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32");
    struct Source {
        const char* name;
        std::function<bool(const std::wstring&, char*)> path_of;
    } sources[] = {
        {"item id",
         [](const std::wstring& full, char* path) {
             LPITEMIDLIST item = ILCreateFromPathW(full.c_str());
             bool got = item && path_from_item_id(item, path);
             ILFree(item);
             return got;
         }},
        {"drop",
         [](const std::wstring& full, char* path) {
             HDROP drop = make_drop(full);
             bool got = dropped_file_path(drop, path);
             GlobalFree(drop);
             return got;
         }},
        {"open dialog",
         [](const std::wstring& full, char* path) {
             bool got = run_open_dialog(full, path);
             EXPECT_EQ(g_filters, (std::vector<std::wstring>{L"Images", L"All Files"}));
             return got;
         }},
    };
    // Wide, an unwritable name comes as one that opens; with the 8-bit calls
    // of Windows 95 too, a name that round-trips comes whole.
    for (bool wide : {true, false}) {
        if (!wide) bridge_reset();
        for (const Source& s : sources) {
            SCOPED_TRACE(std::string(s.name) + (wide ? ", wide" : ", 8-bit"));
            char path[kPathBytes] = "junk";
            if (wide) {
                EXPECT_TRUE(s.path_of(dir + kGreek, path));
                EXPECT_EQ(loaded_width(path), kGreekWidth) << "the Greek picture, opened as " << path;
            }
            EXPECT_TRUE(s.path_of(dir + kCafe, path));
            EXPECT_EQ(path, folder + kCafeAnsi) << "never shortened";
        }
    }
    char path[kPathBytes] = "junk";
    EXPECT_FALSE(run_open_dialog(L"", path)) << "cancelled";
    EXPECT_STREQ(path, "");
}

TEST_F(Bridge, CommandLineCases) {
    // A whole wide command line, the program's name first. For the lines that
    // start with "lumora.exe " the 8-bit argument text is what follows the name.
    struct Case {
        std::wstring line;
        std::string want;  // empty: no path
    } cases[] = {
        {L"\"C:\\Program Files\\Lumora\\lumora.exe\" \"C:\\My Pictures\\a b.bmp\"   ", "C:\\My Pictures\\a b.bmp"},
        {L"lumora.exe   C:\\My Pictures\\x.bmp  ", "C:\\My Pictures\\x.bmp"},
        {L"lumora.exe   \"C:\\My Pictures\\a b.bmp\"   ", "C:\\My Pictures\\a b.bmp"},
        {L"\"lumora.exe\"C:\\caf\u00E9.bmp", "C:\\caf\xE9.bmp"},
        {L"\"C:\\Program Files\\Lumora\\lumora.exe\"", ""},
        {L"lumora.exe    ", ""},
        {L"lumora.exe \"\"  ", ""},
        {L"\"C:\\no closing quote.exe", ""},
        {L"lumora.exe \"" + std::wstring(400, L'p') + L"\"", std::string(259, 'p')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ansi(c.line));
        char path[kPathBytes] = "junk";
        EXPECT_EQ(wide_command_line_path(c.line.c_str(), path), !c.want.empty());
        EXPECT_EQ(path, c.want);
        if (c.line.compare(0, 11, L"lumora.exe ") != 0) continue;
        strcpy(path, "junk");
        EXPECT_EQ(narrow_argument_path(ansi(c.line.substr(10)).c_str(), path), !c.want.empty()) << "8-bit";
        EXPECT_EQ(path, c.want) << "8-bit";
    }
    char path[kPathBytes];
    EXPECT_FALSE(wide_command_line_path(nullptr, path));
    EXPECT_FALSE(narrow_argument_path(nullptr, path));

    // Without the wide command line the 8-bit argument text counts, made absolute.
    bridge_reset();
    ASSERT_TRUE(SetCurrentDirectoryW(dir.c_str()));
    EXPECT_TRUE(command_line_path("\"x y.bmp\" ", path));
    EXPECT_EQ(path, folder + "x y.bmp");
}

// Run only as the child of the next test: ends with the width of the picture
// its own command line names, or 100 when it names none.
TEST(BridgeChild, DISABLED_OpenCommandLinePath) {
    bridge_init();
    char path[kPathBytes];
    ExitProcess(command_line_path("not-the-wide-line.bmp", path) ? loaded_width(path) : 100);
}

TEST_F(Bridge, CommandLineOfARealProcess) {
    wchar_t exe[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    std::wstring line = L"\"" + std::wstring(exe) + L"\" \"" + dir + kGreek + L"\"   ";
    const wchar_t* environment[][2] = {{L"GTEST_FILTER", L"BridgeChild.DISABLED_OpenCommandLinePath"},
                                       {L"GTEST_ALSO_RUN_DISABLED_TESTS", L"1"}};
    for (auto& e : environment) SetEnvironmentVariableW(e[0], e[1]);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    BOOL started = CreateProcessW(exe, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    for (auto& e : environment) SetEnvironmentVariableW(e[0], nullptr);
    ASSERT_TRUE(started);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    EXPECT_EQ(code, (DWORD)kGreekWidth) << "the Greek name, in a form that opens";
}

// Joining and normalising are the system's; the length limit is the bridge's.
TEST_F(Bridge, FullPathIsTheCurrentFolderPlusARelativeNameWithinTheLimit) {
    ASSERT_TRUE(SetCurrentDirectoryW(dir.c_str()));
    std::string fits(kPathBytes - 1 - folder.size(), 'r');  // 259 characters once joined
    char out[kPathBytes] = "junk";
    EXPECT_TRUE(full_path(fits.c_str(), out));
    EXPECT_EQ(out, folder + fits);
    EXPECT_FALSE(full_path((fits + "r").c_str(), out));
}

namespace {

std::wstring control_text(HWND window, UINT message, WPARAM index) {
    wchar_t text[4096] = {};
    SendMessageW(window, message, index, (LPARAM)text);
    return text;
}

std::wstring menu_text(HMENU menu, int position) {
    wchar_t text[4096] = {};
    GetMenuStringW(menu, position, text, 4096, MF_BYPOSITION);
    return text;
}

// One wrapper: shows a text somewhere, and what the user then sees there.
struct TextTarget {
    const char* name;
    int buffer;  // characters of its wide buffer, the terminator included
    std::function<bool(const char*)> show;
    std::function<std::wstring()> shown;
};

bool message_box(const char* text, const char* title) {
    answer_next_dialog(IDOK);
    int answer = show_message(nullptr, text, title, MB_OK | MB_ICONINFORMATION);
    stop_answering();
    return answer == IDOK && last_dialog().seen;
}

}  // namespace

TEST_F(Bridge, TextsInTheTextCodePageCutAtTheirBuffersAndMenuValues) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr, nullptr, nullptr, nullptr);
    auto child = [&](const char* cls, DWORD style, int id) {
        return CreateWindowExA(0, cls, "", WS_CHILD | style, 0, 0, 300, 200, parent, (HMENU)(INT_PTR)id, nullptr, nullptr);
    };
    HWND edit = child("EDIT", 0, 101), combo = child("COMBOBOX", CBS_DROPDOWNLIST, 102);
    HWND status = child(STATUSCLASSNAMEA, 0, 103), list = child(WC_LISTVIEWA, LVS_REPORT, 104);
    int parts[2] = {100, -1};
    SendMessageA(status, SB_SETPARTS, 2, (LPARAM)parts);
    HMENU menu = CreatePopupMenu();
    ASSERT_TRUE(parent && edit && combo && status && list && menu);
    auto last_combo = [&] { return (int)SendMessageW(combo, CB_GETCOUNT, 0, 0) - 1; };
    const TextTarget targets[] = {
        {"message text", 1024, [](const char* t) { return message_box(t, "title"); },
         [] { return last_dialog().wide_text; }},
        {"message title", 128, [](const char* t) { return message_box("text", t); },
         [] { return last_dialog().wide_title; }},
        {"item", 512, [&](const char* t) { return set_item_text(parent, 101, t) != 0; },
         [&] { return control_text(edit, WM_GETTEXT, 4096); }},
        {"status part", 512, [&](const char* t) { return set_status_text(status, 1, t), true; },
         [&] { return control_text(status, SB_GETTEXTW, 1); }},
        {"menu item", 512, [&](const char* t) { return append_menu_item(menu, MF_STRING, 40001, t) != 0; },
         [&] { return menu_text(menu, GetMenuItemCount(menu) - 1); }},
        {"combo item", 256, [&](const char* t) { return add_combo_item(parent, 102, t) == last_combo(); },
         [&] { return control_text(combo, CB_GETLBTEXT, last_combo()); }},
        {"list column", 128, [&](const char* t) { return insert_list_column(list, 0, t, LVCFMT_RIGHT, 77) == 0; },
         [&] {
             wchar_t text[4096] = {};
             LVCOLUMNW column = {};
             column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
             column.pszText = text;
             column.cchTextMax = 4096;
             SendMessageW(list, LVM_GETCOLUMNW, 0, (LPARAM)&column);
             bool passed_on = (column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT && column.cx == 77;
             return passed_on ? std::wstring(text) : L"format or width lost";
         }},
    };
    // The bytes F0 'x' DE: other letters in the text code page 1254 than in the system's 1252.
    struct Case {
        const char* what;
        int language;
        bool wide;
        const wchar_t* want;  // none: a text twice the buffer, cut
    } cases[] = {
        {"1254", 1, true, L"\u011Fx\u015E"},
        {"cut", 0, true, nullptr},
        {"8-bit call, bytes as they are in the system code page", 1, false, L"\u00F0x\u00DE"},
    };
    for (const Case& c : cases) {
        g_language = c.language;
        bridge_init();
        if (!c.wide) {
            bridge_reset();
            g_text_codepage = 1254;  // would show in Turkish if converted anyway
        }
        for (const TextTarget& target : targets) {
            SCOPED_TRACE(std::string(target.name) + ", " + c.what);
            std::string text = c.want ? "\xF0x\xDE" : std::string(2 * target.buffer, 'k');
            EXPECT_TRUE(target.show(text.c_str()));
            EXPECT_EQ(target.shown(), c.want ? std::wstring(c.want) : std::wstring(target.buffer - 1, L'k'));
        }
    }
    g_language = 0;
    bridge_init();  // wide again for the rest
    EXPECT_EQ(control_text(status, SB_GETTEXTW, 0), L"") << "only the named part";
    EXPECT_TRUE(set_item_text(parent, 101, nullptr));  // no text: an empty one
    EXPECT_EQ(control_text(edit, WM_GETTEXT, 4096), L"");
    EXPECT_EQ(insert_list_column(nullptr, 0, "x", LVCFMT_LEFT, 10), -1);

    // Owner-drawn and bitmap items carry a value, not a text: it must arrive
    // unchanged, not as the address of a converted copy.
    static const char owner_value[] = "owner data";
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, nullptr);
    EXPECT_TRUE(append_menu_item(menu, MF_OWNERDRAW, 40002, owner_value));
    EXPECT_TRUE(append_menu_item(menu, MF_BITMAP, 40003, (const char*)bitmap));
    EXPECT_TRUE(append_menu_item(menu, MF_SEPARATOR, 0, nullptr));
    MENUITEMINFOW info[3] = {};
    for (int i = 0, first = GetMenuItemCount(menu) - 3; i < 3; ++i) {
        info[i].cbSize = sizeof info[i];
        info[i].fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID | MIIM_BITMAP;
        ASSERT_TRUE(GetMenuItemInfoW(menu, first + i, TRUE, &info[i]));
    }
    EXPECT_TRUE((info[0].fType & MFT_OWNERDRAW) && info[0].dwItemData == (ULONG_PTR)owner_value && info[0].wID == 40002);
    EXPECT_TRUE(info[1].hbmpItem == bitmap && info[1].wID == 40003);
    EXPECT_TRUE(info[2].fType & MFT_SEPARATOR);
    DestroyMenu(menu);
    DestroyWindow(parent);
    DeleteObject(bitmap);
}
