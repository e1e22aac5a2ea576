// The format table's own promises, derived from it rather than copied: rows
// can be walked in any order (no header matches two rows, no extension stands
// in two), and what the Open dialog offers opens.
#include <gtest/gtest.h>
#include <string.h>

#include <set>
#include <string>

#include "core/formats.h"

namespace {

// Whether some header matches both signatures: every byte they both test
// has a value in both ranges.
bool overlap(const Signature& a, const Signature& b) {
    if (!a.length || !b.length) return false;
    for (int i = 0; i < a.length && i < b.length; ++i)
        if (a.bytes[i].hi < b.bytes[i].lo || b.bytes[i].hi < a.bytes[i].lo) return false;
    return true;
}

}  // namespace

TEST(Formats, NoHeaderIsClaimedByTwoRows) {
    for (int r = 0; r < kFormatCount; ++r)
        for (int s = r + 1; s < kFormatCount; ++s)
            for (const Signature& a : kFormats[r].signatures)
                for (const Signature& b : kFormats[s].signatures)
                    EXPECT_FALSE(overlap(a, b)) << kFormats[r].name << " and " << kFormats[s].name;
}

// An extension in two rows, or one without its dot, finds another row or none.
TEST(Formats, EveryExtensionFindsItsOwnRowAndTheTypeNameIsATypeText) {
    for (int r = 0; r < kFormatCount; ++r) {
        const TextId type = kFormats[r].type_name;
        EXPECT_TRUE((type >= kTextTypeBitmap && type <= kTextTypePhotoCd) || type == kTextTypeWebp) << kFormats[r].name;
        for (const char* ext : kFormats[r].extensions)
            if (ext) EXPECT_EQ(format_for_extension((std::string("C:\\x") + ext).c_str()), &kFormats[r]) << ext;
    }
}

TEST(Formats, OpenDialogOffersEveryRowInOrderAndOnlyWhatOpens) {
    std::string patterns = open_dialog_patterns();
    int last_row = -1;
    std::set<int> rows;
    for (size_t start = 0; start <= patterns.size();) {
        size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        std::string one = patterns.substr(start, end - start);
        ASSERT_EQ(one.compare(0, 2, "*."), 0) << "'" << one << "' in " << patterns;
        const FormatRow* row = format_for_extension(one.c_str() + 1);
        ASSERT_NE(row, nullptr) << one;
        EXPECT_GE(row - kFormats, last_row) << one << " out of row order";
        last_row = (int)(row - kFormats);
        rows.insert(last_row);
        start = end + 1;
    }
    EXPECT_EQ((int)rows.size(), kFormatCount);
}

TEST(Formats, ExtensionIsFromTheLastDotOfTheWholePath) {
    EXPECT_STREQ(path_extension("C:\\pics\\cat.JPG"), ".JPG");
    EXPECT_STREQ(path_extension("C:\\a.b\\picture"), ".b\\picture");
    EXPECT_STREQ(path_extension("noext"), "");
    EXPECT_STREQ(path_extension("archive.tar.gz"), ".gz");
    EXPECT_EQ(format_for_extension("C:\\a.bmp\\picture"), nullptr);
    EXPECT_EQ(format_for_extension("bmp"), nullptr);
    EXPECT_EQ(format_for_extension("a."), nullptr);
    EXPECT_TRUE(extension_equal(".JpEg", ".jpeg"));
    EXPECT_FALSE(extension_equal(".jpe", ".jpeg"));
    EXPECT_FALSE(extension_equal(".jpeg", ".jpe"));
    EXPECT_FALSE(extension_equal(".[", ".{"));  // only letters fold
}
