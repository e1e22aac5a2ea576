// The setup switches, the extension lists of the association table and the
// Options sheet's OK rules.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "shell/associations_pure.h"
#include "shell/options_pure.h"

TEST(SetupSwitches, OnlyWholeArgumentsOutsideQuotes) {
    const struct { const char* line; SetupSwitch expected; } cases[] = {
        {"/UNASSOC", kSwitchUnassoc},
        {"lumora.exe /FileAssoc", kSwitchFileAssoc},
        {"\"C:\\a b\\x.png\"  /fileassoc", kSwitchFileAssoc},  // after other arguments
        {"/unassoc /fileassoc", kSwitchFileAssoc},
        {"\t/unassoc\t", kSwitchUnassoc},
        {"C:/x/unassoc.png", kNoSwitch},
        {"\"C:/x/unassoc.png\"", kNoSwitch},
        {"\"/unassoc\"", kNoSwitch},
        {"\"C:\\a /unassoc b.png\"", kNoSwitch},  // inside quotes, with blanks around it
        {"/unassocx", kNoSwitch},
        {"x/fileassoc", kNoSwitch},
        {"", kNoSwitch},
    };
    for (const auto& c : cases) EXPECT_EQ(FindSetupSwitch(c.line), c.expected) << c.line;
    std::string far(300, 'x');
    far += " /unassoc";  // beyond the 259 characters looked at
    EXPECT_EQ(FindSetupSwitch(far.c_str()), kNoSwitch);
}

TEST(AssociationRows, ExtensionListsWalkInOrderAndCutLongOnes) {
    std::string walked;
    char extension[64];
    for (const char* next = ".jpg;.jpeg;.jpe"; (next = next_extension(next, extension, sizeof extension));)
        walked += std::string(extension) + "|";
    EXPECT_EQ(walked, ".jpg|.jpeg|.jpe|");
    char first[4];
    EXPECT_NE(next_extension(".tiff;.tif", first, sizeof first), nullptr);
    EXPECT_STREQ(first, ".ti");
    EXPECT_EQ(next_extension("", extension, sizeof extension), nullptr);
    // Every row's list fits the buffers the registry code walks them with.
    for (const AssociationRow& row : kAssociationRows) {
        EXPECT_LE(strlen(row.extensions), 63u) << row.prog_id;
        for (const char* next = row.extensions; (next = next_extension(next, extension, sizeof extension));)
            EXPECT_EQ(extension[0], '.') << row.prog_id;
    }
}

TEST(OptionsRules, FitListAndNumberFields) {
    for (int fit : {0, 1, 2}) EXPECT_EQ(options_fit_from_item(options_fit_item(fit)), fit);
    EXPECT_EQ(options_fit_item(0), 2) << "actual size is the last item";
    EXPECT_EQ(options_fit_item(7), 2);
    EXPECT_EQ(options_fit_from_item(-1), 0) << "no selection";

    const struct { const char* text; int32_t quality; int32_t ms; } cases[] = {
        {"90", 90, 90000},    {"0", 1, 1000},       {"250", 100, 250000}, {"601", 100, 600000},
        {"600", 100, 600000}, {" 7 ", 7, 7000},     {"abc", 55, 1000},    {"", 55, 1000},
        {"12a", 55, 1000},    {"-3", 55, 1000},     {"99999999999", 100, 600000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(options_jpeg_quality(c.text, 55), c.quality) << "quality \"" << c.text << "\"";
        EXPECT_EQ(options_slide_ms(c.text), c.ms) << "delay \"" << c.text << "\"";
    }
}
