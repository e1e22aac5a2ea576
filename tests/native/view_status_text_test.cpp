#include <gtest/gtest.h>

#include <string>

#include "platform/text.h"
#include "viewer/status_text_pure.h"

namespace {

std::string type_name(const char* path) {
    int id = FileTypeTextId(path);
    return id < 0 ? std::string() : std::string(tr((TextId)id));
}

std::string status_name(const char* path, int index, int count, int frame, int frames, const char* word) {
    char out[600];
    FormatStatusName(out, sizeof out, path, index, count, frame, frames, word);
    return out;
}

std::string title(const char* path, bool edited) {
    char out[600];
    FormatTitle(out, sizeof out, path, edited, tr(kTextEditedTitle), tr(kTextProduct));
    return out;
}

}  // namespace

TEST(FileTypeName, EveryExtensionOfTheTable) {
    const struct { const char* extension; const char* text; } rows[] = {
        {"bmp", "Bitmap Image"}, {"dib", "Bitmap Image"},
        {"jpg", "JPEG Image"}, {"jpeg", "JPEG Image"}, {"jpe", "JPEG Image"},
        {"png", "PNG Image"}, {"gif", "GIF Image"},
        {"tif", "TIFF Image"}, {"tiff", "TIFF Image"},
        {"tga", "Targa Image"}, {"psd", "Photoshop Image"}, {"pic", "PIC Image"},
        {"pnm", "PNM Image"}, {"pbm", "PNM Image"}, {"pgm", "PNM Image"}, {"ppm", "PNM Image"},
        {"pcx", "PC Paintbrush Image"}, {"dcx", "Multipage PCX (DCX)"},
        {"iff", "Amiga IFF Image"}, {"lbm", "Amiga IFF Image"}, {"ilbm", "Amiga IFF Image"},
        {"wmf", "Windows Metafile"}, {"pcd", "Kodak Photo CD"},
    };
    for (auto r : rows) {
        std::string lower = std::string("C:\\pictures\\photo.") + r.extension;
        EXPECT_EQ(type_name(lower.c_str()), r.text) << lower;
        std::string upper = lower;
        for (char& c : upper) c = (char)toupper((unsigned char)c);
        EXPECT_EQ(type_name(upper.c_str()), r.text) << upper;
    }
}

TEST(FileTypeName, UnknownOrMissingExtensionIsEmpty) {
    EXPECT_EQ(FileTypeTextId("C:\\pictures\\notes.xyz"), -1);
    EXPECT_EQ(FileTypeTextId("C:\\pictures\\README"), -1);
    EXPECT_EQ(FileTypeTextId("C:\\my.bmp\\README"), -1) << "a dot in a folder name is no extension";
    EXPECT_EQ(FileTypeTextId("C:\\pictures\\photo.bmp.txt"), -1) << "the last dot counts";
    EXPECT_EQ(FileTypeTextId("C:\\pictures\\photo.txt.bmp"), 156);
    EXPECT_EQ(FileTypeTextId("C:\\pictures\\photo."), -1);
    EXPECT_EQ(FileTypeTextId("photo.jpeg"), 157) << "a bare name";
    EXPECT_EQ(FileTypeTextId("C:\\pictures\\photo.bm"), -1);
    EXPECT_EQ(FileTypeTextId("C:\\pictures\\photo.bmpx"), -1);
}

TEST(FileTypeName, FollowsTheLanguage) {
    g_language = 3;  // German
    std::string german = type_name("a.bmp");
    g_language = 0;
    EXPECT_FALSE(german.empty());
    EXPECT_STREQ(text_entry(3, 156), german.c_str());
}

TEST(StatusName, OneFileShowsOnlyItsName) {
    EXPECT_EQ(status_name("C:\\pictures\\cat.png", 0, 1, 0, 1, "page"), "cat.png");
    EXPECT_EQ(status_name("C:\\pictures\\cat.png", 0, 0, 0, 1, "page"), "cat.png");
    EXPECT_EQ(status_name("cat.png", 0, 1, 0, 1, "page"), "cat.png") << "no backslash: the whole path";
}

TEST(StatusName, PositionInTheFolder) {
    EXPECT_EQ(status_name("C:\\pictures\\cat.png", 4, 17, 0, 1, "page"), "cat.png  (5/17)");
}

TEST(StatusName, FramesAndPages) {
    EXPECT_EQ(status_name("C:\\a\\spin.gif", 0, 1, 2, 12, "frame"), "spin.gif  [frame 3/12]");
    EXPECT_EQ(status_name("C:\\a\\scan.tif", 1, 3, 0, 3, "page"), "scan.tif  (2/3)  [page 1/3]");
}

TEST(StatusName, LongNamesAreCutNotOverrun) {
    std::string name(300, 'n');
    char out[64];
    memset(out, 'X', sizeof out);
    FormatStatusName(out, 40, name.c_str(), 0, 5, 0, 3, "page");
    EXPECT_EQ(strlen(out), 39u);
    EXPECT_EQ(out[40], 'X') << "nothing written past the size";
}

TEST(StatusSize, KilobytesRoundUp) {
    EXPECT_EQ(KilobytesRoundedUp(0), 0u);
    EXPECT_EQ(KilobytesRoundedUp(1), 1u);
    EXPECT_EQ(KilobytesRoundedUp(1023), 1u);
    EXPECT_EQ(KilobytesRoundedUp(1024), 1u);
    EXPECT_EQ(KilobytesRoundedUp(1025), 2u);
    EXPECT_EQ(KilobytesRoundedUp(0xFFFFFFFFull), 4194304u) << "no 32-bit wrap near 4 GB";
    char out[32];
    FormatKilobytes(out, sizeof out, 1023);
    EXPECT_STREQ(out, "1 KB");
    FormatKilobytes(out, sizeof out, 1025);
    EXPECT_STREQ(out, "2 KB");
}

TEST(StatusTexts, DimensionsAndPercent) {
    char out[32];
    FormatDimensions(out, sizeof out, 640, 480);
    EXPECT_STREQ(out, "640 x 480");
    FormatPercent(out, sizeof out, 40);
    EXPECT_STREQ(out, "40%");
}

TEST(Title, PlainEditedAndNoFile) {
    EXPECT_EQ(title("C:\\pictures\\cat.png", false), "cat.png - Lumora");
    EXPECT_EQ(title("C:\\pictures\\cat.png", true), "*cat.png (edited) - Lumora");
    EXPECT_EQ(title("", false), "Lumora");
    EXPECT_EQ(title(nullptr, true), "Lumora");
    EXPECT_EQ(title("cat.png", false), "cat.png - Lumora");
}
