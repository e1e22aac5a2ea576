// The viewer's status bar on the real window: which part gets what, and from
// where. The formatting rules and the title are tested natively
// (tests/native/view_status_text_test.cpp); the edit commands watch the title.
#include "ui/file_list_pure.h"
#include "platform/text.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/scratch.h"
#include "app/layout.h"
#include "viewer/view.h"

namespace {

std::string scratch_file(const char* name, size_t bytes) {
    std::string path = write_scratch(name, std::vector<unsigned char>(bytes, 'x'));
    char full[MAX_PATH] = "";
    GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return full;
}

struct ViewStatusTest : MainWindowTest {
    void SetPath(const std::string& path) {
        lstrcpynA(g_viewer.current_path, path.c_str(), sizeof g_viewer.current_path);
    }
};

}  // namespace

TEST_F(ViewStatusTest, EachPartDescribesTheShownPictureOrHintsWithoutOne) {
    UpdateStatusBar();
    EXPECT_EQ(status_part(0), tr(kTextOpenHint));
    for (int part = 1; part <= 4; ++part) EXPECT_EQ(status_part(part), "") << part;

    std::string path = scratch_file("status-b.png", 3000), folder = path.substr(0, path.rfind('\\') + 1);
    SetPath(path);
    install_frames(1, 40, 30);
    g_viewer.zoom.mode = kZoomShrinkToFit;
    LayoutMainWindow();
    EXPECT_EQ(status_part(0), "status-b.png");
    EXPECT_EQ(status_part(1), "PNG Image");
    EXPECT_EQ(status_part(2), "3 KB") << "the size from the file system";
    EXPECT_EQ(status_part(3), "40 x 30");
    EXPECT_EQ(status_part(4), "100%");
    g_language = 3;
    UpdateStatusBar();
    g_language = 0;
    EXPECT_EQ(status_part(1), "PNG-Bild") << "the type name follows the language";

    // With a folder list: the position, and the size from the list while its
    // current entry is the shown file.
    ASSERT_TRUE(file_list_append(&g_file_list, folder.c_str(), "status-a.png", 10, 0));
    ASSERT_TRUE(file_list_append(&g_file_list, folder.c_str(), "STATUS-B.PNG", 5000, 0));
    g_file_list.current = 1;
    UpdateStatusBar();
    EXPECT_EQ(status_part(0), "status-b.png  (2/2)");
    EXPECT_EQ(status_part(2), "5 KB");
    g_file_list.current = 0;  // as after Save As under a new name
    UpdateStatusBar();
    EXPECT_EQ(status_part(0), "status-b.png") << "no position of another file";
    EXPECT_EQ(status_part(2), "3 KB") << "another current entry: the file system again";

    SetPath(folder + "gone.png");
    UpdateStatusBar();
    EXPECT_EQ(status_part(2), "") << "no size for a missing file";
}

TEST_F(ViewStatusTest, FrameWordForAnAnimationPageWordOtherwise) {
    SetPath("C:\\pictures\\spin.gif");
    install_frames(12, 20, 20, 2, 100);
    UpdateStatusBar();
    std::string frame = std::string(tr(kTextWordFrame)) + " 3/12";
    EXPECT_NE(status_part(0).find(frame), std::string::npos) << status_part(0) << " lacks " << frame;
    CloseDocument();
    install_frames(3, 20, 20);
    UpdateStatusBar();
    std::string page = std::string(tr(kTextWordPage)) + " 1/3";
    EXPECT_NE(status_part(0).find(page), std::string::npos) << status_part(0) << " lacks " << page;
}
