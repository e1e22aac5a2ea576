#include <gtest/gtest.h>
#include <ctype.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/loader.h"
#include "platform/text.h"
#include "viewer/status_text_pure.h"

namespace {

struct TypedExtension {
    std::string extension;
    DecoderKind decoder;
    int text_id;
};

}  // namespace

// The type names follow the loader: of every extension of one to four
// letters, exactly those it accepts have a type name, in either case, and
// formats of different decoders never share a name, in any language.
TEST(FileTypeName, EveryExtensionTheLoaderAcceptsHasAName) {
    std::vector<TypedExtension> typed;
    int wrong = 0;
    for (int length = 1, count = 26; length <= 4; ++length, count *= 26) {
        for (int n = 0; n < count; ++n) {
            char name[16] = "photo.";
            for (int i = 0, v = n; i < length; ++i, v /= 26) name[6 + i] = (char)('a' + v % 26);
            DecoderKind decoder = decoder_for_extension(name);
            int id = FileTypeTextId(name);
            if (decoder != kDecoderNone && id >= 0) typed.push_back({name + 6, decoder, id});
            for (char* p = name; *p; ++p) *p = (char)toupper((unsigned char)*p);
            if (((decoder != kDecoderNone) != (id >= 0) || FileTypeTextId(name) != id) && wrong++ < 5)
                ADD_FAILURE() << name << ": decoder " << decoder << ", type name " << id << ", in capitals "
                              << FileTypeTextId(name);
        }
    }
    ASSERT_GT(typed.size(), 1u);
    for (int language = 0; language < kLanguageCount; ++language)
        for (const TypedExtension& a : typed)
            for (const TypedExtension& b : typed) {
                const char *name_a = text_entry(language, a.text_id), *name_b = text_entry(language, b.text_id);
                bool same_name = strcmp(name_a, name_b) == 0;
                EXPECT_STRNE(name_a, "") << a.extension << " in language " << language;
                EXPECT_EQ(same_name, a.text_id == b.text_id) << a.extension << ", " << b.extension << ": " << name_a;
                if (same_name) EXPECT_EQ(a.decoder, b.decoder) << a.extension << ", " << b.extension << ": " << name_a;
            }
}

TEST(FileTypeName, OnlyTheLastDotOfTheNameCounts) {
    const int bmp = FileTypeTextId("a.bmp"), jpeg = FileTypeTextId("a.jpeg");
    const struct { const char* path; int id; } cases[] = {
        {"C:\\pictures\\README", -1},
        {"C:\\my.bmp\\README", -1},  // a dot in a folder name is no extension
        {"C:\\pictures\\photo.bmp.txt", -1},
        {"C:\\pictures\\photo.txt.bmp", bmp},
        {"C:\\pictures\\photo.", -1},
        {"photo.jpeg", jpeg},  // a bare name
    };
    for (auto c : cases) EXPECT_EQ(FileTypeTextId(c.path), c.id) << c.path;
}

TEST(StatusName, NamePositionAndFrame) {
    const struct { const char* path; int index, count, frame, frames; const char* word; const char* want; } cases[] = {
        {"C:\\pictures\\cat.png", 0, 1, 0, 1, "page", "cat.png"},
        {"C:\\pictures\\cat.png", 0, 0, 0, 1, "page", "cat.png"},
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
