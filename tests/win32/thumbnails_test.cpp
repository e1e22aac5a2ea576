// The Thumbnails fill against the files it leaves in the cache, the items
// and the image list's pixels.
#include "browser/thumb_cache.h"
#include "browser/thumb_cache_pure.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"
#include "tests/support/reference.h"

namespace {

struct ThumbnailsTest : FolderTest {
    std::string temp = temp_folder("thumbs-temp"), cache = temp + "LumoraThumb\\";
    void SetUp() override {
        FolderTest::SetUp();
        thumb_cache_use_temp_folder(temp.c_str());
        g_settings.ThumbSize = 96;
        g_settings.ShowAllFiles = 0;
        g_settings.BrowseView = 0;
        thumbnails_use_one_thread(false);
    }
    void TearDown() override {
        thumbnails_shutdown();
        FolderTest::TearDown();
        g_browser.list = nullptr;
        g_browser.ListMode = -1;
        thumb_cache_use_temp_folder(nullptr);
        remove_tree(temp);
    }
    // Scans the folder and fills; the number of pictures decoded.
    int Fill() {
        thumbnails_take_decode_count();
        g_frame.BrowseMode = true;
        scan_folder((folder + "*").c_str());
        fill_thumbnail_view();
        return thumbnails_take_decode_count();
    }
    std::string Tmb(const std::string& path, int edge = 96) {
        char hash[16];
        wsprintfA(hash, "%08lx", (unsigned long)thumb_path_hash(path.c_str()));
        return cache + hash + "_" + std::to_string(edge) + ".tmb";
    }
    // Each picture's 96-pixel cache file whole, with the header of the picture as it is now.
    void ExpectCached(const std::vector<std::string>& files) {
        for (const std::string& f : files) {
            std::vector<unsigned char> tmb = read_whole(Tmb(f));
            ASSERT_EQ(tmb.size(), 20u + 27648u) << Tmb(f);
            WIN32_FILE_ATTRIBUTE_DATA d = {};
            GetFileAttributesExA(f.c_str(), GetFileExInfoStandard, &d);
            ThumbStamp now = {d.ftLastWriteTime.dwLowDateTime, d.ftLastWriteTime.dwHighDateTime, d.nFileSizeLow, 96};
            EXPECT_TRUE(thumb_header_fits(tmb.data(), kThumbHeaderBytes, now)) << f;
        }
    }
};

void touch(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME t;
    GetFileTime(f, nullptr, nullptr, &t);
    t.dwHighDateTime += 1;
    SetFileTime(f, nullptr, nullptr, &t);
    CloseHandle(f);
}

}  // namespace

TEST_F(ThumbnailsTest, CacheFilesAreWrittenReusedPerEdgeAndRewrittenWhenStaleOrDamaged) {
    std::vector<std::string> files = {Picture("a.bmp", 50, 20), Picture("b.bmp", 40, 40), Picture("c.bmp", 30, 60)};
    ASSERT_EQ(Fill(), 3);
    ExpectCached(files);
    EXPECT_EQ(Fill(), 0) << "the second fill comes from the cache";
    std::vector<unsigned char> a_before = read_whole(Tmb(files[0]));
    touch(files[1]);
    EXPECT_EQ(Fill(), 1) << "only the touched picture";
    ExpectCached(files);
    EXPECT_TRUE(read_whole(Tmb(files[0])) == a_before) << "a.bmp's cache file unchanged";

    g_settings.ThumbSize = 128;
    EXPECT_EQ(Fill(), 3);
    EXPECT_EQ(read_whole(Tmb(files[0], 128)).size(), 20u + 49152u);
    g_settings.ThumbSize = 96;
    EXPECT_EQ(Fill(), 0) << "back to 96: its files still serve";

    // A cut file is missing; a header that does not fit is judged natively.
    std::vector<unsigned char> cut = a_before;
    cut.resize(20 + 1000);
    write_file_wide(Tmb(files[0]), cut);
    EXPECT_EQ(Fill(), 1);
    ExpectCached(files);
    EXPECT_TRUE(read_whole(Tmb(files[0])) == a_before) << "the cut file rewritten as it was";

    write_file_wide(cache + "keep.txt", {1});
    write_file_wide(cache + "keep.tmbx", {1});
    clear_thumbnail_cache();
    for (const std::string& f : files) EXPECT_EQ(GetFileAttributesA(Tmb(f).c_str()), INVALID_FILE_ATTRIBUTES) << f;
    EXPECT_EQ(GetFileAttributesA(Tmb(files[0], 128).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA((cache + "keep.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA((cache + "keep.tmbx").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ThumbnailsTest, FiveHundredItemsInListOrderSkippingOtherFiles) {
    Image* image = make_picture(2, 2);
    for (int i = 0; i < 501; ++i) {
        char name[32];
        wsprintfA(name, "p%03d.bmp", (i * 37) % 501);
        save_image((folder + name).c_str(), image, kSaveBmp, 0);
    }
    image_free(image);
    Put("a-notes.txt", {'x'});
    for (int show_all : {0, 1}) {
        g_settings.ShowAllFiles = show_all;
        Fill();
        const int first = show_all;  // the text file sorts first and gets no item
        ASSERT_EQ(list_count(), 500 - first) << "ShowAllFiles " << show_all;
        for (int k = 0; k < list_count(); ++k) {
            ListItem item = list_item(k);
            ASSERT_EQ(item.param, k + first) << "item " << k;
            char expected[32];
            wsprintfA(expected, "p%03d.bmp", k);
            ASSERT_EQ(item.text, expected);
            ASSERT_EQ(item.image, k) << "every picture has its own image";
        }
    }
}

TEST_F(ThumbnailsTest, SmallPictureSitsCentredInTheImageListAndTheCacheFile) {
    std::string path = Picture("small.bmp", 50, 20);
    Fill();
    IMAGEINFO info = {};
    ASSERT_TRUE(ImageList_GetImageInfo(g_browser.thumbnails, list_item(0).image, &info));
    BITMAP bm;
    GetObjectA(info.hbmImage, sizeof bm, &bm);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, bm.bmWidth, -bm.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = (bm.bmWidth * 3 + 3) & ~3;
    std::vector<unsigned char> pixels((size_t)stride * bm.bmHeight);
    HDC dc = GetDC(nullptr);
    ASSERT_EQ(GetDIBits(dc, info.hbmImage, 0, bm.bmHeight, pixels.data(), &bi, DIB_RGB_COLORS), bm.bmHeight);
    ReleaseDC(nullptr, dc);
    std::vector<unsigned char> tmb = read_whole(Tmb(path));
    ASSERT_EQ(tmb.size(), 20u + 27648u);
    const uint32_t background = rgb_of(GetSysColor(COLOR_WINDOW));
    // Inside: the picture's own pixel; the first pixel outside on each side: the window colour.
    const struct { int x, y; uint32_t colour; } probes[] = {
        {23, 38, pattern_colour(0, 0)}, {72, 38, pattern_colour(49, 0)}, {23, 57, pattern_colour(0, 19)},
        {72, 57, pattern_colour(49, 19)}, {22, 40, background}, {73, 40, background},
        {30, 37, background}, {30, 58, background},
    };
    for (const auto& p : probes) {
        const unsigned char* list = &pixels[(size_t)(info.rcImage.top + p.y) * stride + (info.rcImage.left + p.x) * 3];
        const unsigned char* file = &tmb[20 + (size_t)(95 - p.y) * 288 + p.x * 3];  // rows bottom-up
        uint32_t got = list[2] << 16 | list[1] << 8 | list[0], stored = file[2] << 16 | file[1] << 8 | file[0];
        EXPECT_EQ(got, p.colour) << "image list at (" << p.x << "," << p.y << ")";
        EXPECT_EQ(stored, p.colour) << "cache file at (" << p.x << "," << p.y << ")";
    }
}

TEST_F(ThumbnailsTest, OpenPictureServesOnlyAsLoadedAndTurnedPhotosComeOutUpright) {
    // Orientation 6: the 13 x 7 photo stands 7 x 13 once turned.
    std::string photo = folder + "photo.jpg";
    ASSERT_TRUE(CopyFileA(data_path("exif-II-6.jpg").c_str(), photo.c_str(), FALSE));
    Fill();
    const std::vector<unsigned char> on_disk = read_whole(Tmb(photo));
    ASSERT_EQ(on_disk.size(), 20u + 27648u);
    const unsigned char* at = &on_disk[20 + (size_t)(95 - 41) * 288];
    EXPECT_NE(memcmp(at + 44 * 3, at + 43 * 3, 3), 0) << "a 7-wide picture starts at x 44";

    g_frame.BrowseMode = false;  // the viewer's commands, not the browser's
    ASSERT_TRUE(LoadDocument(photo.c_str()));
    DeleteFileA(Tmb(photo).c_str());
    EXPECT_EQ(Fill(), 0) << "the open, unedited picture serves";
    EXPECT_TRUE(read_whole(Tmb(photo)) == on_disk) << "the pixels of the file on disk";

    g_frame.BrowseMode = false;
    Command(IDM_IMAGE_ROTATE_CLOCKWISE);
    ASSERT_TRUE(g_viewer.edited);
    DeleteFileA(Tmb(photo).c_str());
    EXPECT_EQ(Fill(), 1) << "an edited picture is not what the file holds";
    EXPECT_TRUE(read_whole(Tmb(photo)) == on_disk) << "the pixels of the file on disk";

    ASSERT_TRUE(LoadDocument(photo.c_str()));
    g_frame.BrowseMode = false;
    Command(IDM_FILE_SAVE);  // unedited, yet written again as JPEG: other pixels on disk
    EXPECT_EQ(Fill(), 1) << "a saved picture is read back from the file";

    ASSERT_TRUE(LoadDocument(photo.c_str()));
    touch(photo);  // another program rewrote it after it was opened
    EXPECT_EQ(Fill(), 1) << "a file changed since it was opened is read again";
}

// Workers, at most four whatever the processors, and workers whose decodes
// find memory short (every picture, or only the turn of the photo), make
// what one thread makes: those decodes are made again in turn.
TEST_F(ThumbnailsTest, WorkersMakeWhatOneThreadMakes) {
    const int sizes[][2] = {{300, 200}, {17, 230}, {96, 96}, {1000, 10}, {5, 5}, {120, 97}, {64, 300}};
    std::vector<std::string> files;
    for (int i = 0; i < 7; ++i) files.push_back(Picture("w" + std::to_string(i) + ".bmp", sizes[i][0], sizes[i][1]));
    files.push_back(folder + "w7.jpg");  // orientation 6: decoded, then turned
    ASSERT_TRUE(CopyFileA(data_path("exif-II-6.jpg").c_str(), files.back().c_str(), FALSE));
    Put("w3b.bmp", {'B', 'M', 0, 0});  // no picture: an item without one
    const struct { bool one; int processors, fail_picture, workers; } fills[] = {
        {true, 0, 0, -1}, {false, 0, 0, -1}, {false, 64, 1, 4}, {false, 64, 2, 4},
    };
    std::vector<std::vector<unsigned char>> made[4];
    std::string items[4];
    for (int f = 0; f < 4; ++f) {
        clear_thumbnail_cache();
        thumbnails_use_one_thread(fills[f].one);
        thumbnails_test_workers(fills[f].processors, fills[f].fail_picture);
        EXPECT_GE(Fill(), 9) << "fill " << f;
        thumbnails_test_workers(0, 0);
        if (fills[f].workers >= 0) {
            EXPECT_EQ(thumbnails_worker_count(), fills[f].workers) << "fill " << f;
        }
        for (const std::string& file : files) made[f].push_back(read_whole(Tmb(file)));
        for (int k = 0; k < list_count(); ++k) {
            ListItem item = list_item(k);
            items[f] += item.text + "/" + std::to_string(item.image) + "/" + std::to_string(item.param) + " ";
        }
        EXPECT_EQ(items[f], items[0]) << "fill " << f;
        for (size_t i = 0; i < files.size(); ++i) {
            EXPECT_EQ(made[f][i].size(), 20u + 27648u) << files[i];
            EXPECT_TRUE(made[f][i] == made[0][i]) << files[i] << ": fill " << f << " and one thread differ";
        }
    }
    EXPECT_NE(items[0].find("w3b.bmp/-1/"), std::string::npos) << "an item without a picture: " << items[0];
    EXPECT_EQ(GetFileAttributesA(Tmb(folder + "w3b.bmp").c_str()), INVALID_FILE_ATTRIBUTES) << "nothing cached";
}

// WebP files get their thumbnails from the decoder and open in the viewer,
// an animation playing on its own delays as a GIF does.
TEST_F(ThumbnailsTest, WebpPicturesShowInTheBrowserAndPlayInTheViewer) {
    std::vector<std::string> files;
    for (const char* name : {"webp-anim.webp", "webp-lossless.webp"}) {
        files.push_back(folder + name);
        ASSERT_TRUE(CopyFileA(data_path(name).c_str(), files.back().c_str(), FALSE));
    }
    ASSERT_EQ(Fill(), 2);
    ExpectCached(files);
    ASSERT_EQ(list_count(), 2);
    EXPECT_GE(list_item(1).image, 0);
    // The 61 x 37 picture sits centred at its own size: its middle pixel is dwebp's.
    RefPicture want;
    ASSERT_TRUE(read_ppm(data_path("webp-lossless.ref.ppm"), &want));
    const std::vector<unsigned char> tmb = read_whole(Tmb(files[1]));
    ASSERT_EQ(tmb.size(), 20u + 27648u);
    const unsigned char* got = &tmb[20 + (size_t)(95 - (29 + 18)) * 288 + (17 + 30) * 3];
    const unsigned char* rgb = &want.rgb[((size_t)18 * want.width + 30) * 3];
    EXPECT_EQ(got[2] << 16 | got[1] << 8 | got[0], rgb[0] << 16 | rgb[1] << 8 | rgb[2]);

    g_frame.BrowseMode = false;
    ASSERT_TRUE(OpenFileInViewer(files[0].c_str()));
    ASSERT_EQ(g_viewer.document.count, 3);
    ASSERT_NE(g_viewer.document.delays, nullptr);
    EXPECT_EQ(g_viewer.document.delays[1], 250);
    EXPECT_TRUE(g_viewer.animating);
    SendMessageA(window, WM_TIMER, kTimerAnimation, 0);
    EXPECT_EQ(g_viewer.frame_index, 1);
    EXPECT_EQ(g_viewer.shown, g_viewer.document.frames[1]);
}
