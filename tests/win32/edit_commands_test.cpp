// The editing commands on a real main window: undo as a swap and the title
// star, the crop tool driven by the mouse, and the clipboard copy.
#include <string.h>

#include "core/stb_adapter.h"
#include "core/transform.h"
#include "platform/text.h"
#include "res/resource.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"
#include "viewer/view.h"

namespace {

struct EditCommandsTest : MainWindowTest {
    Image* original = nullptr;  // a copy of the file's picture
    void SetUp() override {
        MainWindowTest::SetUp();
        original = make_picture(40, 30, pattern_colour);
        std::string path = scratch_path("edit-source.bmp");
        ASSERT_TRUE(save_image(path.c_str(), original, kSaveBmp, 0));
        ASSERT_TRUE(LoadDocument(path.c_str()));
        pump_messages();
    }
    void TearDown() override {
        image_free(original);
        MainWindowTest::TearDown();
    }
    bool MenuChecked(int id) { return GetMenuState(GetMenu(window), id, MF_BYCOMMAND) & MF_CHECKED; }
};

}  // namespace

TEST_F(EditCommandsTest, UndoSwapsTheEditAndTheStarFollows) {
    ASSERT_FALSE(title_starred()) << window_title();
    Command(IDM_IMAGE_ROTATE_CLOCKWISE);
    ASSERT_EQ(g_viewer.shown->width, 30);
    EXPECT_TRUE(title_starred()) << window_title();
    Command(IDM_EDIT_UNDO);
    EXPECT_TRUE(same_picture(g_viewer.shown, original));
    EXPECT_FALSE(title_starred()) << "undoing the only edit gives the file's picture: " << window_title();
    Command(IDM_EDIT_UNDO);  // a swap: the rotation again
    EXPECT_EQ(g_viewer.shown->width, 30);
    EXPECT_TRUE(title_starred()) << window_title();

    // Two edits: Undo reaches the first edit only, never the file's picture.
    Command(IDM_IMAGE_ROTATE_CLOCKWISE);
    EXPECT_EQ(g_viewer.shown->width, 40);
    Command(IDM_EDIT_UNDO);
    EXPECT_EQ(g_viewer.shown->width, 30);
    EXPECT_TRUE(title_starred()) << window_title();
    EXPECT_EQ(g_viewer.loaded_frames[0], nullptr);

    // The other transforms reach the frame too, each as one more edit.
    const struct { int id; int x, y; } moved[] = {
        {IDM_IMAGE_FLIP_HORIZONTAL, 29, 0}, {IDM_IMAGE_FLIP_VERTICAL, 0, 39}};
    for (const auto& c : moved) {
        Image* before = image_crop(g_viewer.shown, 0, 0, 1, 1);
        Command(c.id);
        EXPECT_EQ(memcmp(image_row(g_viewer.shown, c.y) + 3 * c.x, before->pixels, 3), 0) << c.id;
        image_free(before);
    }
    Command(IDM_IMAGE_GRAYSCALE);
    const uint8_t* p = image_row(g_viewer.shown, 5) + 3 * 7;
    EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]);
}

TEST_F(EditCommandsTest, CropDragCutsThePictureOnceAndEndsTheTool) {
    Command(IDM_ZOOM_100);  // one screen pixel per picture pixel
    Command(IDM_IMAGE_CROP);
    ASSERT_TRUE(g_viewer.crop_mode);
    EXPECT_TRUE(MenuChecked(IDM_IMAGE_CROP));
    EXPECT_EQ(status_part(0), tr(kTextCropHint));
    POINT o = GetPictureOrigin();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(o.x + 25, o.y + 19));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(o.x + 12, o.y + 8));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(o.x + 5, o.y + 4));  // dragged up and left
    pump_messages();
    ASSERT_EQ(g_viewer.shown->width, 20);
    ASSERT_EQ(g_viewer.shown->height, 15);
    Image* want = image_crop(original, 5, 4, 20, 15);
    EXPECT_TRUE(same_picture(g_viewer.shown, want));
    image_free(want);
    EXPECT_FALSE(g_viewer.crop_mode);
    EXPECT_FALSE(MenuChecked(IDM_IMAGE_CROP));
    EXPECT_EQ(g_viewer.zoom.mode, kZoomShrinkToFit);

    // A drag of one picture pixel ends the tool and leaves the picture.
    Command(IDM_IMAGE_CROP);
    o = GetPictureOrigin();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(o.x + 2, o.y + 2));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(o.x + 3, o.y + 9));
    EXPECT_EQ(g_viewer.shown->width, 20);
    EXPECT_FALSE(g_viewer.crop_mode);

    // Escape ends the tool before a drag.
    Command(IDM_IMAGE_CROP);
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(g_viewer.crop_mode);
    EXPECT_FALSE(MenuChecked(IDM_IMAGE_CROP));

    // Escape or a file opened in the middle of a drag gives the mouse back.
    for (bool escape : {true, false}) {
        Command(IDM_IMAGE_CROP);
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(o.x + 2, o.y + 2));
        ASSERT_EQ(GetCapture(), window);
        if (escape) SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        else ASSERT_TRUE(LoadDocument(scratch_path("edit-source.bmp").c_str()));
        EXPECT_EQ(GetCapture(), nullptr) << (escape ? "Escape" : "open");
        EXPECT_FALSE(g_viewer.crop_mode || g_viewer.crop_dragging);
    }
}

TEST_F(EditCommandsTest, CopyPutsTheFrameOnTheClipboardAsADib) {
    Command(IDM_EDIT_COPY);
    ASSERT_TRUE(OpenClipboard(window));
    HANDLE block = GetClipboardData(CF_DIB);
    ASSERT_NE(block, nullptr);
    const BITMAPINFOHEADER* header = (const BITMAPINFOHEADER*)GlobalLock(block);
    ASSERT_NE(header, nullptr);
    const Image* shown = g_viewer.shown;  // the header's fields are tested natively
    EXPECT_EQ(header->biSizeImage, (DWORD)shown->stride * 30);
    EXPECT_GE(GlobalSize(block), sizeof *header + header->biSizeImage);
    EXPECT_EQ(memcmp(header + 1, shown->pixels, (size_t)shown->stride * 30), 0);
    GlobalUnlock(block);
    CloseClipboard();
}
