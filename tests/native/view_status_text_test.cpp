#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "core/formats.h"
#include "platform/text.h"
#include "viewer/status_text_pure.h"

// Formats never share a type name, in any language. Which extension belongs
// to which row, and the last dot, are tested on the format table.
TEST(FileTypeName, EveryFormatHasItsOwnName) {
    for (int i = 0; i < kFormatCount; ++i)
        for (int j = 0; j < i; ++j)
            for (int language = 0; language < kLanguageCount; ++language) {
                const char *a = text_entry(language, kFormats[i].type_name), *b = text_entry(language, kFormats[j].type_name);
                ASSERT_TRUE(a && b && *a && *b) << kFormats[i].name << ", " << kFormats[j].name;
                EXPECT_STRNE(a, b) << kFormats[i].name << " and " << kFormats[j].name << " in language " << language;
            }
    EXPECT_EQ(file_type_text("C:\\my.png\\photo.JPG"), kTextTypeJpeg);
    EXPECT_EQ(file_type_text("photo.txt"), -1);
}

TEST(StatusName, NamePositionAndFrame) {
    const struct { const char* path; int index, count, frame, frames; const char* word; const char* want; } cases[] = {
        {"C:\\pictures\\cat.png", 0, 1, 0, 1, "page", "cat.png"},
        {"cat.png", 0, 1, 0, 1, "page", "cat.png"},  // no backslash: the whole path
        {"C:\\pictures\\cat.png", 4, 17, 0, 1, "page", "cat.png  (5/17)"},
        {"C:\\a\\spin.gif", 0, 1, 2, 12, "frame", "spin.gif  [frame 3/12]"},
        {"C:\\a\\scan.tif", 1, 3, 0, 3, "page", "scan.tif  (2/3)  [page 1/3]"},
    };
    for (auto c : cases) {
        char out[600];
        FormatStatusName(out, sizeof out, c.path, c.index, c.count, c.frame, c.frames, c.word);
        EXPECT_STREQ(out, c.want);
    }
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
    const struct { uint64_t bytes, kilobytes; } cases[] = {
        {0, 0}, {1, 1}, {1023, 1}, {1024, 1}, {1025, 2}, {0xFFFFFFFFull, 4194304}};  // no 32-bit wrap near 4 GB
    for (auto c : cases) EXPECT_EQ(KilobytesRoundedUp(c.bytes), c.kilobytes) << c.bytes;
    char out[32];
    FormatKilobytes(out, sizeof out, 1025);
    EXPECT_STREQ(out, "2 KB");
}

TEST(Title, PlainEditedAndNoFile) {
    const struct { const char* path; bool edited; const char* want; } cases[] = {
        {"C:\\pictures\\cat.png", false, "cat.png - Lumora"},
        {"C:\\pictures\\cat.png", true, "*cat.png (edited) - Lumora"},
        {"", false, "Lumora"},
        {nullptr, true, "Lumora"},
    };
    for (auto c : cases) {
        char out[600];
        FormatTitle(out, sizeof out, c.path, c.edited, tr(kTextEditedTitle), tr(kTextProduct));
        EXPECT_STREQ(out, c.want);
    }
}
