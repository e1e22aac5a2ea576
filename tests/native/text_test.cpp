// The text table: lookups and their fallbacks, and checks every translation
// must pass against the English column (placeholders, accelerator marks, key
// names, code page), so a translator's slip fails here and not in a dialog.
#include "platform/text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* tr_in(int language, int id) {
    int saved = g_language;
    g_language = language;
    const char* text = tr((TextId)id);
    g_language = saved;
    return text;
}

const char* raw(int language, int id) {
    const char* text = text_entry(language, id);
    return text ? text : "";
}

std::string where(int language, int id) { return "language " + std::to_string(language) + ", id " + std::to_string(id); }

// The printf conversions of a format as written ("%-08.3lu"), "%%" as "%%";
// "!" marks a '%' that starts no valid conversion.
std::vector<std::string> conversions(const char* s) {
    std::vector<std::string> out;
    for (const char* p = s; *p; ++p) {
        if (*p != '%') continue;
        const char* start = p++;
        p += strspn(p, "-+ #0*.123456789");
        p += strspn(p, "hlLzjt");
        if (!*p || !strchr("%diouxXeEfFgGaAcspn", *p)) return {"!"};
        out.push_back(std::string(start, p + 1));
    }
    return out;
}

// '&' marks, "&&" being a plain ampersand.
int accelerator_marks(const char* s) {
    int n = 0;
    for (const char* p = s; *p; ++p)
        if (*p == '&') n += p[1] == '&' ? (++p, 0) : 1;
    return n;
}

// Non-ASCII bytes each column may use: its letters and a few marks of
// punctuation. Anything else points at a text in the wrong encoding (UTF-8).
const char* const kAllowedHigh[kLanguageCount] = {
    "\x97",
    "\xC7\xE7\xD0\xF0\xDD\xFD\xD6\xF6\xDE\xFE\xDC\xFC\xC2\xE2\xCE\xEE\xDB\xFB\x96\x97\x85",
    "\xC0\xC2\xC7\xC8\xC9\xCA\xCB\xCE\xCF\xD4\xD9\xDB\xDC\xE0\xE2\xE7\xE8\xE9\xEA\xEB\xEE\xEF\xF4\xF9\xFB\xFC\xFF\x8C\x9C\xAB\xBB\xA0\x92\x96\x97\x85",
    "\xC4\xD6\xDC\xE4\xF6\xFC\xDF\x84\x93\x96\x97\x85",
};

TEST(Text, LookupsFallBackToEnglishAndNeverGiveNull) {
    EXPECT_EQ(g_language, 0);
    EXPECT_EQ(g_text_codepage, 1252);
    EXPECT_EQ(text_codepage_for_language(3), 1252);
    for (int language : {-1, 0, 1, 2, 3, kLanguageCount, 99})
        for (int id : {-1, (int)kTextCount, INT_MIN, INT_MAX}) EXPECT_STREQ(tr_in(language, id), "") << where(language, id);
    for (int language : {-1, kLanguageCount, 99}) EXPECT_STREQ(tr_in(language, kTextDeleteTitle), "Delete");
    EXPECT_STREQ(tr_in(3, kTextDeleteTitle), "L\xF6schen");  // the German column starts where it should
    EXPECT_EQ(text_entry(kLanguageCount - 1, kTextCount), nullptr);
}

TEST(Text, EveryTranslationKeepsWhatTheCodeReliesOn) {
    for (int id = 0; id < kTextCount; ++id) {
        const char* english = raw(0, id);
        std::vector<std::string> want = conversions(english);
        ASSERT_TRUE(want.empty() || want[0] != "!") << where(0, id);
        ASSERT_LE(accelerator_marks(english), 1) << where(0, id);
        for (int language = 0; language < kLanguageCount; ++language) {
            const char* text = text_entry(language, id);
            ASSERT_NE(text, nullptr) << where(language, id);
            // Only the Turkish plural suffix is empty.
            if (!(language == 1 && id == kTextPluralSuffix)) EXPECT_NE(text[0], 0) << where(language, id);
            EXPECT_EQ(conversions(text), want) << where(language, id);
            EXPECT_EQ(accelerator_marks(text), accelerator_marks(english)) << where(language, id);
            const char* amp = strchr(text, '&');
            if (amp && amp[1] != '&') EXPECT_TRUE(isalnum((unsigned char)amp[1])) << where(language, id);
            // Menu texts keep their tab and the key name after it.
            const char* tab = strchr(text, '\t');
            EXPECT_EQ(tab != nullptr, strchr(english, '\t') != nullptr) << where(language, id);
            if (tab) EXPECT_TRUE(tab != text && tab[1]) << where(language, id);
            for (const char* p = text; *p; ++p) {
                unsigned char b = (unsigned char)*p;
                if (b >= 0x80)
                    EXPECT_TRUE(strchr(kAllowedHigh[language], b)) << where(language, id) << ": byte " << (int)b;
                else
                    EXPECT_TRUE(b >= 0x20 || b == '\n' || b == '\t') << where(language, id) << ": byte " << (int)b;
            }
        }
    }
}

TEST(Text, TranslationsAreNotLeftInEnglish) {
    // Product and format names may stay as they are; more points at a column
    // that was copied instead of translated.
    for (int language = 1; language < kLanguageCount; ++language) {
        int same = 0;
        for (int id = 0; id < kTextCount; ++id) same += strcmp(raw(language, id), raw(0, id)) == 0;
        EXPECT_LE(same, 15) << "language " << language;
    }
}

TEST(Text, NamesTheProgramJoinsOrWritesStayUsable) {
    for (int language = 0; language < kLanguageCount; ++language) {
        // The about box joins these two with '#' and splits them there again.
        EXPECT_FALSE(strchr(raw(language, kTextProduct), '#'));
        EXPECT_FALSE(strchr(raw(language, kTextProductLong), '#'));
        // The wallpaper is written under this name.
        const char* name = raw(language, kTextWallpaperFileName);
        size_t length = strlen(name);
        ASSERT_GT(length, 4u);
        EXPECT_LE(length, 79u);
        EXPECT_STREQ(name + length - 4, ".bmp");
        EXPECT_EQ(strcspn(name, "\\/:*?\"<>|"), length) << where(language, kTextWallpaperFileName);
    }
}

}  // namespace
