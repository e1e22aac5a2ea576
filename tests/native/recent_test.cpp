// The recent lists in memory: order, letter case, the limit of eight, long
// paths and the menu texts.
#include <gtest/gtest.h>

#include <string>

#include "shell/recent_pure.h"

namespace {

std::string entries(const RecentList& list) {
    std::string all;
    for (int i = 0; i < list.count; ++i) all += std::string(list.entry[i]) + "|";
    return all;
}

}  // namespace

TEST(RecentList, FrontOnceNewestCaseAndEightAtMost) {
    RecentList list = {};
    EXPECT_FALSE(recent_add(&list, ""));
    EXPECT_FALSE(recent_add(&list, nullptr));
    for (const char* p : {"c:\\a.jpg", "c:\\b.jpg", "c:\\c.jpg", "c:\\d.jpg"}) recent_add(&list, p);
    EXPECT_EQ(entries(list), "c:\\d.jpg|c:\\c.jpg|c:\\b.jpg|c:\\a.jpg|");
    recent_add(&list, "C:\\A.JPG");  // entry 3 again, in the new letter case
    EXPECT_EQ(entries(list), "C:\\A.JPG|c:\\d.jpg|c:\\c.jpg|c:\\b.jpg|");
    for (const char* p : {"e", "f", "g", "h"}) recent_add(&list, p);
    EXPECT_EQ(list.count, 8);
    recent_add(&list, "i");  // the ninth drops the oldest
    EXPECT_EQ(entries(list), "i|h|g|f|e|C:\\A.JPG|c:\\d.jpg|c:\\c.jpg|");
    recent_add(&list, "c:\\C.jpg");  // the last one to the front of a full list
    EXPECT_EQ(entries(list), "c:\\C.jpg|i|h|g|f|e|C:\\A.JPG|c:\\d.jpg|");
}

TEST(RecentList, LongPathsAreCutAndMenuTextsBounded) {
    RecentList list = {};
    std::string longest = "C:\\" + std::string(250, 'x') + "\\pic.jpg";  // 262 characters
    recent_add(&list, longest.c_str());
    EXPECT_EQ(std::string(list.entry[0]), longest.substr(0, 259));
    std::string folder = "D:\\" + std::string(255, 'f') + "\\";  // 259 characters
    recent_append(&list, folder.c_str());
    recent_append(&list, "");
    EXPECT_EQ(list.count, 2) << "an empty stored value is skipped";
    char text[64];
    recent_menu_text(list, 1, true, text, sizeof text);
    EXPECT_EQ(std::string(text), ("&2 D:\\" + std::string(255, 'f')).substr(0, 63));

    const struct { const char* path; bool folders; const char* menu; const char* probe; } cases[] = {
        {"C:\\pics\\a.png", false, "&1 a.png", "C:\\pics\\a.png"},
        {"noslash.png", false, "&1 noslash.png", "noslash.png"},
        {"C:\\pics\\", true, "&1 C:\\pics", "C:\\pics"},
        {"C:\\", true, "&1 C:\\", "C:\\"},
        {"C:\\p", true, "&1 C:\\p", "C:\\p"},
    };
    for (const auto& c : cases) {
        RecentList one = {};
        recent_add(&one, c.path);
        char menu[300], probe[300];
        recent_menu_text(one, 0, c.folders, menu, sizeof menu);
        recent_folder_probe(c.path, probe, sizeof probe);
        EXPECT_STREQ(menu, c.menu);
        EXPECT_STREQ(probe, c.probe);
    }
}
