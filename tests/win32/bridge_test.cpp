// The Unicode bridge under Wine, which reports Windows NT (so wide mode is
// on) with the ANSI code page 1252: Greek and Japanese names cannot be
// written in it, and Wine makes 8.3 short names for them that the ANSI file
// functions open. Files are made with the wide functions in a scratch folder
// of the prefix's temporary folder and removed afterwards.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <map>
#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/loader.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/registry_snapshot.h"
#include "viewer/viewer_state.h"

namespace {

// --- Scratch files --------------------------------------------------------------

std::string ansi(const std::wstring& wide) {  // lossy, for messages and ASCII paths
    char text[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text - 1, nullptr, nullptr);
    return text;
}

std::wstring long_form(const std::wstring& path) { return L"\\\\?\\" + path; }

void remove_tree(const std::wstring& dir) {  // dir ends in a backslash
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(long_form(dir + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                remove_tree(dir + name + L"\\");
            else
                DeleteFileW(long_form(dir + name).c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(long_form(dir).c_str());
}

// A w x 1 picture: the width tells the files apart once loaded.
bool write_picture(const std::wstring& path, int width) {
    BmpSpec layout;
    layout.width = width;
    layout.height = 1;
    std::vector<uint8_t> bytes = bmp_headers(layout);
    bytes.resize(bytes.size() + bmp_row_bytes(layout), 0x40);
    HANDLE f = CreateFileW(long_form(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(f, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(f);
    return written == bytes.size();
}

// Width of the picture the 8-bit path opens, -1 when it does not open.
int loaded_width(const std::string& path) {
    char message[kMessageBytes];
    Image* image = load_image(path.c_str(), message);
    if (!image) return -1;
    int w = image->width;
    image_free(image);
    return w;
}

bool ansi_opens(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    CloseHandle(f);
    return true;
}

// The system's own short form of an existing path, in the ANSI code page.
std::string short_form(const std::wstring& path) {
    wchar_t s[MAX_PATH] = {};
    GetShortPathNameW(path.c_str(), s, MAX_PATH);
    return ansi(s);
}

std::string after_last_backslash(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// Names the ANSI code page 1252 cannot hold. Wine's best fit writes the
// capital omega as "O", so a real "O.bmp" beside it catches any check that
// trusts a conversion without converting back.
const wchar_t kGreek[] = L"\u03A9\u03BC\u03AD\u03B3\u03B1.bmp";
const wchar_t kJapanese[] = L"\u65E5\u672C\u8A9E.bmp";
const wchar_t kOmega[] = L"\u03A9.bmp";
const wchar_t kCafe[] = L"caf\u00E9 au lait, a long name.bmp";  // fits 1252, not 8.3
const char kCafeAnsi[] = "caf\xE9 au lait, a long name.bmp";

struct Picture {
    const wchar_t* name;
    int width;
};
const Picture kPictures[] = {{L"plain.bmp", 1}, {L"O.bmp", 2}, {kOmega, 3}, {kGreek, 4}, {kJapanese, 5}, {kCafe, 6}};

class Bridge : public ::testing::Test {
protected:
    std::wstring dir;  // ends in a backslash; ASCII
    std::string folder;
    wchar_t current[MAX_PATH];  // the Open dialog moves it into the scratch folder

    void SetUp() override {
        GetCurrentDirectoryW(MAX_PATH, current);
        ASSERT_EQ(GetVersion() & 0x80000000u, 0u) << "these tests expect Wine to report Windows NT";
        ASSERT_EQ(GetACP(), 1252u) << "the prefix's ANSI code page decides which names are unwritable";
        bridge_init();
        ASSERT_TRUE(g_bridge.wide);
        static int serial = 0;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir = std::wstring(temp) + L"lumora-bridge-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(++serial) + L"\\";
        remove_tree(dir);  // left by a run that died; process ids come round again
        ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
        folder = ansi(dir);
    }
    void TearDown() override {
        SetCurrentDirectoryW(current);
        remove_tree(dir);
        bridge_init();
    }
    void make_pictures() {
        for (const Picture& p : kPictures) ASSERT_TRUE(write_picture(dir + p.name, p.width)) << ansi(p.name);
    }
    // Name -> width of every *.bmp the finder lists, opened through folder + name.
    std::multimap<std::string, int> list_and_open(const std::string& in, bool* wide) {
        std::multimap<std::string, int> seen;
        FileFinder f;
        HANDLE h = finder_first(&f, in.c_str(), "*.bmp");
        EXPECT_NE(h, INVALID_HANDLE_VALUE);
        if (h == INVALID_HANDLE_VALUE) return seen;
        EXPECT_EQ(f.handle, h);
        *wide = f.wide;
        do {
            if (f.wide) {  // the 8-bit record carries the wide one's facts
                EXPECT_EQ(f.data.dwFileAttributes, f.wide_data.dwFileAttributes);
                EXPECT_EQ(f.data.nFileSizeLow, f.wide_data.nFileSizeLow);
                EXPECT_EQ(f.data.nFileSizeHigh, f.wide_data.nFileSizeHigh);
                EXPECT_EQ(CompareFileTime(&f.data.ftLastWriteTime, &f.wide_data.ftLastWriteTime), 0);
                EXPECT_EQ(CompareFileTime(&f.data.ftCreationTime, &f.wide_data.ftCreationTime), 0);
                EXPECT_EQ(CompareFileTime(&f.data.ftLastAccessTime, &f.wide_data.ftLastAccessTime), 0);
            }
            seen.emplace(f.data.cFileName, loaded_width(in + f.data.cFileName));
        } while (finder_next(&f));
        finder_close(&f);
        EXPECT_EQ(f.handle, INVALID_HANDLE_VALUE);
        return seen;
    }
};

}  // namespace

// --- Start-up ----------------------------------------------------------------------

TEST_F(Bridge, InitFindsEveryFunctionAndSetsTheTextCodePage) {
    EXPECT_TRUE(g_bridge.find_first_file_w && g_bridge.find_next_file_w && g_bridge.get_short_path_name_w &&
                g_bridge.get_command_line_w);
    EXPECT_TRUE(g_bridge.drag_query_file_w && g_bridge.sh_get_path_from_id_list_w && g_bridge.shell_about_w);
    EXPECT_TRUE(g_bridge.get_open_file_name_w);
    EXPECT_TRUE(g_bridge.message_box_w && g_bridge.set_dlg_item_text_w && g_bridge.send_message_w &&
                g_bridge.append_menu_w && g_bridge.draw_text_w);
    EXPECT_EQ((void*)g_bridge.get_command_line_w, (void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetCommandLineW"));
    EXPECT_EQ(g_text_codepage, 1252);

    g_language = 1;  // Turkish texts are written in 1254
    bridge_init();
    EXPECT_EQ(g_text_codepage, 1254);
    g_language = 0;
    bridge_init();
    EXPECT_EQ(g_text_codepage, 1252);

    g_language = 1;
    bridge_reset();  // as on Windows 95: nothing found, code page never changed
    EXPECT_FALSE(g_bridge.wide);
    EXPECT_EQ(g_bridge.find_first_file_w, nullptr);
    EXPECT_EQ(g_bridge.message_box_w, nullptr);
    EXPECT_EQ(g_text_codepage, 1252);
    g_language = 0;
}

// --- Names ------------------------------------------------------------------------------

TEST_F(Bridge, RoundTripsOnlyWhatComesBackTheSame) {
    char narrow[MAX_PATH];
    EXPECT_TRUE(round_trips(L"caf\u00E9", narrow, sizeof narrow));
    EXPECT_STREQ(narrow, "caf\xE9");
    EXPECT_TRUE(round_trips(L"", narrow, sizeof narrow));
    EXPECT_STREQ(narrow, "");
    // Converted with a best fit ("O", "a"), which is not the name.
    EXPECT_FALSE(round_trips(L"\u03A9", narrow, sizeof narrow));
    EXPECT_FALSE(round_trips(L"\u0101bc", narrow, sizeof narrow));
    EXPECT_FALSE(round_trips(kJapanese, narrow, sizeof narrow));

    char small[8];
    memset(small, 'X', sizeof small);
    EXPECT_FALSE(round_trips(L"plain.bmp", small, sizeof small)) << "does not fit 8 bytes";
    EXPECT_EQ(small[0], 0);
}

TEST_F(Bridge, NarrowPathIsExactShortOrLossy) {
    make_pictures();
    char path[kPathBytes];

    // Unwritable: the system's short form, which opens the right file.
    for (const Picture& p : kPictures) {
        std::wstring full = dir + p.name;
        SCOPED_TRACE(ansi(p.name));
        char exact[kPathBytes];
        if (round_trips(full.c_str(), exact, kPathBytes)) {
            EXPECT_TRUE(narrow_path_from_wide(full.c_str(), path, kPathBytes));
            EXPECT_STREQ(path, exact) << "a name that round-trips is never shortened";
        } else {
            EXPECT_TRUE(narrow_path_from_wide(full.c_str(), path, kPathBytes));
            EXPECT_EQ(path, short_form(full));
            EXPECT_NE(std::string(path).find('~'), std::string::npos) << path;
        }
        EXPECT_TRUE(ansi_opens(path)) << path;
        EXPECT_EQ(loaded_width(path), p.width) << path;
    }
    EXPECT_EQ(std::string(path), folder + kCafeAnsi);

    // No file, so no short name: the lossy form, and the answer says so.
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
    EXPECT_NE(loaded_width(path), 4);
}

TEST_F(Bridge, TextToWideUsesTheTextCodePageAndCuts) {
    wchar_t wide[1100];
    text_to_wide("Caf\xE9 \x80", wide, 1024);
    EXPECT_STREQ(wide, L"Caf\u00E9 \u20AC");
    text_to_wide(nullptr, wide, 1024);
    EXPECT_STREQ(wide, L"");

    g_text_codepage = 1254;  // the same byte is a Turkish letter there
    text_to_wide("\xF0\xDE", wide, 1024);
    EXPECT_STREQ(wide, L"\u011F\u015E");
    g_text_codepage = 1252;
    text_to_wide("\xF0\xDE", wide, 1024);
    EXPECT_STREQ(wide, L"\u00F0\u00DE");

    std::string longer(2000, 'x');
    longer[1022] = 'y';
    longer[1023] = 'z';
    for (wchar_t& c : wide) c = 0xFFFF;
    text_to_wide(longer.c_str(), wide, 1024);
    EXPECT_EQ(wcslen(wide), 1023u);
    EXPECT_EQ(wide[1022], L'y');
    EXPECT_EQ(wide[1024], 0xFFFF) << "written past the buffer";

    for (wchar_t& c : wide) c = 0xFFFF;
    text_to_wide("abc", wide, 1);
    EXPECT_EQ(wide[0], 0);
    EXPECT_EQ(wide[1], 0xFFFF);
}

// --- Folder enumeration ----------------------------------------------------------

TEST_F(Bridge, FinderListsUnwritableNamesAsShortNamesThatOpen) {
    make_pictures();
    bool wide = false;
    std::multimap<std::string, int> seen = list_and_open(folder, &wide);
    EXPECT_TRUE(wide);
    ASSERT_EQ(seen.size(), 6u);
    ASSERT_EQ(seen.count("plain.bmp"), 1u);
    EXPECT_EQ(seen.find("plain.bmp")->second, 1);
    ASSERT_EQ(seen.count("O.bmp"), 1u) << "the omega must not pass for its best fit";
    EXPECT_EQ(seen.find("O.bmp")->second, 2);
    ASSERT_EQ(seen.count(kCafeAnsi), 1u) << "a long name that round-trips is listed as it is";
    EXPECT_EQ(seen.find(kCafeAnsi)->second, 6);
    for (const Picture& p : {kPictures[2], kPictures[3], kPictures[4]}) {
        std::string name = after_last_backslash(short_form(dir + p.name));
        SCOPED_TRACE(ansi(p.name) + " as " + name);
        ASSERT_EQ(seen.count(name), 1u);
        EXPECT_EQ(seen.find(name)->second, p.width) << "the listed name opens this very file";
    }
}

TEST_F(Bridge, FinderWithoutWideFunctionsListsLossyNames) {
    make_pictures();
    bridge_reset();
    bool wide = true;
    std::multimap<std::string, int> seen = list_and_open(folder, &wide);
    EXPECT_FALSE(wide);
    EXPECT_EQ(seen.size(), 6u);
    ASSERT_EQ(seen.count(kCafeAnsi), 1u);
    EXPECT_EQ(seen.find(kCafeAnsi)->second, 6);
    // The Japanese name comes as question marks, which open nothing, and the
    // omega as the best fit "O", which opens the other file.
    std::string lossy = ansi(kJapanese);
    ASSERT_EQ(seen.count(lossy), 1u) << lossy;
    EXPECT_EQ(seen.find(lossy)->second, -1);
    EXPECT_EQ(seen.count("O.bmp"), 2u);
    for (auto it = seen.lower_bound("O.bmp"); it != seen.upper_bound("O.bmp"); ++it) EXPECT_EQ(it->second, 2);
}

TEST_F(Bridge, FinderEntersAnUnwritableFolderByItsShortName) {
    std::wstring sub = dir + L"\u03A3\u03C6 pictures\\";
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    ASSERT_TRUE(write_picture(sub + L"inner.bmp", 7));
    ASSERT_TRUE(write_picture(sub + kJapanese, 8));

    FileFinder f;
    ASSERT_NE(finder_first(&f, folder.c_str(), "*"), INVALID_HANDLE_VALUE);
    std::string name;
    do {
        if ((f.data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && f.data.cFileName[0] != '.') name = f.data.cFileName;
    } while (finder_next(&f));
    finder_close(&f);
    ASSERT_EQ(name, after_last_backslash(short_form(sub.substr(0, sub.size() - 1))));

    bool wide = false;
    std::multimap<std::string, int> inner = list_and_open(folder + name + "\\", &wide);
    ASSERT_EQ(inner.size(), 2u);
    ASSERT_EQ(inner.count("inner.bmp"), 1u);
    EXPECT_EQ(inner.find("inner.bmp")->second, 7);
    std::string short_name = after_last_backslash(short_form(sub + kJapanese));
    ASSERT_EQ(inner.count(short_name), 1u);
    EXPECT_EQ(inner.find(short_name)->second, 8);
}

TEST_F(Bridge, FinderNameOfAPathTooLongForShortNames) {
    // Folder and name together pass 259 characters: no full path to shorten,
    // so the name is the lossy conversion; it must not overrun anything.
    std::wstring deep = dir + std::wstring(230 - dir.size(), L'd') + L"\\";
    ASSERT_TRUE(CreateDirectoryW(long_form(deep).c_str(), nullptr));
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
    std::string too_long(300, 'a');
    EXPECT_EQ(finder_first(&f, too_long.c_str(), "*.*"), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(finder_next(&f));
}

// --- Other name sources --------------------------------------------------------------

TEST_F(Bridge, ItemIdPathOfAnUnwritableFile) {
    make_pictures();
    typedef LPITEMIDLIST(WINAPI * FromPath)(LPCWSTR);
    FromPath from_path = (FromPath)(void*)GetProcAddress(GetModuleHandleA("shell32.dll"), "ILCreateFromPathW");
    ASSERT_NE(from_path, nullptr);
    std::wstring greek = dir + kGreek;
    LPITEMIDLIST item = from_path(greek.c_str());
    ASSERT_NE(item, nullptr);
    char path[kPathBytes];
    EXPECT_TRUE(path_from_item_id(item, path));
    EXPECT_EQ(path, short_form(greek));
    EXPECT_EQ(loaded_width(path), 4);

    bridge_reset();  // the 8-bit call gives the lossy name
    EXPECT_TRUE(path_from_item_id(item, path));
    EXPECT_EQ(path, ansi(greek));
    CoTaskMemFree(item);
}

TEST_F(Bridge, CommandLineCases) {
    char path[kPathBytes];
    EXPECT_TRUE(wide_command_line_path(L"\"C:\\Program Files\\Lumora\\lumora.exe\" \"C:\\My Pictures\\a b.bmp\"   ", path));
    EXPECT_STREQ(path, "C:\\My Pictures\\a b.bmp");
    EXPECT_TRUE(wide_command_line_path(L"lumora.exe C:\\pics\\x.bmp", path));
    EXPECT_STREQ(path, "C:\\pics\\x.bmp");
    EXPECT_TRUE(wide_command_line_path(L"lumora.exe   C:\\My Pictures\\x.bmp  ", path)) << "unquoted, with a space";
    EXPECT_STREQ(path, "C:\\My Pictures\\x.bmp");
    EXPECT_TRUE(wide_command_line_path(L"\"lumora.exe\"C:\\caf\u00E9.bmp", path));
    EXPECT_STREQ(path, "C:\\caf\xE9.bmp");
    EXPECT_FALSE(wide_command_line_path(L"\"C:\\Program Files\\Lumora\\lumora.exe\"", path));
    EXPECT_STREQ(path, "");
    EXPECT_FALSE(wide_command_line_path(L"lumora.exe    ", path));
    EXPECT_FALSE(wide_command_line_path(L"lumora.exe \"\"  ", path));
    EXPECT_FALSE(wide_command_line_path(L"\"C:\\no closing quote.exe", path));
    EXPECT_FALSE(wide_command_line_path(nullptr, path));
    std::wstring very_long = L"lumora.exe \"" + std::wstring(400, L'p') + L"\"";
    EXPECT_TRUE(wide_command_line_path(very_long.c_str(), path));
    EXPECT_EQ(strlen(path), 259u);

    EXPECT_TRUE(narrow_argument_path("  \"C:\\My Pictures\\a b.bmp\"   ", path));
    EXPECT_STREQ(path, "C:\\My Pictures\\a b.bmp");
    EXPECT_TRUE(narrow_argument_path("C:\\pics\\x.bmp", path));
    EXPECT_STREQ(path, "C:\\pics\\x.bmp");
    EXPECT_FALSE(narrow_argument_path("  \"\" ", path));
    EXPECT_FALSE(narrow_argument_path("", path));
    EXPECT_FALSE(narrow_argument_path(nullptr, path));
    std::string narrow_long(400, 'q');
    EXPECT_TRUE(narrow_argument_path(narrow_long.c_str(), path));
    EXPECT_EQ(strlen(path), 259u);

    // An unwritable name on the wide command line arrives as its short name.
    make_pictures();
    std::wstring line = L"\"C:\\lumora.exe\" \"" + dir + kGreek + L"\"  ";
    EXPECT_TRUE(wide_command_line_path(line.c_str(), path));
    EXPECT_EQ(path, short_form(dir + kGreek));
    EXPECT_EQ(loaded_width(path), 4);

    bridge_reset();  // only the 8-bit argument text counts then
    EXPECT_TRUE(command_line_path("\"C:\\x y.bmp\" ", path));
    EXPECT_STREQ(path, "C:\\x y.bmp");
}

// Run only as the child of the next test, which names what it expects in the
// environment; not a test of its own.
TEST(BridgeChild, DISABLED_WriteCommandLinePath) {
    char out[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("LUMORA_CHILD_OUT", out, MAX_PATH), 0u);
    bridge_init();
    char path[kPathBytes];
    bool found = command_line_path("not-the-wide-line.bmp", path);
    FILE* f = fopen(out, "wb");
    ASSERT_NE(f, nullptr);
    fprintf(f, "%d\n%s", found ? 1 : 0, path);
    fclose(f);
}

TEST_F(Bridge, CommandLineOfARealProcess) {
    make_pictures();
    wchar_t exe[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    std::wstring out = dir + L"child.txt";
    std::wstring greek = dir + kGreek;
    std::wstring line = L"\"" + std::wstring(exe) + L"\" \"" + greek + L"\"   ";
    SetEnvironmentVariableW(L"GTEST_FILTER", L"BridgeChild.DISABLED_WriteCommandLinePath");
    SetEnvironmentVariableW(L"GTEST_ALSO_RUN_DISABLED_TESTS", L"1");
    SetEnvironmentVariableW(L"LUMORA_CHILD_OUT", out.c_str());
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(0);
    BOOL started = CreateProcessW(exe, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableW(L"GTEST_FILTER", nullptr);
    SetEnvironmentVariableW(L"GTEST_ALSO_RUN_DISABLED_TESTS", nullptr);
    SetEnvironmentVariableW(L"LUMORA_CHILD_OUT", nullptr);
    ASSERT_TRUE(started);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    EXPECT_EQ(code, 0u);

    char text[600] = {};
    FILE* f = _wfopen(out.c_str(), L"rb");
    ASSERT_NE(f, nullptr);
    fread(text, 1, sizeof text - 1, f);
    fclose(f);
    EXPECT_EQ(std::string(text), "1\n" + short_form(greek));
    EXPECT_EQ(loaded_width(text + 2), 4);
}

TEST_F(Bridge, DroppedNames) {
    make_pictures();
    // A drop block as the shell builds it: wide names, two of them.
    auto make_drop = [](const std::vector<std::wstring>& names) {
        size_t chars = 1;
        for (const std::wstring& n : names) chars += n.size() + 1;
        HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
        DROPFILES* df = (DROPFILES*)GlobalLock(block);
        df->pFiles = sizeof(DROPFILES);
        df->fWide = TRUE;
        wchar_t* p = (wchar_t*)(df + 1);
        for (const std::wstring& n : names) {
            memcpy(p, n.c_str(), (n.size() + 1) * sizeof(wchar_t));
            p += n.size() + 1;
        }
        GlobalUnlock(block);
        return (HDROP)block;
    };
    std::wstring greek = dir + kGreek, cafe = dir + kCafe;
    HDROP drop = make_drop({greek, cafe});
    char path[kPathBytes];
    EXPECT_TRUE(dropped_file_path(drop, path));
    EXPECT_EQ(path, short_form(greek)) << "only the first name counts";
    EXPECT_EQ(loaded_width(path), 4);
    GlobalFree(drop);

    drop = make_drop({cafe});
    EXPECT_TRUE(dropped_file_path(drop, path));
    EXPECT_EQ(std::string(path), folder + kCafeAnsi);

    bridge_reset();
    EXPECT_TRUE(dropped_file_path(drop, path));
    EXPECT_EQ(std::string(path), folder + kCafeAnsi);
    GlobalFree(drop);
}

// --- Dialogs driven from a thread timer inside their own modal loop ------------------

namespace {

struct DialogDriver {
    const wchar_t* type_name;  // typed into an Open dialog's name box; none: press Cancel
    int ticks;
    bool acted;
    std::wstring text, title;  // a message box's
    std::vector<std::wstring> filters;
};
DialogDriver g_driver;

BOOL CALLBACK find_dialog(HWND window, LPARAM found) {
    char cls[16] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (IsWindowVisible(window) && strcmp(cls, "#32770") == 0) {
        *(HWND*)found = window;
        return FALSE;
    }
    return TRUE;
}

HWND thread_dialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_dialog, (LPARAM)&found);
    return found;
}

std::wstring window_text(HWND window) {
    wchar_t text[4096] = {};
    GetWindowTextW(window, text, 4096);
    return text;
}

void CALLBACK drive_open_dialog(HWND, UINT, UINT_PTR, DWORD) {
    ++g_driver.ticks;
    HWND dialog = thread_dialog();
    if (!dialog) return;
    if (!g_driver.acted) {
        g_driver.acted = true;
        HWND types = GetDlgItem(dialog, cmb1);
        int count = (int)SendMessageW(types, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) {
            wchar_t text[512] = {};
            SendMessageW(types, CB_GETLBTEXT, i, (LPARAM)text);
            g_driver.filters.push_back(text);
        }
        if (g_driver.type_name) {
            HWND name = GetDlgItem(dialog, cmb13);
            if (!name) name = GetDlgItem(dialog, edt1);
            SetWindowTextW(name, g_driver.type_name);
        }
        PostMessageW(dialog, WM_COMMAND, g_driver.type_name ? IDOK : IDCANCEL, 0);
    } else if (g_driver.ticks > 100) {  // stuck behind some message: close whatever is open
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

void CALLBACK drive_message_box(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = thread_dialog();
    if (!box || g_driver.acted) return;
    g_driver.acted = true;
    g_driver.title = window_text(box);
    g_driver.text = window_text(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST_F(Bridge, OpenDialogReturnsAnOpenableName) {
    // The dialog remembers the last folder in the registry; put that back.
    RegistrySnapshot mru(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32");
    make_pictures();
    std::wstring greek = dir + kGreek;
    char path[kPathBytes] = "junk";

    UINT_PTR timer = SetTimer(nullptr, 0, 50, drive_open_dialog);
    g_driver = DialogDriver{};
    g_driver.type_name = greek.c_str();
    bool chosen = open_file_dialog(nullptr, path);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(path, short_form(greek));
    EXPECT_EQ(loaded_width(path), 4);
    EXPECT_EQ(g_driver.filters, (std::vector<std::wstring>{L"Images", L"All Files"}));

    timer = SetTimer(nullptr, 0, 50, drive_open_dialog);
    g_driver = DialogDriver{};
    EXPECT_FALSE(open_file_dialog(nullptr, path)) << "cancelled";
    KillTimer(nullptr, timer);
    EXPECT_STREQ(path, "");

    // The 8-bit dialog, as on Windows 95.
    bridge_reset();
    std::wstring plain = dir + L"plain.bmp";
    timer = SetTimer(nullptr, 0, 50, drive_open_dialog);
    g_driver = DialogDriver{};
    g_driver.type_name = plain.c_str();
    EXPECT_TRUE(open_file_dialog(nullptr, path));
    KillTimer(nullptr, timer);
    EXPECT_EQ(std::string(path), folder + "plain.bmp");
    EXPECT_EQ(g_driver.filters, (std::vector<std::wstring>{L"Images", L"All Files"}));
}

// --- Texts -------------------------------------------------------------------------------

namespace {

int message_box_shows(const char* text, const char* title, std::wstring* shown_text, std::wstring* shown_title) {
    UINT_PTR timer = SetTimer(nullptr, 0, 50, drive_message_box);
    g_driver = DialogDriver{};
    int answer = show_message(nullptr, text, title, MB_OK | MB_ICONINFORMATION);
    KillTimer(nullptr, timer);
    *shown_text = g_driver.text;
    *shown_title = g_driver.title;
    return answer;
}

struct TestWindows {
    HWND parent, edit, combo, status, list;
};

TestWindows make_test_windows() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    TestWindows w;
    w.parent = CreateWindowExA(0, "STATIC", "texts", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr, nullptr, instance, nullptr);
    w.edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 100, 20, w.parent, (HMENU)101, instance, nullptr);
    w.combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 30, 100, 200, w.parent, (HMENU)102,
                              instance, nullptr);
    w.status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD, 0, 0, 0, 0, w.parent, (HMENU)103, instance, nullptr);
    int parts[3] = {100, 200, -1};
    SendMessageA(w.status, SB_SETPARTS, 3, (LPARAM)parts);
    w.list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 60, 300, 200, w.parent, (HMENU)104,
                             instance, nullptr);
    return w;
}

std::wstring status_text(HWND bar, int part) {
    wchar_t text[1024] = {};
    SendMessageW(bar, SB_GETTEXTW, part, (LPARAM)text);
    return text;
}

std::wstring combo_text(HWND combo, int index) {
    wchar_t text[1024] = {};
    SendMessageW(combo, CB_GETLBTEXT, index, (LPARAM)text);
    return text;
}

std::wstring menu_text(HMENU menu, int position) {
    wchar_t text[1024] = {};
    GetMenuStringW(menu, position, text, 1024, MF_BYPOSITION);
    return text;
}

}  // namespace

TEST_F(Bridge, MessageBoxShowsTheTextCodePage) {
    std::wstring text, title;
    EXPECT_EQ(message_box_shows("Caf\xE9 \x80", "Lumora \xE9", &text, &title), IDOK);
    EXPECT_EQ(text, L"Caf\u00E9 \u20AC");
    EXPECT_EQ(title, L"Lumora \u00E9");

    g_language = 1;
    bridge_init();
    message_box_shows("\xF0\xFE", "\xDE", &text, &title);
    EXPECT_EQ(text, L"\u011F\u015F") << "Turkish letters through code page 1254";
    EXPECT_EQ(title, L"\u015E");
    g_language = 0;

    // Longer than the wide buffers of 1024 and 128: cut, not overrun.
    std::string long_text(3000, 'm'), long_title(400, 't');
    message_box_shows(long_text.c_str(), long_title.c_str(), &text, &title);
    EXPECT_EQ(text, std::wstring(1023, L'm'));
    EXPECT_EQ(title, std::wstring(127, L't'));

    // Without the wide functions the bytes go to the 8-bit call as they are,
    // and the system code page (1252 here) decides what they show.
    g_text_codepage = 1254;
    bridge_reset();
    EXPECT_EQ(message_box_shows(("\xF0" + long_text).c_str(), "x", &text, &title), IDOK);
    EXPECT_EQ(text, L"\u00F0" + std::wstring(3000, L'm')) << "the 8-bit call has no buffer of ours to cut at";
}

TEST_F(Bridge, ItemStatusComboAndColumnTexts) {
    TestWindows w = make_test_windows();
    ASSERT_TRUE(w.parent && w.edit && w.combo && w.status && w.list);

    for (int turkish = 0; turkish <= 1; ++turkish) {
        g_language = turkish;
        bridge_init();
        const wchar_t* want = turkish ? L"\u011Fx\u015E" : L"\u00F0x\u00DE";  // bytes F0 'x' DE
        SCOPED_TRACE(turkish ? "1254" : "1252");

        EXPECT_TRUE(set_item_text(w.parent, 101, "\xF0x\xDE"));
        EXPECT_EQ(window_text(w.edit), want);

        set_status_text(w.status, 1, "\xF0x\xDE");
        EXPECT_EQ(status_text(w.status, 1), want);
        EXPECT_EQ(status_text(w.status, 0), L"") << "only the named part";

        EXPECT_EQ(add_combo_item(w.parent, 102, "\xF0x\xDE"), turkish);
        EXPECT_EQ(combo_text(w.combo, turkish), want);

        EXPECT_EQ(insert_list_column(w.list, turkish, "\xF0x\xDE", LVCFMT_RIGHT, 77 + turkish), turkish);
        wchar_t text[256] = {};
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = 256;
        ASSERT_TRUE(SendMessageW(w.list, LVM_GETCOLUMNW, turkish, (LPARAM)&column));
        EXPECT_STREQ(text, want);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
        EXPECT_EQ(column.cx, 77 + turkish);
    }
    g_language = 0;
    bridge_init();

    // Each cut at its own buffer: 512, 512, 256 and 128 characters.
    std::string long_text(2000, 'k');
    set_item_text(w.parent, 101, long_text.c_str());
    EXPECT_EQ(window_text(w.edit), std::wstring(511, L'k'));
    set_status_text(w.status, 2, long_text.c_str());
    EXPECT_EQ(status_text(w.status, 2), std::wstring(511, L'k'));
    int index = (int)add_combo_item(w.parent, 102, long_text.c_str());
    EXPECT_EQ(combo_text(w.combo, index), std::wstring(255, L'k'));
    index = insert_list_column(w.list, 2, long_text.c_str(), LVCFMT_LEFT, 50);
    wchar_t text[1024] = {};
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 1024;
    SendMessageW(w.list, LVM_GETCOLUMNW, index, (LPARAM)&column);
    EXPECT_EQ(std::wstring(text), std::wstring(127, L'k'));

    // The 8-bit path: the same bytes read in the system code page.
    g_language = 1;
    bridge_reset();
    set_item_text(w.parent, 101, "\xF0");
    EXPECT_EQ(window_text(w.edit), L"\u00F0");
    set_status_text(w.status, 0, "\xF0");
    EXPECT_EQ(status_text(w.status, 0), L"\u00F0");
    index = (int)add_combo_item(w.parent, 102, "\xF0");
    EXPECT_EQ(combo_text(w.combo, index), L"\u00F0");
    index = insert_list_column(w.list, 3, "\xF0", LVCFMT_LEFT, 40);
    EXPECT_EQ(index, 3);
    g_language = 0;

    // No window to write to: nothing happens.
    set_status_text(nullptr, 0, "x");
    EXPECT_EQ(insert_list_column(nullptr, 0, "x", LVCFMT_LEFT, 10), -1);

    DestroyWindow(w.parent);
}

TEST_F(Bridge, MenuItems) {
    HMENU menu = CreatePopupMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(append_menu_item(menu, MF_STRING, 40001, "&Fran\xE7" "ais\tCtrl+F"));
    EXPECT_EQ(menu_text(menu, 0), L"&Fran\u00E7ais\tCtrl+F");

    // Owner-drawn and bitmap items carry a value, not a text: it must arrive
    // unchanged, not as the address of a converted copy.
    static const char owner_value[] = "owner data";
    EXPECT_TRUE(append_menu_item(menu, MF_OWNERDRAW, 40002, owner_value));
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, nullptr);
    EXPECT_TRUE(append_menu_item(menu, MF_BITMAP, 40003, (const char*)bitmap));
    EXPECT_TRUE(append_menu_item(menu, MF_SEPARATOR, 0, nullptr));
    std::string long_text(900, 'n');
    EXPECT_TRUE(append_menu_item(menu, MF_STRING, 40004, long_text.c_str()));

    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 1, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(info.dwItemData, (ULONG_PTR)owner_value);
    EXPECT_EQ(info.wID, 40002u);

    info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 2, TRUE, &info));
    EXPECT_EQ(info.hbmpItem, bitmap);
    EXPECT_EQ(info.wID, 40003u);

    info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 3, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);

    EXPECT_EQ(menu_text(menu, 4), std::wstring(511, L'n'));
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    DestroyMenu(menu);
    DeleteObject(bitmap);
}
