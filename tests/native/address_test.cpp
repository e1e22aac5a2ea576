// The address bar's texts and the tree's walk down a folder path.
#include <gtest/gtest.h>

#include <string>

#include "browser/address_pure.h"

TEST(AddressBar, TextsAndTrimming) {
    const struct { const char* in; const char* shown; const char* trimmed; } cases[] = {
        {"C:\\pics\\", "C:\\pics", "C:\\pics"},
        {"C:\\", "C:\\", "C:\\"},
        {"C:\\pics \\ \\", "C:\\pics \\ ", "C:\\pics"},
        {"C:\\  ", "C:\\  ", "C:\\"},
        {"D:", "D:", "D:"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        char shown[300], trimmed[300];
        address_text(c.in, shown, sizeof shown);
        snprintf(trimmed, sizeof trimmed, "%s", c.in);
        trim_typed_address(trimmed);
        EXPECT_STREQ(shown, c.shown) << c.in;
        EXPECT_STREQ(trimmed, c.trimmed) << c.in;
    }
    std::string walked;
    for (int n = 0; size_t length = folder_prefix_length("C:\\a b\\c\\", n); ++n)
        walked += std::string("C:\\a b\\c\\", length) + "|";
    EXPECT_EQ(walked, "C:\\|C:\\a b\\|C:\\a b\\c\\|");
}
