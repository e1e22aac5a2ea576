// The viewer's status bar parts and the window title on the real window.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "browser/file_list.h"
#include "tests/support/main_window_fixture.h"
#include "viewer/layout.h"
#include "viewer/view.h"

namespace {

std::string status_part(int part) {
    char text[512] = "";
    SendMessageA(g_viewer.status_bar, SB_GETTEXTA, part, (LPARAM)text);
    return text;
}

std::string title_of(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void install_frames(int count, int w, int h, bool with_delays) {
    std::vector<Image*> frames;
    for (int i = 0; i < count; ++i) frames.push_back(make_picture(w, h));
    install_frames(frames, with_delays ? std::vector<int32_t>(count, 100) : std::vector<int32_t>{});
}

void show_frame(int index) {
    g_viewer.frame_index = index;
    g_viewer.shown = g_viewer.document.frames[index];
}

// A folder of its own under the temporary folder, emptied at the end.
struct TempFolder {
    std::string path;  // ends in a backslash
    std::vector<std::string> files;
    TempFolder() {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        path = std::string(temp) + "lumora-view-status\\";
        CreateDirectoryA(path.c_str(), nullptr);
    }
    std::string write(const char* name, size_t bytes) {
        std::string file = path + name;
        HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        std::vector<char> data(bytes, 'x');
        DWORD written = 0;
        if (h != INVALID_HANDLE_VALUE) {
            if (bytes) WriteFile(h, data.data(), (DWORD)bytes, &written, nullptr);
            CloseHandle(h);
        }
        files.push_back(file);
        return file;
    }
    ~TempFolder() {
        for (const std::string& f : files) DeleteFileA(f.c_str());
        RemoveDirectoryA(path.c_str());
    }
};

struct ViewStatusTest : MainWindowTest {
    TempFolder folder;
    void TearDown() override {
        free_file_list();
        MainWindowTest::TearDown();
    }
    void SetPath(const std::string& path) {
        lstrcpynA(g_viewer.current_path, path.c_str(), sizeof g_viewer.current_path);
    }
};

}  // namespace

TEST_F(ViewStatusTest, NothingOpenShowsTheHint) {
    UpdateStatusBar();
    EXPECT_EQ(status_part(0), "Open an image (Ctrl+O)...");
    for (int part = 1; part <= 4; ++part) EXPECT_EQ(status_part(part), "") << part;
    EXPECT_EQ(title_of(window), "Lumora");
}

TEST_F(ViewStatusTest, OneFileWithItsSizeTypeDimensionsAndScale) {
    SetPath(folder.write("photo.png", 1025));
    install_frames(1, 40, 30, false);
    g_viewer.zoom.mode = 2;
    LayoutMainWindow();
    EXPECT_EQ(status_part(0), "photo.png");
    EXPECT_EQ(status_part(1), "PNG Image");
    EXPECT_EQ(status_part(2), "2 KB");
    EXPECT_EQ(status_part(3), "40 x 30");
    EXPECT_EQ(status_part(4), "100%");

    SetPath(folder.write("small.bmp", 1023));
    UpdateStatusBar();
    EXPECT_EQ(status_part(1), "Bitmap Image");
    EXPECT_EQ(status_part(2), "1 KB");
}

TEST_F(ViewStatusTest, PositionInTheFolderAndSizeFromTheList) {
    folder.write("a.png", 10);
    std::string second = folder.write("b.png", 3000);
    scan_folder(second.c_str());
    ASSERT_EQ(g_file_list.count, 2);
    ASSERT_EQ(g_file_list.current, 1);
    SetPath(second);
    install_frames(1, 40, 30, false);
    // The list's size is used while its current entry is the shown file.
    g_file_list.size[1] = 5000;
    UpdateStatusBar();
    EXPECT_EQ(status_part(0), "b.png  (2/2)");
    EXPECT_EQ(status_part(2), "5 KB");
    // A list whose current entry is another file: the file system answers.
    g_file_list.current = 0;
    UpdateStatusBar();
    EXPECT_EQ(status_part(0), "b.png  (1/2)");
    EXPECT_EQ(status_part(2), "3 KB");
}

TEST_F(ViewStatusTest, FramesOfAnAnimationAndPagesOfADocument) {
    SetPath(folder.write("spin.gif", 100));
    install_frames(12, 20, 20, true);
    show_frame(2);
    UpdateStatusBar();
    EXPECT_EQ(status_part(0), "spin.gif  [frame 3/12]");
    EXPECT_EQ(status_part(1), "GIF Image");
    CloseDocument();

    SetPath(folder.write("scan.tif", 100));
    install_frames(3, 20, 20, false);
    UpdateStatusBar();
    EXPECT_EQ(status_part(0), "scan.tif  [page 1/3]");
    EXPECT_EQ(status_part(1), "TIFF Image");
}

TEST_F(ViewStatusTest, MissingFileAndUnknownType) {
    SetPath(folder.path + "gone.xyz");
    install_frames(1, 20, 20, false);
    UpdateStatusBar();
    EXPECT_EQ(status_part(0), "gone.xyz");
    EXPECT_EQ(status_part(1), "") << "no type name for .xyz";
    EXPECT_EQ(status_part(2), "") << "no size for a missing file";
    EXPECT_EQ(status_part(3), "20 x 20");
}

TEST_F(ViewStatusTest, NothingIsWrittenInFullScreen) {
    SetPath(folder.write("photo.png", 10));
    install_frames(1, 40, 30, false);
    UpdateStatusBar();
    ASSERT_EQ(status_part(3), "40 x 30");
    CloseDocument();
    install_frames(1, 50, 60, false);
    g_viewer.fullscreen = true;
    UpdateStatusBar();
    g_viewer.fullscreen = false;
    EXPECT_EQ(status_part(3), "40 x 30");
    UpdateStatusBar();
    EXPECT_EQ(status_part(3), "50 x 60");
}

TEST_F(ViewStatusTest, TitleNamesTheFileAndItsEditedState) {
    UpdateTitle("C:\\pictures\\cat.png");
    EXPECT_EQ(title_of(window), "cat.png - Lumora");
    g_viewer.edited = true;
    UpdateTitle("C:\\pictures\\cat.png");
    EXPECT_EQ(title_of(window), "*cat.png (edited) - Lumora");
    g_viewer.edited = false;  // after Undo back to the loaded picture
    UpdateTitle("C:\\pictures\\cat.png");
    EXPECT_EQ(title_of(window), "cat.png - Lumora");
    UpdateTitle("");
    EXPECT_EQ(title_of(window), "Lumora");
    SetPath("C:\\pictures\\dog.jpg");
    UpdateTitle(g_viewer.current_path);
    EXPECT_EQ(title_of(window), "dog.jpg - Lumora");
}

TEST_F(ViewStatusTest, FileTypeNameForTheBrowser) {
    EXPECT_STREQ(FileTypeName("C:\\x\\y.PCX"), "PC Paintbrush Image");
    EXPECT_STREQ(FileTypeName("C:\\x\\y.txt"), "");
}
