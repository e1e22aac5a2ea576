// Opening files and stepping through a real folder on disk, through the main
// window's own commands.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "browser/file_list.h"
#include "core/stb_adapter.h"
#include "res/resource.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/main_window_fixture.h"

namespace {

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

// A 4 x 3 bitmap filled with one blue value, so a test knows which is shown.
std::vector<uint8_t> bitmap(uint8_t blue) {
    BmpSpec s;
    s.width = 4;
    s.height = 3;
    std::vector<uint8_t> b = bmp_headers(s);
    for (int row = 0; row < 3; ++row)
        for (size_t i = 0; i < bmp_row_bytes(s); ++i) b.push_back(i % 3 == 0 ? blue : 0);
    return b;
}

// A 1 x 1 red GIF.
const std::vector<uint8_t> kTinyGif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
                                       ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 'D', 1, 0, ';'};

struct NavigationTest : MainWindowTest {
    std::string folder;
    void SetUp() override {
        MainWindowTest::SetUp();
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder = std::string(temp) + "lumora-nav-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        WIN32_FIND_DATAA d;
        HANDLE h = FindFirstFileA((folder + "*").c_str(), &d);
        if (h != INVALID_HANDLE_VALUE) {
            do DeleteFileA((folder + d.cFileName).c_str());
            while (FindNextFileA(h, &d));
            FindClose(h);
        }
        RemoveDirectoryA(folder.c_str());
    }
    std::string Put(const char* name, const std::vector<uint8_t>& bytes) {
        write_bytes(folder + name, bytes);
        return folder + name;
    }
    std::string Shown() {
        std::string p = g_viewer.current_path;
        return p.substr(p.find_last_of('\\') + 1);
    }
    void Command(int id) { SendMessageA(window, WM_COMMAND, id, 0); }
};

}  // namespace

TEST_F(NavigationTest, NextAndPreviousWrapAroundFiveBitmaps) {
    const char* names[] = {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"};
    for (int i = 0; i < 5; ++i) Put(names[i], bitmap((uint8_t)(10 * i)));
    ASSERT_TRUE(OpenFileInViewer((folder + "c.bmp").c_str()));
    EXPECT_EQ(g_file_list.count, 5);
    EXPECT_EQ(g_file_list.current, 2);
    EXPECT_EQ(g_viewer.shown->pixels[0], 20);
    const struct { int command; const char* shown; } steps[] = {
        {IDM_GO_NEXT, "d.bmp"}, {IDM_GO_NEXT, "e.bmp"}, {IDM_GO_NEXT, "a.bmp"}, {IDM_GO_PREVIOUS, "e.bmp"},
        {IDM_GO_FIRST, "a.bmp"}, {IDM_GO_PREVIOUS, "e.bmp"}, {IDM_GO_LAST, "e.bmp"}, {IDM_GO_FIRST, "a.bmp"},
    };
    for (auto s : steps) {
        Command(s.command);
        EXPECT_EQ(Shown(), s.shown) << "after command " << s.command;
        EXPECT_STREQ(g_file_list.path[g_file_list.current], g_viewer.current_path);
    }
    // The wheel steps too: towards the user is the next picture.
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-120), 0);
    EXPECT_EQ(Shown(), "b.bmp");
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(Shown(), "a.bmp");
}

TEST_F(NavigationTest, OnePictureOnlyNextDoesNothing) {
    std::string only = Put("only.bmp", bitmap(7));
    Put("notes.txt", {'h', 'i'});
    ASSERT_TRUE(OpenFileInViewer(only.c_str()));
    EXPECT_EQ(g_file_list.count, 1);
    Image* before = g_viewer.shown;
    Command(IDM_GO_NEXT);
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-120), 0);
    EXPECT_EQ(g_viewer.shown, before) << "not even reloaded";
}

TEST_F(NavigationTest, ShowAllFilesSkipsWhatIsNotAPicture) {
    Put("a.bmp", bitmap(1));
    Put("notes.txt", {'h', 'i'});
    Put("b.bmp", bitmap(2));
    g_settings.ShowAllFiles = 1;
    ASSERT_TRUE(OpenFileInViewer((folder + "a.bmp").c_str()));
    EXPECT_EQ(g_file_list.count, 3);
    Command(IDM_GO_NEXT);
    EXPECT_EQ(Shown(), "b.bmp");
    Command(IDM_GO_NEXT);  // skips notes.txt, wraps to a.bmp
    EXPECT_EQ(Shown(), "a.bmp");
    Command(IDM_GO_LAST);  // the last entry is notes.txt: the last picture before it is shown
    EXPECT_EQ(Shown(), "b.bmp");
}

TEST_F(NavigationTest, DamagedFileKeepsThePictureAndTheTitle) {
    std::string good = Put("good.bmp", bitmap(5));
    std::vector<uint8_t> damaged = bitmap(5);
    damaged[28] = 16;  // 16 bits per pixel: refused
    std::string bad = Put("bad.bmp", damaged);
    ASSERT_TRUE(OpenFileInViewer(good.c_str()));
    char title[256];
    GetWindowTextA(window, title, sizeof title);
    Image* shown = g_viewer.shown;

    answer_next_dialog(IDOK);
    EXPECT_FALSE(OpenFileInViewer(bad.c_str()));
    stop_answering();
    ASSERT_TRUE(last_dialog().seen);
    EXPECT_EQ(last_dialog().title, "Lumora");
    EXPECT_EQ(last_dialog().text, "Cannot open image:\n" + bad + "\n\nDesteklenmeyen BMP bit derinligi.");
    EXPECT_EQ(g_viewer.shown, shown);
    EXPECT_EQ(Shown(), "good.bmp");
    char after[256];
    GetWindowTextA(window, after, sizeof after);
    EXPECT_STREQ(after, title);

    answer_next_dialog(IDOK);
    EXPECT_FALSE(OpenFileInViewer((folder + "missing.bmp").c_str()));
    stop_answering();
    EXPECT_EQ(last_dialog().text, "Cannot open file.");
    EXPECT_EQ(g_viewer.shown, shown);
}

TEST_F(NavigationTest, FirstBytesWinOverTheExtension) {
    Image* red = image_create(2, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) image_set_pixel(red, x, y, 0, 0, 255);
    std::string png = folder + "png-inside.bmp";
    ASSERT_TRUE(save_image(png.c_str(), red, kSavePng, 0));
    image_free(red);
    std::string gif = Put("gif-inside.bmp", kTinyGif);

    ASSERT_TRUE(OpenFileInViewer(png.c_str()));
    EXPECT_EQ(g_viewer.shown->width, 2);
    EXPECT_EQ(image_row(g_viewer.shown, 0)[2], 255);
    ASSERT_TRUE(OpenFileInViewer(gif.c_str()));
    EXPECT_EQ(g_viewer.document.count, 1);
    EXPECT_NE(g_viewer.document.delays, nullptr) << "the GIF loader gave the frame";
    EXPECT_FALSE(g_viewer.animating) << "one frame does not animate";
    EXPECT_EQ(image_row(g_viewer.shown, 0)[2], 255);
}

TEST_F(NavigationTest, FolderPathGetsOneBackslash) {
    Put("x.bmp", bitmap(3));
    OpenPath(folder.c_str());  // already ends in a backslash
    EXPECT_EQ(std::string(g_file_list.folder), folder);
    EXPECT_EQ(g_file_list.count, 1);
    EXPECT_EQ(g_file_list.current, 0);
    std::string bare = folder.substr(0, folder.size() - 1);
    OpenPath(bare.c_str());
    EXPECT_EQ(std::string(g_file_list.folder), folder);
}

TEST_F(NavigationTest, NameOutsideTheAnsiCodePageOpens) {
    std::wstring wide_folder(folder.begin(), folder.end());
    std::wstring name = wide_folder + L"\x03A9\x03BC\x03AD\x03B3\x03B1.bmp";  // Greek letters
    std::vector<uint8_t> bytes = bitmap(77);
    HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(h);
    Put("plain.bmp", bitmap(1));

    scan_folder((folder + "*").c_str());
    ASSERT_EQ(g_file_list.count, 2);
    int greek = -1;
    for (int i = 0; i < 2; ++i)
        if (!strstr(g_file_list.path[i], "plain.bmp")) greek = i;
    ASSERT_GE(greek, 0);
    std::string listed = g_file_list.path[greek];
    GoToIndex(greek);
    EXPECT_EQ(std::string(g_viewer.current_path), listed);
    ASSERT_NE(g_viewer.shown, nullptr) << "opened through " << listed;
    EXPECT_EQ(g_viewer.shown->pixels[0], 77);
    DeleteFileW(name.c_str());
}
