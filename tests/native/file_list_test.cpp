#include <gtest/gtest.h>
#include <ctype.h>
#include <strings.h>

#include <string>

#include "browser/file_list_pure.h"

namespace {

int compare(const char* a, const char* b) { return strcasecmp(a, b); }

void key(const char* text, std::string* out) {
    out->clear();
    for (const char* p = text; *p; ++p) out->push_back((char)tolower((unsigned char)*p));
}

struct ListFixture : ::testing::Test {
    FileList list = {};
    void Add(const char* name, uint32_t size, uint64_t time = 0) {
        ASSERT_TRUE(file_list_append(&list, "C:\\p\\", name, size, time));
        list.totalSize += size;
    }
    std::string Names() {
        std::string s;
        for (int i = 0; i < list.count; ++i) s += std::string(list.path[i] + 5) + " ";
        return s;
    }
    void TearDown() override { file_list_release(&list); }
};

}  // namespace

TEST(FileListFilter, ExtensionsOfTheLoaderOnly) {
    EXPECT_TRUE(file_list_accepts("photo.JPG", false, false, false, false, 10));
    EXPECT_TRUE(file_list_accepts("scan.tiff", false, false, false, false, 10));
    EXPECT_FALSE(file_list_accepts("notes.txt", false, false, false, false, 10));
    EXPECT_FALSE(file_list_accepts("readme", false, false, false, false, 10));
    EXPECT_TRUE(file_list_accepts("notes.txt", false, false, true, false, 10));
    EXPECT_TRUE(file_list_accepts("readme", false, false, true, false, 10));
    EXPECT_FALSE(file_list_accepts("pictures.jpg", true, false, true, false, 10)) << "folders are never entries";
    EXPECT_FALSE(file_list_accepts("hidden.png", false, true, false, false, 10));
    EXPECT_TRUE(file_list_accepts("hidden.png", false, true, false, true, 10));
    // Folder and name together must stay below 260 characters.
    EXPECT_TRUE(file_list_accepts("a.png", false, false, false, false, 254));
    EXPECT_FALSE(file_list_accepts("a.png", false, false, false, false, 255));
}

TEST_F(ListFixture, GrowsFrom64To128) {
    for (int i = 0; i < 64; ++i) Add("a.bmp", 1);
    EXPECT_EQ(list.capacity, 64);
    Add("b.bmp", 1);
    EXPECT_EQ(list.capacity, 128);
    EXPECT_EQ(list.count, 65);
    EXPECT_STREQ(list.path[64], "C:\\p\\b.bmp");
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
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list.size[i], (uint32_t)(i == 0 ? 10 : i == 3 ? 1 : 5));
}

TEST_F(ListFixture, SortsByNameTypeAndDateKeepingCurrent) {
    Add("zeta.png", 1, 300);
    Add("Alpha.jpg", 2, 200);
    Add("mid.bmp", 3, 100);
    Add("noext", 4, 400);
    list.current = 2;  // mid.bmp
    file_list_sort(&list, 0, true, key);
    EXPECT_EQ(Names(), "Alpha.jpg mid.bmp noext zeta.png ");
    EXPECT_EQ(list.current, 1);
    file_list_sort(&list, 2, true, key);
    EXPECT_EQ(Names(), "noext mid.bmp Alpha.jpg zeta.png ");
    EXPECT_STREQ(list.path[list.current], "C:\\p\\mid.bmp");
    file_list_sort(&list, 3, false, key);
    EXPECT_EQ(Names(), "noext zeta.png Alpha.jpg mid.bmp ");
    EXPECT_EQ(list.modified[0], 400u);
    EXPECT_EQ(list.current, 3);
}

TEST_F(ListFixture, OneEntryIsNotSorted) {
    Add("only.bmp", 1);
    list.current = 0;
    file_list_sort(&list, 3, false, key);
    EXPECT_EQ(list.current, 0);
    EXPECT_EQ(list.count, 1);
}

TEST(FileListType, AfterTheLastDotOfTheName) {
    EXPECT_STREQ(file_type_key("C:\\p\\a.b.JPG"), "JPG");
    EXPECT_STREQ(file_type_key("C:\\p.d\\readme"), "");
    EXPECT_STREQ(file_type_key("C:\\p\\readme"), "");
}

TEST_F(ListFixture, FindIgnoresCase) {
    Add("One.bmp", 1);
    Add("two.bmp", 1);
    EXPECT_EQ(file_list_find(&list, "c:\\P\\TWO.BMP", compare), 1);
    EXPECT_EQ(file_list_find(&list, "C:\\p\\three.bmp", compare), -1);
    EXPECT_TRUE(file_list_is_image(&list, 0));
    EXPECT_FALSE(file_list_is_image(&list, 2));
    file_list_clear(&list);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.capacity, 64) << "clearing keeps the arrays for the next scan";
}
