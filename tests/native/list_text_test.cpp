#include <gtest/gtest.h>

#include "browser/list_text_pure.h"
#include "platform/text.h"

TEST(ListText, SizesInWholeKilobytes) {
    const struct { uint32_t bytes; const char* want; } cases[] = {
        {0, "0 KB"},          {1, "1 KB"},          {1023, "1 KB"},          {1024, "1 KB"},
        {1535, "1 KB"},       {2047, "1 KB"},       {2048, "2 KB"},          {4294966272u, "4194303 KB"},
        {4294967295u, "4194303 KB"},
    };
    for (auto c : cases) {
        char out[32];
        format_kb(out, sizeof out, c.bytes);
        EXPECT_STREQ(out, c.want) << c.bytes << " bytes";
    }
}

TEST(ListText, TypeNames) {
    const struct { const char* path; const char* want; } cases[] = {
        {"C:\\a\\readme", "File"},
        {"C:\\a\\notes.txt", "TXT File"},
        {"C:\\x.y\\image", "File"},  // the folder's dot is not the file's
        {"C:\\a\\trailing.", "File"},
        {"C:\\a\\archive.Backup12345", "BACKUP12 File"},
        {"C:\\a\\PHOTO.JpG", "JPEG Image"},
        {"C:\\a\\scan.dcx", "Multipage PCX (DCX)"},
    };
    for (auto c : cases) {
        char out[64];
        type_name_of(out, sizeof out, c.path);
        EXPECT_STREQ(out, c.want) << c.path;
    }
    g_language = 3;  // German: the type names and the word follow the language
    char out[64];
    type_name_of(out, sizeof out, "b.png");
    EXPECT_STREQ(out, tr(kTextTypePng));
    EXPECT_STRNE(out, "PNG Image");
    type_name_of(out, sizeof out, "b.txt");
    EXPECT_EQ(std::string(out), std::string("TXT ") + tr(kTextWordFile));
    g_language = 0;
}

// The own icon lists order their pictures bmp, jpeg, png, gif, tiff, targa,
// psd, pic, pnm, pcx, dcx, iff, wmf, pcd from 1; everything else is 0.
TEST(ListText, IconTypes) {
    const struct { const char* path; int want; } cases[] = {
        {"a.RLE", 1}, {"a.jpe", 2},  {"a.targa", 6}, {"a.PICT", 8}, {"a.pbm", 9}, {"a.ilbm", 12},
        {"a.pcd", 14}, {"a.txt", 0}, {"readme", 0},  {"C:\\x.gif\\image", 0},
    };
    for (auto c : cases) EXPECT_EQ(icon_type_of(c.path), c.want) << c.path;
}
