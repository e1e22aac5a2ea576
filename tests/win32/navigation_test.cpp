// Opening files and folders and stepping through a real folder on disk,
// through the main window's own commands.
#include <string.h>

#include "core/decode_message.h"
#include "core/loader.h"
#include "platform/text.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"
#include "tests/support/reference.h"

namespace {

// A 2 x 2 bitmap of one gray value, so a test knows which is shown.
std::vector<uint8_t> bitmap(uint8_t value) { return bmp_filled(BmpLayout(), value); }

struct NavigationTest : FolderTest {
    std::string Shown() {
        std::string p = g_viewer.current_path;
        return p.substr(p.find_last_of('\\') + 1);
    }
};

}  // namespace

TEST_F(NavigationTest, StepsWrapAroundAndFirstAndLastJump) {
    const wchar_t* names[] = {L"a.bmp", L"b.bmp", L"c.bmp", L"d.bmp", L"e.bmp"};
    for (int i = 0; i < 5; ++i) Put(names[i], bitmap((uint8_t)(10 * i)));
    ASSERT_TRUE(OpenFileInViewer((folder + "c.bmp").c_str()));
    EXPECT_EQ(g_file_list.count, 5);
    EXPECT_EQ(g_file_list.current, 2);
    EXPECT_EQ(g_viewer.shown->pixels[0], 20);
    const struct { int command; const char* shown; } steps[] = {
        {IDM_GO_NEXT, "d.bmp"},  {IDM_GO_NEXT, "e.bmp"},     {IDM_GO_NEXT, "a.bmp"},
        {IDM_GO_PREVIOUS, "e.bmp"}, {IDM_GO_FIRST, "a.bmp"}, {IDM_GO_LAST, "e.bmp"},
    };
    for (auto s : steps) {
        Command(s.command);
        EXPECT_EQ(Shown(), s.shown) << "after command " << s.command;
        EXPECT_STREQ(g_file_list.path[g_file_list.current], g_viewer.current_path);
    }
    // The wheel steps too: towards the user is the next picture.
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-120), 0);
    EXPECT_EQ(Shown(), "a.bmp");
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(Shown(), "e.bmp");
}

TEST_F(NavigationTest, ShowAllFilesListsEverythingAndStepsOnlyOntoPictures) {
    std::string a = Put(L"a.bmp", bitmap(1));
    Put(L"notes.txt", {'h', 'i'});
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    EXPECT_EQ(g_file_list.count, 1) << "only pictures without ShowAllFiles";
    Image* before = g_viewer.shown;
    Command(IDM_GO_NEXT);
    EXPECT_EQ(g_viewer.shown, before) << "one picture: Next does not even reload it";

    Put(L"b.bmp", bitmap(2));
    g_settings.ShowAllFiles = 1;
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    EXPECT_EQ(g_file_list.count, 3);
    Command(IDM_GO_NEXT);
    EXPECT_EQ(Shown(), "b.bmp");
    Command(IDM_GO_NEXT);
    EXPECT_EQ(Shown(), "a.bmp") << "notes.txt is stepped over";
    Command(IDM_GO_LAST);
    EXPECT_EQ(Shown(), "b.bmp") << "the last picture before notes.txt";
}

TEST_F(NavigationTest, FailedOpenKeepsThePositionThePictureAndTheTitle) {
    std::string good = Put(L"a.bmp", bitmap(5));
    std::vector<uint8_t> damaged = bitmap(5);
    damaged[28] = 2;  // 2 bits per pixel: refused
    std::string bad = Put(L"b.bmp", damaged);
    ASSERT_TRUE(OpenFileInViewer(good.c_str()));
    std::string title = window_title();
    Image* shown = g_viewer.shown;
    char reason[kMessageBytes] = "";
    ASSERT_EQ(load_image(bad.c_str(), reason), nullptr);
    char message[1024];
    snprintf(message, sizeof message, tr(kTextCannotOpenImage), bad.c_str(), reason);

    answer_next_dialog(IDOK);
    Command(IDM_GO_NEXT);
    ASSERT_TRUE(last_dialog().seen);
    EXPECT_EQ(last_dialog().text, message);
    EXPECT_EQ(g_file_list.current, 0) << "the next Next tries the same file again";
    EXPECT_EQ(g_viewer.shown, shown);
    EXPECT_EQ(window_title(), title);

    answer_next_dialog(IDOK);
    EXPECT_FALSE(OpenFileInViewer((folder + "missing.bmp").c_str()));
    EXPECT_EQ(last_dialog().text, tr(kTextCannotOpenFile));
    EXPECT_EQ(g_viewer.shown, shown);
}

// The first bytes choose the loader: a GIF named .bmp opens as a GIF, and its
// one frame keeps its delay but does not animate.
TEST_F(NavigationTest, FirstBytesWinOverTheExtension) {
    std::string gif = Put(L"gif-inside.bmp", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0,
                                             0, ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 'D', 1, 0, ';'});
    ASSERT_TRUE(OpenFileInViewer(gif.c_str()));
    EXPECT_EQ(g_viewer.document.count, 1);
    EXPECT_NE(g_viewer.document.delays, nullptr) << "the GIF loader gave the frame";
    EXPECT_FALSE(g_viewer.animating);
}

// Multi-page TIFF and DCX files open as pages, without delays, and Ctrl+PgDn's
// command steps through them.
TEST_F(NavigationTest, MultiPageFilesStepThroughTheirPages) {
    for (const char* name : {"tif-pages.tif", "pcx-pages.dcx"}) {
        SCOPED_TRACE(name);
        std::vector<unsigned char> pages = read_whole(data_path(name));
        ASSERT_FALSE(pages.empty());
        std::wstring wide(name, name + strlen(name));
        ASSERT_TRUE(OpenFileInViewer(Put(L"scan" + wide.substr(wide.find(L'.')), pages).c_str()));
        ASSERT_EQ(g_viewer.document.count, 3);
        EXPECT_EQ(g_viewer.document.delays, nullptr);
        for (int page : {1, 2, 0}) {
            Command(IDM_GO_NEXT_PAGE);
            EXPECT_EQ(g_viewer.frame_index, page);
            EXPECT_EQ(g_viewer.shown, g_viewer.document.frames[page]);
        }
    }
}

TEST_F(NavigationTest, OpenPathTakesFoldersAndRelativePaths) {
    Put(L"x.bmp", bitmap(3));
    OpenPath(folder.c_str());  // already ends in a backslash
    EXPECT_EQ(std::string(g_file_list.folder), folder) << "no second backslash";
    EXPECT_EQ(g_file_list.count, 1);
    OpenPath(folder.substr(0, folder.size() - 1).c_str());
    EXPECT_EQ(std::string(g_file_list.folder), folder);

    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    OpenPath("x.bmp");
    EXPECT_EQ(std::string(g_viewer.current_path), folder + "x.bmp") << "taken from the current folder";
}

// The folder scan lists a name the ANSI code page cannot hold by a name that
// opens.
TEST_F(NavigationTest, NameOutsideTheAnsiCodePageOpens) {
    Put(L"\x03A9\x03BC\x03AD\x03B3\x03B1.bmp", bitmap(77));  // Greek letters
    scan_folder(folder.c_str());
    ASSERT_EQ(g_file_list.count, 1);
    GoToIndex(0);
    ASSERT_NE(g_viewer.shown, nullptr) << "opened through " << g_file_list.path[0];
    EXPECT_EQ(g_viewer.shown->pixels[0], 77);
}
