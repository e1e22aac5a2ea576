// The browser's batch commands on real files: convert, resize, rotate in
// place, the listing and the slide shows of a selection and of a tree. Each
// summary message is read as shown; the pixels are read back from disk.
#include "core/file_write.h"
#include "core/load_set.h"
#include "platform/text.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"
#include "tests/support/reference.h"
#include "viewer/playback.h"

namespace {

struct BatchTest : FolderTest {
    void Browse(const std::string& where) {
        ShowFolderInBrowser(where.c_str());
        Command(IDM_VIEW_DETAILS);  // thumbnails show pictures only
    }
    std::string Copy(const std::string& data, const std::string& name) {
        EXPECT_TRUE(CopyFileA(data_path(data).c_str(), (folder + name).c_str(), FALSE)) << data;
        return folder + name;
    }
    // The command on the named items; the message it ended with ("" for none).
    std::string Run(int command, const std::vector<std::string>& names) {
        select_items(names);
        answer_next_dialog(IDOK);
        Command(command);
        stop_answering();
        pump_messages();
        return last_dialog().seen ? last_dialog().text : "";
    }
};

Image* load(const std::string& path) {
    char message[kMessageBytes];
    return load_upright_image(path.c_str(), message);
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The Resize dialog set to a percent; message boxes are left as they are.
void fifty_percent(HWND dialog) {
    if (!GetDlgItem(dialog, IDC_RESIZE_PERCENT)) return;
    SendDlgItemMessageA(dialog, IDC_RESIZE_BY_PERCENT, BM_CLICK, 0, 0);
    SetDlgItemTextA(dialog, IDC_RESIZE_PERCENT, "50");
}

std::string g_listing_path;  // what the save dialog gets typed in
std::string g_suggested;     // what it offered

void name_listing(HWND dialog) {
    HWND box = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
    if (!box) return;
    g_suggested = text_of(box);
    SetWindowTextA(box, g_listing_path.c_str());
}

}  // namespace

TEST_F(BatchTest, ConvertWritesBesideEachSourceAndNeverOverAnotherFile) {
    std::string photo = Copy("exif-II-6.jpg", "photo.jpg"), scan = Copy("stb-gif-one.gif", "scan.gif");
    std::string own = Picture("a.png", 5, 3);
    std::vector<uint8_t> stranger = {'n', 'o', 't', ' ', 'o', 'u', 'r', 's'};
    std::string other = Put("a.jpg", stranger);
    std::vector<uint8_t> own_bytes = read_whole(own);
    Browse(folder);
    EXPECT_EQ(Run(IDM_CONVERT_TO_PNG, {"photo.jpg", "scan.gif"}), "2 of 2 file(s) converted to png.");
    for (const std::string& source : {photo, scan}) {
        Image *from = load(source), *to = load(source.substr(0, source.size() - 4) + ".png");
        EXPECT_TRUE(same_picture(from, to)) << source << " as the viewer shows it";
        image_free(from);
        image_free(to);
    }
    EXPECT_EQ(Run(IDM_CONVERT_TO_JPEG, {"a.png"}), "0 of 1 file(s) converted to jpg.");
    EXPECT_EQ(read_whole(other), stranger) << "an unrelated a.jpg is left alone";
    EXPECT_EQ(Run(IDM_CONVERT_TO_PNG, {"a.png"}), "1 of 1 file(s) converted to png.");
    EXPECT_EQ(read_whole(own), own_bytes) << "the source is its own conversion";
    EXPECT_EQ(Run(IDM_CONVERT_TO_BMP, {}), "Select one or more thumbnails first.");
}

TEST_F(BatchTest, ResizeWritesResizedCopiesFromEitherMode) {
    Picture("wide.bmp", 101, 75);
    Copy("stb-gif-one.gif", "scan.gif");
    const std::string dotted = folder + "dotted.dir\\";
    CreateDirectoryA(dotted.c_str(), nullptr);
    Picture("dotted.dir\\notes", 6, 4);
    Image* gif = load(folder + "scan.gif");

    ASSERT_TRUE(OpenFileInViewer((folder + "wide.bmp").c_str()));
    answer_next_dialog(IDOK);
    Command(IDM_IMAGE_RESIZE_SELECTED);
    EXPECT_EQ(last_dialog().text, "Open a folder (Browse) and select files first.");

    Browse(folder);
    EXPECT_EQ(Run(IDM_IMAGE_RESIZE_SELECTED, {}), "Select one or more thumbnails first.");
    select_items({"wide.bmp", "scan.gif"});
    answer_dialogs({IDOK, IDOK}, fifty_percent);
    Command(IDM_IMAGE_RESIZE_SELECTED);
    EXPECT_EQ(last_dialog().text, "2 of 2 file(s) resized to 50% (saved as *_resized).");
    Image *wide = load(folder + "wide_resized.bmp"), *small = load(folder + "scan_resized.png");
    ASSERT_TRUE(wide && small && gif);
    EXPECT_EQ(std::make_pair(wide->width, wide->height), std::make_pair(51, 38)) << "halves rounded up";
    EXPECT_EQ(std::make_pair(small->width, small->height), std::make_pair((gif->width + 1) / 2, (gif->height + 1) / 2));
    image_free(wide);
    image_free(small);
    image_free(gif);

    g_settings.ShowAllFiles = 1;
    Browse(dotted);
    select_items({"notes"});
    answer_dialogs({IDOK, IDOK}, fifty_percent);
    Command(IDM_IMAGE_RESIZE_SELECTED);
    EXPECT_EQ(last_dialog().text, "0 of 1 file(s) resized to 50% (saved as *_resized).") << "no extension to cut";
    EXPECT_FALSE(exists(folder + "dotted_resized")) << "the folder's dot is no extension";
}

TEST_F(BatchTest, RotateInPlaceTurnsWhatItCanWriteAndLosesNothing) {
    RefPicture source, cw, ccw;
    ASSERT_TRUE(read_ppm(data_path("xf-67x37.ppm"), &source));
    ASSERT_TRUE(read_ppm(data_path("xf-67x37-cw.ppm"), &cw) && read_ppm(data_path("xf-67x37-ccw.ppm"), &ccw));
    Image* original = load(data_path("xf-67x37.ppm"));
    ASSERT_TRUE(original);
    for (const char* name : {"turn.bmp", "locked.bmp", "failing.bmp"}) save_image((folder + name).c_str(), original, kSaveBmp, 0);
    save_image((folder + "turn.png").c_str(), original, kSavePng, 0);
    image_free(original);
    Copy("stb-png-rgba.png", "alpha.png");
    Copy("stb-gif-one.gif", "scan.gif");
    Copy("tif-lzw-rgba-B-w1-several.tif", "pages.tif");
    SetFileAttributesA((folder + "locked.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
    std::vector<uint8_t> locked = read_whole(folder + "locked.bmp"), failing = read_whole(folder + "failing.bmp"),
                         alpha = read_whole(folder + "alpha.png");
    Browse(folder);

    EXPECT_EQ(Run(IDM_IMAGE_ROTATE_CLOCKWISE, {"turn.bmp", "scan.gif"}), "") << "the GIF is refused without a word";
    EXPECT_EQ(Run(IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, {"turn.png"}), "");
    for (auto [name, want] : {std::make_pair("turn.bmp", &cw), std::make_pair("turn.png", &ccw)}) {
        Image* turned = load(folder + name);
        ASSERT_TRUE(turned) << name;
        EXPECT_EQ(compare_with_reference(turned, *want), "") << name;
        image_free(turned);
    }
    EXPECT_EQ(Run(IDM_IMAGE_ROTATE_CLOCKWISE, {"locked.bmp", "alpha.png"}), "0 of 2 file(s) rotated.");
    file_sink_fail_after(100);
    EXPECT_EQ(Run(IDM_IMAGE_ROTATE_CLOCKWISE, {"failing.bmp"}), "0 of 1 file(s) rotated.");
    file_sink_fail_after(-1);
    EXPECT_EQ(read_whole(folder + "locked.bmp"), locked);
    EXPECT_EQ(read_whole(folder + "failing.bmp"), failing);
    EXPECT_EQ(read_whole(folder + "alpha.png"), alpha);
    EXPECT_EQ(Run(IDM_IMAGE_ROTATE_CLOCKWISE, {"scan.gif", "pages.tif"}),
              "Selected files are read-only formats (GIF/TIFF) \x97 cannot rotate in place.");
    EXPECT_EQ(Run(IDM_IMAGE_ROTATE_CLOCKWISE, {}), "Select one or more images first.");
    SetFileAttributesA((folder + "locked.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(BatchTest, TheListingHasItsExactLinesAndReportsAFailedWrite) {
    // A short folder leaves room for a 250-character name.
    const std::string long_name = std::string(246, 'n') + ".bmp";
    remove_tree(folder);
    folder = "C:\\ll\\";
    remove_tree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    BmpLayout top_down;
    top_down.width = 3;
    top_down.height = -2;
    Put("a.bmp", bmp_filled(top_down, 5));
    Picture("big.bmp", 101, 75);
    Put("broken.jpg", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'});
    Put(long_name);
    Put("tiny.gif", {'G', 'I', 'F', '8', '9', 'a', 5, 0, 4, 0, 0xF2, 0, 0});
    Put("notes.txt", {'x'});
    char separator[8] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, "'");
    Browse(folder);
    g_listing_path = folder + "list.txt";
    answer_dialogs({IDOK, IDOK}, name_listing);
    Command(IDM_VIEW_GENERATE_FILE_LISTING);
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator);
    EXPECT_EQ(g_suggested, "Folder Contents.txt");
    EXPECT_EQ(last_dialog().text, "File listing saved.");
    std::vector<unsigned char> bytes = read_whole(g_listing_path);
    const std::string want =
        "Filename                              Size  Image Properties\r\n"
        "---------------------------- -------------  ----------------------\r\n"
        "a.bmp                                   78  3x2x16M bmp           \r\n"
        "big.bmp                             22'854  101x75x16M bmp        \r\n"
        "broken.jpg                              13                        \r\n" +
        long_name + "            70  2x2x16M bmp           \r\n"
        "tiny.gif                                13  5x4x256 gif           \r\n";
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), want);

    g_settings.ShowAllFiles = 1;
    Browse(folder);
    select_items({"notes.txt", "tiny.gif"});
    file_sink_fail_after(30);
    answer_dialogs({IDOK, IDYES, IDOK}, name_listing);  // Yes: replace list.txt
    Command(IDM_VIEW_GENERATE_FILE_LISTING);
    file_sink_fail_after(-1);
    EXPECT_EQ(last_dialog().text, "Could not create the listing file.");
    EXPECT_EQ(read_whole(g_listing_path), bytes) << "the old listing stays whole";
    answer_dialogs({IDOK, IDYES, IDOK}, name_listing);
    Command(IDM_VIEW_GENERATE_FILE_LISTING);
    bytes = read_whole(g_listing_path);
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("\r\nnotes.txt                                1                        \r\ntiny.gif"),
              std::string::npos) << "selected files in list order, a non-picture without properties";
}

TEST_F(BatchTest, SlideShowsOfASelectionAndOfATreeWithALoop) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) Picture(name, 4, 3);
    Put("notes.txt", {'x'});
    const std::string sub = folder + "sub\\", deeper = sub + "deeper\\", loop = sub + "loop";
    CreateDirectoryA(sub.c_str(), nullptr);
    CreateDirectoryA(deeper.c_str(), nullptr);
    Picture("sub\\d.bmp", 4, 3);
    Picture("sub\\deeper\\e.bmp", 4, 3);
    typedef BOOLEAN(WINAPI * MakeLink)(LPCSTR, LPCSTR, DWORD);
    MakeLink make_link = (MakeLink)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA");
    ASSERT_TRUE(make_link && make_link(loop.c_str(), folder.c_str(), 1)) << "a link back up the tree";

    Browse(folder);
    select_items({"c.bmp", "a.bmp"});
    Command(IDM_VIEW_SLIDE_SHOW);
    EXPECT_FALSE(g_frame.BrowseMode);
    EXPECT_TRUE(g_viewer.slideshow);
    ASSERT_EQ(g_file_list.count, 2);
    EXPECT_TRUE(g_file_list.collected);
    EXPECT_EQ(std::string(g_viewer.current_path), folder + "a.bmp") << "list order";
    StopSlideShow();

    Browse(folder);
    Command(IDM_VIEW_SLIDE_SHOW_RECURSIVE);
    EXPECT_TRUE(g_viewer.slideshow);
    std::vector<std::string> shown(g_file_list.path, g_file_list.path + g_file_list.count);
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (std::vector<std::string>{folder + "a.bmp", folder + "b.bmp", folder + "c.bmp", sub + "d.bmp",
                                                deeper + "e.bmp"}))
        << "each picture once, the link not followed";
    StopSlideShow();
    GoToIndex(4);
    Command(IDM_VIEW_BROWSE_FOLDER);
    EXPECT_TRUE(g_frame.BrowseMode);
    EXPECT_FALSE(g_file_list.collected);
    EXPECT_EQ(std::string(g_file_list.folder), folder);
    EXPECT_EQ(g_file_list.count, 3) << "the folder itself again";

    RemoveDirectoryA(loop.c_str());
    DeleteFileA((deeper + "e.bmp").c_str());
    Browse(deeper);
    answer_next_dialog(IDOK);
    Command(IDM_VIEW_SLIDE_SHOW_RECURSIVE);
    EXPECT_EQ(last_dialog().text, "No images found in this folder or its subfolders.");
    EXPECT_TRUE(g_frame.BrowseMode);
}
