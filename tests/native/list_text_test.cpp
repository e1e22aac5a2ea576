#include <gtest/gtest.h>

#include <string>

#include "browser/list_text_pure.h"
#include "platform/text.h"

TEST(ListText, SizesInWholeKilobytes) {
    const struct { uint32_t bytes; const char* want; } cases[] = {
        {0, "0 KB"},    {1, "1 KB"},    {1023, "1 KB"},          {1535, "1 KB"},
        {2048, "2 KB"}, {4294966271u, "4194302 KB"}, {4294967295u, "4194303 KB"},
    };
    char out[32];
    for (auto c : cases) {
        format_kb(out, sizeof out, c.bytes);
        EXPECT_STREQ(out, c.want) << c.bytes << " bytes";
    }
}

TEST(ListText, TypeNamesAndIcons) {
    const struct { const char* path; const char* type; int icon; } cases[] = {
        {"C:\\a\\readme", "File", 0},           {"C:\\a\\notes.txt", "TXT File", 0},
        {"C:\\x.y\\image", "File", 0},          {"C:\\a\\trailing.", "File", 0},
        {"C:\\a\\b.Backup12345", "BACKUP12 File", 0}, {"C:\\a\\PHOTO.JpG", "JPEG Image", 2},
        {"a.RLE", "RLE File", 1},               {"a.targa", "TARGA File", 6},
        {"a.PICT", "PICT File", 8},             {"a.ilbm", "Amiga IFF Image", 12},
        {"a.pcd", "Kodak Photo CD", 14},        {"C:\\x.gif\\image", "File", 0},
        {"a.WEBP", "WebP Image", 15},
    };
    char out[64];
    for (auto c : cases) {
        type_name_of(out, sizeof out, c.path);
        EXPECT_STREQ(out, c.type) << c.path;
        EXPECT_EQ(icon_type_of(c.path), c.icon) << c.path;
    }
    g_language = 3;  // the names and the word follow the language
    type_name_of(out, sizeof out, "b.png");
    EXPECT_STREQ(out, "PNG-Bild");
    type_name_of(out, sizeof out, "b.txt");
    EXPECT_STREQ(out, "TXT Datei");
    g_language = 0;
}
