// The shell services of the main window: the picture as wallpaper, the
// Properties box, the About box and Help Topics.
#include <stdio.h>
#include <string.h>

#include "core/loader.h"
#include "platform/text.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"

namespace {

std::string read_string(HKEY root, const char* key_name, const char* value) {
    HKEY key;
    if (RegOpenKeyExA(root, key_name, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "<no key>";
    char text[512] = "";
    DWORD size = sizeof text - 1, type = 0;
    LONG result = RegQueryValueExA(key, value, nullptr, &type, (BYTE*)text, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return "<none>";
    return type == REG_SZ ? text : "<not a string>";
}

std::string in_folder(const char* folder, DWORD length) {
    std::string path(folder, length);
    if (path.back() != '\\') path += '\\';
    return path + "Windows Lumora.bmp";
}

std::string windows_wallpaper() {
    char folder[MAX_PATH];
    return in_folder(folder, GetWindowsDirectoryA(folder, sizeof folder));
}

std::string temporary_wallpaper() {
    char folder[MAX_PATH];
    return in_folder(folder, GetTempPathA(sizeof folder, folder));
}

// The pixels of a written file equal those of the picture.
void expect_same_picture(const std::string& path, const Image* want, const char* what) {
    char message[128] = "";
    Image* got = load_image(path.c_str(), message);
    ASSERT_NE(got, nullptr) << what << ": " << path << " " << message;
    EXPECT_EQ(got->width, want->width) << what;
    EXPECT_EQ(got->height, want->height) << what;
    if (got->width == want->width && got->height == want->height) {
        EXPECT_EQ(memcmp(got->pixels, want->pixels, (size_t)want->stride * want->height), 0) << what;
    }
    image_free(got);
}

// The desktop values the command writes, kept and put back. The key itself
// stays: the system holds it open and would write into a key taken away.
struct WallpaperTest : FolderTest {
    const char* kNames[3] = {"TileWallpaper", "WallpaperStyle", "Wallpaper"};
    std::string kept[3];
    void SetUp() override {
        FolderTest::SetUp();
        for (int i = 0; i < 3; ++i) kept[i] = read_string(HKEY_CURRENT_USER, "Control Panel\\Desktop", kNames[i]);
    }
    void TearDown() override {
        FolderTest::TearDown();
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            for (int i = 0; i < 3; ++i) {
                if (kept[i] == "<none>") RegDeleteValueA(key, kNames[i]);
                else RegSetValueExA(key, kNames[i], 0, REG_SZ, (const BYTE*)kept[i].c_str(), (DWORD)kept[i].size() + 1);
            }
            RegCloseKey(key);
        }
        for (const std::string& path : {windows_wallpaper(), temporary_wallpaper()}) {
            DeleteFileA(path.c_str());
            RemoveDirectoryA(path.c_str());
        }
    }
};

}  // namespace

TEST_F(WallpaperTest, EachStyleSetsTheDesktopValuesAndWritesTheShownPicture) {
    install_frames({make_picture(37, 21, pattern_colour)});
    const struct { int command; const char *tile, *style; } cases[] = {
        {IDM_WALLPAPER_TILED, "1", "0"},
        {IDM_WALLPAPER_STRETCHED, "0", "2"},
        {IDM_WALLPAPER_CENTERED, "0", "0"},
    };
    for (const auto& c : cases) {
        DeleteFileA(windows_wallpaper().c_str());
        answer_next_dialog(IDOK);  // a failure's message, which must not come
        Command(c.command);
        stop_answering();
        EXPECT_FALSE(last_dialog().seen) << c.command << ": " << last_dialog().text;
        EXPECT_EQ(read_string(HKEY_CURRENT_USER, "Control Panel\\Desktop", "TileWallpaper"), c.tile) << c.command;
        EXPECT_EQ(read_string(HKEY_CURRENT_USER, "Control Panel\\Desktop", "WallpaperStyle"), c.style) << c.command;
        EXPECT_EQ(read_string(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper"), windows_wallpaper())
            << c.command << ": the system was not told";
        expect_same_picture(windows_wallpaper(), g_viewer.shown, "Windows folder");
    }
}

// A Windows folder that takes no file puts the bitmap into the temporary
// folder; when neither takes it the failure is said.
TEST_F(WallpaperTest, FallsBackToTheTemporaryFolderAndSaysWhenNeitherTakesIt) {
    install_frames({make_picture(5, 3, pattern_colour)});
    ASSERT_TRUE(CreateDirectoryA(windows_wallpaper().c_str(), nullptr)) << "a folder in the file's place";
    Command(IDM_WALLPAPER_CENTERED);
    expect_same_picture(temporary_wallpaper(), g_viewer.shown, "temporary folder");
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper"), temporary_wallpaper());

    DeleteFileA(temporary_wallpaper().c_str());
    ASSERT_TRUE(CreateDirectoryA(temporary_wallpaper().c_str(), nullptr));
    RegDeleteValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop\\TileWallpaper");
    answer_next_dialog(IDOK);
    Command(IDM_WALLPAPER_TILED);
    stop_answering();
    EXPECT_EQ(last_dialog().text, tr(kTextCouldNotSetWallpaper));
    EXPECT_EQ(last_dialog().title, tr(kTextProduct));
}

// The file written but refused by the system: said, not passed over. (Wine
// refuses once the desktop key it holds open has been taken away.)
TEST_F(WallpaperTest, SaysWhenTheSystemRefusesTheFile) {
    install_frames({make_picture(5, 3, pattern_colour)});
    RegistrySnapshot desktop{HKEY_CURRENT_USER, L"Control Panel\\Desktop"};
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    answer_next_dialog(IDOK);
    Command(IDM_WALLPAPER_STRETCHED);
    stop_answering();
    expect_same_picture(windows_wallpaper(), g_viewer.shown, "Windows folder");
    EXPECT_EQ(last_dialog().text, tr(kTextCouldNotSetWallpaper));
}

// A photo tagged by exiftool: every line exact, the camera and date among them
// (the file's modification date comes before the original's).
TEST_F(FolderTest, PropertiesTellTheFileThePictureAndTheCamera) {
    const struct { const char* file; const char* tail; } cases[] = {
        {"exif-II-texts.jpg", "\nCamera: Harbour Optics HX-200\nDate taken: 2019:03:04 05:06:07"},
        {"exif-model-only.jpg", "\nCamera: HX-200"},
        {"exif-plain.jpg", ""},
    };
    for (const auto& c : cases) {
        std::string path = std::string(LUMORA_TEST_DATA) + "/" + c.file;
        for (char& ch : path)
            if (ch == '/') ch = '\\';
        ASSERT_TRUE(OpenFileInViewer(path.c_str())) << path;
        WIN32_FILE_ATTRIBUTE_DATA data;
        ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
        unsigned long bytes = data.nFileSizeLow;
        char head[1024];
        snprintf(head, sizeof head,
                 "File: %s\nPath: %s\n\nDimensions: 13 x 7 pixels\nColor depth: 24-bit\nFile size: %lu bytes (%lu KB)",
                 c.file, path.c_str(), bytes, (bytes + 1023) / 1024);
        answer_next_dialog(IDOK);
        Command(IDM_FILE_PROPERTIES);
        stop_answering();
        EXPECT_EQ(last_dialog().title, "Properties") << c.file;
        EXPECT_EQ(last_dialog().text, std::string(head) + c.tail) << c.file;
    }
}

TEST_F(MainWindowTest, AboutShowsTheProductAndHelpTopicsSaysWhatItCan) {
    answer_next_dialog(IDOK);
    Command(IDM_HELP_ABOUT);
    stop_answering();
    ASSERT_TRUE(last_dialog().seen) << "no About box";
    // The shell titles the box with the part before "#" (Wine shows the whole).
    EXPECT_EQ(last_dialog().title.rfind("About Lumora", 0), 0u) << last_dialog().title;
    EXPECT_NE(last_dialog().text.find(tr(kTextAboutCredits)), std::string::npos) << last_dialog().text;

    DWORD version = GetVersion();
    if ((version & 0x80000000u) || (version & 0xFF) < 6) GTEST_SKIP() << "a system with the help engine";
    answer_next_dialog(IDOK);
    Command(IDM_HELP_TOPICS);
    stop_answering();
    EXPECT_EQ(last_dialog().text, tr(kTextHelpUnsupported));
}
