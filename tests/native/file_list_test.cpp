#include <gtest/gtest.h>
#include <ctype.h>
#include <strings.h>

#include <string>

#include "ui/file_list_pure.h"

namespace {

void key(const char* text, std::string* out) {
    out->clear();
    for (const char* p = text; *p; ++p) out->push_back((char)tolower((unsigned char)*p));
}

struct ListFixture : ::testing::Test {
    FileList list = {};
    void Add(const char* name, uint32_t size, uint64_t time = 0) {
        ASSERT_TRUE(file_list_append(&list, "C:\\p\\", name, size, time));
    }
    std::string Names(bool data = false) {
        std::string s;
        for (int i = 0; i < list.count; ++i)
            s += std::string(list.path[i] + 5) +
                 (data ? "/" + std::to_string(list.size[i]) + "/" + std::to_string(list.modified[i]) : "") + " ";
        return s;
    }
    void TearDown() override { file_list_release(&list); }
};

}  // namespace

TEST(FileListFilter, PicturesUnlessShowAllNoFoldersHiddenOnlyWhenAskedAndShortPaths) {
    const struct { const char* name; bool directory, hidden, all, show_hidden; size_t folder; bool listed; } cases[] = {
        {"photo.JPG", false, false, false, false, 10, true},  // an extension the loader takes, in capitals
        {"notes.txt", false, false, false, false, 10, false},
        {"readme", false, false, false, false, 10, false},
        {"notes.txt", false, false, true, false, 10, true},
        {"readme", false, false, true, false, 10, true},
        {"pictures.jpg", true, false, true, false, 10, false},  // folders are never entries
        {"hidden.png", false, true, false, false, 10, false},
        {"hidden.png", false, true, false, true, 10, true},
        {"a.png", false, false, false, false, 254, true},  // folder and name stay below 260
        {"a.png", false, false, false, false, 255, false},
    };
    for (auto c : cases)
        EXPECT_EQ(file_list_accepts(c.name, c.directory, c.hidden, c.all, c.show_hidden, c.folder), c.listed)
            << c.name << (c.directory ? " folder" : "") << (c.hidden ? " hidden" : "") << " folder length "
            << c.folder;
}

TEST_F(ListFixture, SortsByEachKeyKeepingCurrentAndTheArraysTogether) {
    Add("zeta.png", 1, 300);
    Add("Alpha.jpg", 2, 200);
    Add("mid.bmp", 3, 100);
    Add("noext", 4, 400);
    list.current = 2;  // mid.bmp
    const struct { int key; bool ascending; const char* order; } cases[] = {
        {0, true, "Alpha.jpg/2/200 mid.bmp/3/100 noext/4/400 zeta.png/1/300 "},
        {1, false, "noext/4/400 mid.bmp/3/100 Alpha.jpg/2/200 zeta.png/1/300 "},
        {2, true, "noext/4/400 mid.bmp/3/100 Alpha.jpg/2/200 zeta.png/1/300 "},  // no extension first
        {3, false, "noext/4/400 zeta.png/1/300 Alpha.jpg/2/200 mid.bmp/3/100 "},
    };
    for (auto c : cases) {
        file_list_sort(&list, c.key, c.ascending, key);
        EXPECT_EQ(Names(true), c.order) << "key " << c.key;
        EXPECT_STREQ(list.path[list.current], "C:\\p\\mid.bmp") << "key " << c.key;
    }
}

TEST_F(ListFixture, EqualSizesAreOrderedByPathAndDescendingReversesTheTie) {
    Add("c.bmp", 10);
    Add("B.bmp", 5);
    Add("a.bmp", 5);
    Add("d.bmp", 1);
    file_list_sort(&list, 1, true, key);
    EXPECT_EQ(Names(), "d.bmp a.bmp B.bmp c.bmp ");
    file_list_sort(&list, 1, false, key);
    EXPECT_EQ(Names(), "c.bmp B.bmp a.bmp d.bmp ");
}

TEST(FileListType, AfterTheLastDotOfTheName) {
    const struct { const char* path; const char* type; } cases[] = {
        {"C:\\p\\a.b.JPG", "JPG"}, {"C:\\p.d\\readme", ""}, {"C:\\p\\readme", ""},
    };
    for (auto c : cases) EXPECT_STREQ(file_type_key(c.path), c.type) << c.path;
}

TEST_F(ListFixture, FindIgnoresCaseAndClearEmpties) {
    Add("One.bmp", 1);
    Add("two.bmp", 1);
    Add("notes.txt", 1);
    EXPECT_EQ(file_list_find(&list, "c:\\P\\TWO.BMP", strcasecmp), 1);
    EXPECT_EQ(file_list_find(&list, "C:\\p\\three.bmp", strcasecmp), -1);
    EXPECT_TRUE(file_list_is_image(&list, 0));
    EXPECT_FALSE(file_list_is_image(&list, 2)) << "notes.txt";
    EXPECT_FALSE(file_list_is_image(&list, 3)) << "past the end";
    file_list_clear(&list);
    EXPECT_EQ(list.count, 0);
}
