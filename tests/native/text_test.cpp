#include "platform/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const k_language_names[LANGUAGE_COUNT] = {"English", "Turkish", "French", "German"};

// tr() in another language, leaving the global index as it was.
const char* tr_in(int language, TextId id)
{
    int saved = g_language;
    g_language = language;
    const char* text = tr(id);
    g_language = saved;
    return text;
}

// Entry of a column for content checks; a missing entry reads as "" so the
// checks report it instead of crashing (its absence fails a test of its own).
const char* raw(int language, TextId id)
{
    const char* text = text_entry(language, id);
    return text ? text : "";
}

std::string where(int language, TextId id)
{
    std::string s = "language ";
    s += (language >= 0 && language < LANGUAGE_COUNT) ? k_language_names[language] : "?";
    s += ", id " + std::to_string(id);
    return s;
}

// printf conversions of a format, in order, each as written
// ("%-08.3lu"); "%%" is counted apart since it takes no argument.
struct FormatScan {
    std::vector<std::string> conversions;
    int percent_literals;
    bool ok;  // false when a '%' does not start a valid conversion
};

FormatScan scan_format(const char* s)
{
    FormatScan scan;
    scan.percent_literals = 0;
    scan.ok = true;
    const char* p = s;
    while (*p) {
        if (*p != '%') {
            ++p;
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            ++scan.percent_literals;
            ++p;
            continue;
        }
        while (*p && std::strchr("-+ #0", *p))
            ++p;
        if (*p == '*')
            ++p;
        else
            while (*p >= '0' && *p <= '9')
                ++p;
        if (*p == '.') {
            ++p;
            if (*p == '*')
                ++p;
            else
                while (*p >= '0' && *p <= '9')
                    ++p;
        }
        if ((p[0] == 'h' && p[1] == 'h') || (p[0] == 'l' && p[1] == 'l'))
            p += 2;
        else if (*p && std::strchr("hlLzjt", *p))
            ++p;
        if (!*p || !std::strchr("diouxXeEfFgGaAcspn", *p)) {
            scan.ok = false;
            return scan;
        }
        ++p;
        scan.conversions.push_back(std::string(start, p));
    }
    return scan;
}

// Number of accelerator marks: '&' before a character other than '&'
// ("&&" shows a plain ampersand).
int count_accelerators(const char* s)
{
    int n = 0;
    for (const char* p = s; *p; ++p) {
        if (*p != '&')
            continue;
        if (p[1] == '&')
            ++p;
        else
            ++n;
    }
    return n;
}

int count_char(const char* s, char c)
{
    int n = 0;
    for (const char* p = s; *p; ++p)
        if (*p == c)
            ++n;
    return n;
}

bool has_byte(const char* list, unsigned char b)
{
    for (const char* p = list; *p; ++p)
        if (static_cast<unsigned char>(*p) == b)
            return true;
    return false;
}

// Bytes with no character assigned in each language's code page.
const char k_undefined_1252[] = "\x81\x8D\x8F\x90\x9D";
const char k_undefined_1254[] = "\x81\x8D\x8E\x8F\x90\x9D\x9E";

// Non-ASCII characters each column may use: its letters and a few marks of
// punctuation (dashes, ellipsis, quotes). Anything else points at a text
// written in the wrong encoding, such as UTF-8.
const char k_allowed_high[LANGUAGE_COUNT][64] = {
    // English: em dash
    "\x97",
    // Turkish (1254): c g i o s u with their capitals, dotted I, dotless i,
    // circumflexed a i u, dashes, ellipsis
    "\xC7\xE7\xD0\xF0\xDD\xFD\xD6\xF6\xDE\xFE\xDC\xFC\xC2\xE2\xCE\xEE\xDB\xFB"
    "\x96\x97\x85",
    // French (1252): accented vowels, c cedilla, oe, guillemets, apostrophe
    "\xC0\xC2\xC7\xC8\xC9\xCA\xCB\xCE\xCF\xD4\xD9\xDB\xDC\xE0\xE2\xE7\xE8\xE9"
    "\xEA\xEB\xEE\xEF\xF4\xF9\xFB\xFC\xFF\x8C\x9C\xAB\xBB\xA0\x92\x96\x97\x85",
    // German (1252): umlauts, sharp s, low and high quotes
    "\xC4\xD6\xDC\xE4\xF6\xFC\xDF\x84\x93\x96\x97\x85",
};

// ---------------------------------------------------------------------------

TEST(TextFormatScan, FindsConversionsInOrder)
{
    FormatScan scan = scan_format("%d of %d file(s) resized to %d%% (%s)");
    ASSERT_TRUE(scan.ok);
    EXPECT_EQ(scan.conversions, (std::vector<std::string>{"%d", "%d", "%d", "%s"}));
    EXPECT_EQ(scan.percent_literals, 1);
}

TEST(TextFormatScan, KeepsFlagsWidthPrecisionAndLength)
{
    FormatScan scan = scan_format("%-08.3lu|%*d|%.*s|%lld|%hhx|%+ #5.2e|%lu.%02luMB");
    ASSERT_TRUE(scan.ok);
    EXPECT_EQ(scan.conversions, (std::vector<std::string>{"%-08.3lu", "%*d", "%.*s", "%lld", "%hhx",
                                                    "%+ #5.2e", "%lu", "%02lu"}));
    EXPECT_EQ(scan.percent_literals, 0);
}

TEST(TextFormatScan, DistinguishesLengthModifiers)
{
    EXPECT_NE(scan_format("%lu").conversions, scan_format("%u").conversions);
    EXPECT_NE(scan_format("%d %s").conversions, scan_format("%s %d").conversions);
}

TEST(TextFormatScan, RejectsBrokenConversions)
{
    EXPECT_FALSE(scan_format("100%").ok);
    EXPECT_FALSE(scan_format("%y").ok);
    EXPECT_FALSE(scan_format("50%!").ok);
    EXPECT_FALSE(scan_format("%l").ok);
    // A stray percent before a blank and a letter is a conversion to printf;
    // it shows up as an extra placeholder.
    EXPECT_EQ(scan_format("50% off").conversions, (std::vector<std::string>{"% o"}));
    EXPECT_TRUE(scan_format("50%% off").ok);
    EXPECT_TRUE(scan_format("no placeholders").ok);
}

// ---------------------------------------------------------------------------

TEST(Text, StartsInEnglishWithWesternCodePage)
{
    EXPECT_EQ(g_language, 0);
    EXPECT_EQ(g_text_codepage, 1252);
}

TEST(Text, CodePageFollowsLanguage)
{
    EXPECT_EQ(text_codepage_for_language(0), 1252);
    EXPECT_EQ(text_codepage_for_language(1), 1254);
    EXPECT_EQ(text_codepage_for_language(2), 1252);
    EXPECT_EQ(text_codepage_for_language(3), 1252);
}

TEST(Text, IdOutOfRangeGivesEmptyText)
{
    const TextId bad[] = {-1, TEXT_COUNT, TEXT_COUNT + 1, INT_MIN, INT_MAX};
    for (int language = 0; language < LANGUAGE_COUNT; ++language)
        for (TextId id : bad) {
            const char* text = tr_in(language, id);
            ASSERT_NE(text, nullptr) << where(language, id);
            EXPECT_STREQ(text, "") << where(language, id);
        }
    EXPECT_EQ(TEXT_COUNT, 175);
}

TEST(Text, EnglishLookups)
{
    EXPECT_STREQ(tr(0), "Lumora");
    EXPECT_STREQ(tr(64), "s");
    EXPECT_STREQ(tr(65), "%d object%s selected");
    EXPECT_STREQ(tr(174), "Build");
    // The pointer handed out is the table's own constant text.
    EXPECT_EQ(tr(23), text_entry(0, 23));
}

TEST(Text, PluralSuffixPerLanguage)
{
    EXPECT_STREQ(tr_in(0, 64), "s");
    EXPECT_STREQ(tr_in(1, 64), "");
    EXPECT_STREQ(tr_in(2, 64), "s");
    EXPECT_STREQ(tr_in(3, 64), "e");
    EXPECT_EQ(g_language, 0);
}

TEST(Text, TrReadsTheColumnOfTheCurrentLanguage)
{
    for (int language = 0; language < LANGUAGE_COUNT; ++language)
        for (TextId id = 0; id < TEXT_COUNT; ++id)
        {
            const char* own = text_entry(language, id);
            EXPECT_EQ(tr_in(language, id), own ? own : text_entry(0, id)) << where(language, id);
        }
    // Spot checks that each column starts where it should.
    EXPECT_STREQ(tr_in(1, 42), "\xDDptal");
    EXPECT_STREQ(tr_in(2, 28), "Supprimer");
    EXPECT_STREQ(tr_in(3, 28), "L\xF6schen");
}

TEST(Text, UnknownLanguageFallsBackToEnglish)
{
    const int bad[] = {-1, LANGUAGE_COUNT, 99};
    for (int language : bad) {
        EXPECT_EQ(text_entry(language, 0), nullptr);
        for (TextId id = 0; id < TEXT_COUNT; ++id)
            EXPECT_EQ(tr_in(language, id), text_entry(0, id))
                << "language " << language << ", id " << id;
    }
}

TEST(Text, RawEntryOutOfRangeIsNull)
{
    EXPECT_EQ(text_entry(0, -1), nullptr);
    EXPECT_EQ(text_entry(0, TEXT_COUNT), nullptr);
    EXPECT_EQ(text_entry(LANGUAGE_COUNT - 1, TEXT_COUNT), nullptr);
    EXPECT_NE(text_entry(LANGUAGE_COUNT - 1, TEXT_COUNT - 1), nullptr);
}

TEST(Text, EveryEntryIsPresentAndNonEmpty)
{
    for (int language = 0; language < LANGUAGE_COUNT; ++language)
        for (TextId id = 0; id < TEXT_COUNT; ++id) {
            const char* text = text_entry(language, id);
            ASSERT_NE(text, nullptr) << where(language, id);
            // The Turkish plural suffix is the only text that is empty.
            if (language == 1 && id == 64)
                EXPECT_STREQ(text, "");
            else
                EXPECT_NE(text[0], '\0') << where(language, id);
        }
}

TEST(Text, EnglishMatchesTheReferenceWording)
{
    struct Expected {
        TextId id;
        const char* text;
    };
    const Expected expected[] = {
        {0, "Lumora"},
        {2, "Image Explorer - generating thumbnails..."},
        {20, "Crop: drag a rectangle, release to crop  (Esc cancels)"},
        {23, "Cannot open image:\n%s\n\n%s"},
        {27, "Move this file to the Recycle Bin?\n\n%s"},
        {34, "File: %s\nPath: %s\n\nDimensions: %d x %d pixels\nColor depth: 24-bit\n"
             "File size: %lu bytes (%lu KB)"},
        {43, "Windows Lumora.bmp"},
        {63, "Windows Lumora"},
        {67, "%d object%s (%d image%s)"},
        {70, "Contents of '%s'"},
        {90, "%d of %d file(s) resized to %d%% (saved as *_resized)."},
        {107, "Folder is not empty \x97 cannot undo."},
        {110, "Selected files are read-only formats (GIF/TIFF) \x97 cannot rotate in place."},
        {120, "Cu&t\tCtrl+X"},
        {127, "Rotate Counterclock&wise"},
        {137, "Zoom &In\t+"},
        {139, "&Actual Size\tCtrl+1"},
        {149, "*%s (edited) - %s"},
        {151, "%sNew Folder (%d)"},
        {155, "Choose the program you want to use to Edit the file '%s'."},
        {173, "Help is provided in the Windows Help (.hlp) format, which this version of "
              "Windows no longer supports."},
        {174, "Build"},
    };
    for (const Expected& e : expected)
        EXPECT_STREQ(raw(0, e.id), e.text) << "id " << e.id;
}

TEST(Text, PlaceholdersAreTheSameInEveryLanguage)
{
    for (TextId id = 0; id < TEXT_COUNT; ++id) {
        FormatScan english = scan_format(raw(0, id));
        ASSERT_TRUE(english.ok) << where(0, id);
        for (int language = 1; language < LANGUAGE_COUNT; ++language) {
            FormatScan other = scan_format(raw(language, id));
            ASSERT_TRUE(other.ok) << where(language, id);
            EXPECT_EQ(other.conversions, english.conversions) << where(language, id);
            EXPECT_EQ(other.percent_literals, english.percent_literals) << where(language, id);
        }
    }
}

TEST(Text, PlaceholdersOfKnownFormats)
{
    // Guards the English side of the comparison above against drifting.
    EXPECT_EQ(scan_format(raw(0, 34)).conversions,
              (std::vector<std::string>{"%s", "%s", "%d", "%d", "%lu", "%lu"}));
    EXPECT_EQ(scan_format(raw(0, 67)).conversions,
              (std::vector<std::string>{"%d", "%s", "%d", "%s"}));
    EXPECT_EQ(scan_format(raw(0, 91)).conversions,
              (std::vector<std::string>{"%d", "%d", "%d", "%d"}));
    EXPECT_EQ(scan_format(raw(0, 68)).conversions, (std::vector<std::string>{"%lu"}));
}

TEST(Text, NoByteOutsideTheCodePage)
{
    for (int language = 0; language < LANGUAGE_COUNT; ++language) {
        const char* undefined =
            text_codepage_for_language(language) == 1254 ? k_undefined_1254 : k_undefined_1252;
        for (TextId id = 0; id < TEXT_COUNT; ++id) {
            const char* text = raw(language, id);
            for (const char* p = text; *p; ++p) {
                unsigned char b = static_cast<unsigned char>(*p);
                EXPECT_FALSE(has_byte(undefined, b))
                    << where(language, id) << ": undefined byte " << static_cast<int>(b);
                if (b >= 0x80)
                    EXPECT_TRUE(has_byte(k_allowed_high[language], b))
                        << where(language, id) << ": unexpected byte " << static_cast<int>(b);
                else
                    EXPECT_TRUE(b >= 0x20 || b == '\n' || b == '\t')
                        << where(language, id) << ": control byte " << static_cast<int>(b);
            }
        }
    }
}

TEST(Text, AcceleratorsAndShortcutsKeptInTranslations)
{
    for (TextId id = 0; id < TEXT_COUNT; ++id) {
        const char* english = raw(0, id);
        int marks = count_accelerators(english);
        int tabs = count_char(english, '\t');
        ASSERT_LE(marks, 1) << where(0, id);
        for (int language = 1; language < LANGUAGE_COUNT; ++language) {
            const char* text = raw(language, id);
            EXPECT_EQ(count_accelerators(text), marks) << where(language, id);
            EXPECT_EQ(count_char(text, '\t'), tabs) << where(language, id);
            // The accelerator must be a key every keyboard has.
            const char* amp = std::strchr(text, '&');
            if (marks == 1 && amp) {
                char key = amp[1];
                EXPECT_TRUE((key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z') ||
                            (key >= '0' && key <= '9'))
                    << where(language, id);
            }
            // Both sides of the tab carry text: the item and its shortcut.
            const char* tab = std::strchr(text, '\t');
            if (tabs == 1 && tab) {
                EXPECT_NE(tab, text) << where(language, id);
                EXPECT_NE(tab[1], '\0') << where(language, id);
            }
        }
    }
}

TEST(Text, TranslationsAreNotLeftInEnglish)
{
    // Product and format names may stay as they are; anything more points at
    // a column that was copied instead of translated.
    for (int language = 1; language < LANGUAGE_COUNT; ++language) {
        int same = 0;
        for (TextId id = 0; id < TEXT_COUNT; ++id)
            if (std::strcmp(raw(language, id), raw(0, id)) == 0)
                ++same;
        EXPECT_LE(same, 15) << k_language_names[language];
    }
}

TEST(Text, AboutTitlesHaveNoSeparator)
{
    // The about box joins texts 0 and 63 with '#' and splits them again there.
    for (int language = 0; language < LANGUAGE_COUNT; ++language) {
        EXPECT_EQ(std::strchr(raw(language, 0), '#'), nullptr) << where(language, 0);
        EXPECT_EQ(std::strchr(raw(language, 63), '#'), nullptr) << where(language, 63);
    }
}

TEST(Text, WallpaperNameIsAValidBitmapFileName)
{
    for (int language = 0; language < LANGUAGE_COUNT; ++language) {
        const char* name = raw(language, 43);
        size_t length = std::strlen(name);
        EXPECT_LE(length, 79u) << where(language, 43);
        ASSERT_GT(length, 4u) << where(language, 43);
        EXPECT_STREQ(name + length - 4, ".bmp") << where(language, 43);
        for (const char* p = name; *p; ++p)
            EXPECT_TRUE(std::strchr("\\/:*?\"<>|", *p) == nullptr &&
                        static_cast<unsigned char>(*p) >= 0x20)
                << where(language, 43);
    }
}

TEST(Text, AboutTextNamesProductAndVersion)
{
    for (int language = 0; language < LANGUAGE_COUNT; ++language) {
        const char* about = raw(language, 36);
        EXPECT_NE(std::strstr(about, "Lumora"), nullptr) << where(language, 36);
        EXPECT_NE(std::strstr(about, "v1.0"), nullptr) << where(language, 36);
    }
}

}  // namespace
