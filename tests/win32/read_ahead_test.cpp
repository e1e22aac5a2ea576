// Read-ahead through the main window's own stepping commands, on real files:
// what is shown is the file as it is now, whatever was read ahead of it.
#include <psapi.h>

#include "core/load_set.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"
#include "tests/support/reference.h"
#include "viewer/read_ahead.h"

namespace {

const int kPhotos = 20;

// A picture of one gray value, large enough (900 KB) that a picture kept too
// long shows in the process's memory.
std::vector<uint8_t> photo(uint8_t value) {
    BmpLayout layout;
    layout.width = 640;
    layout.height = 480;
    return bmp_filled(layout, value);
}

std::string name_of(int i) { return "p" + std::to_string(100 + i) + ".bmp"; }

size_t private_bytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

struct ReadAheadTest : FolderTest {
    std::string Shown() {
        std::string p = g_viewer.current_path;
        return p.substr(p.find_last_of('\\') + 1);
    }
    // The file held ahead, after its decode has ended.
    std::string Ahead(const Image** picture = nullptr) {
        char path[MAX_PATH];
        const Image* held = WaitForReadAhead(path, sizeof path);
        if (picture) *picture = held;
        std::string p = path;
        return p.empty() ? "" : p.substr(p.find_last_of('\\') + 1);
    }
    void TearDown() override {
        DropReadAhead();
        FolderTest::TearDown();
    }
};

}  // namespace

TEST_F(ReadAheadTest, StepsShowTheFileAsItIsNowAcrossChangesAndSorts) {
    for (int i = 0; i < kPhotos; ++i) Put(name_of(i), photo((uint8_t)i));
    ASSERT_TRUE(OpenFileInViewer((folder + name_of(0)).c_str()));
    int at = 0, step = +1;
    for (int n = 1; n < kPhotos; ++n) {
        SCOPED_TRACE(n);
        if (n == 10) {
            // Sorted the other way round mid-way: the next file is now the one before.
            EXPECT_EQ(Ahead(), name_of(at + 1));
            g_file_list.SortAscending = 0;
            sort_file_list();
            step = -1;
        }
        const int next = (at + step + kPhotos) % kPhotos;
        const Image* held = nullptr;
        if (n != 10) EXPECT_EQ(Ahead(&held), name_of(next));
        // Every third step the next file changes on disk after it was read ahead.
        const bool changed = n % 3 == 0;
        if (changed) Put(name_of(next), photo((uint8_t)(100 + next)));
        Command(step > 0 ? IDM_GO_NEXT : IDM_GO_PREVIOUS);
        at = next;
        ASSERT_EQ(Shown(), name_of(at));
        EXPECT_NE(window_title().find(name_of(at)), std::string::npos) << window_title();
        EXPECT_EQ(g_viewer.shown->pixels[0], changed ? 100 + at : at);
        if (n != 10) { EXPECT_EQ(g_viewer.shown == held, !changed) << "the read-ahead serves only an unchanged file"; }
    }
}

TEST_F(ReadAheadTest, PhotosAreTurnedAndNothingIsKept) {
    // A photo to be turned upright, read ahead: the same picture as a decode of its own.
    Put(name_of(0), photo(1));
    std::vector<uint8_t> turned = read_whole(data_path("exif-II-6.jpg"));
    ASSERT_FALSE(turned.empty());
    Put(std::string("p101.jpg"), turned);
    ASSERT_TRUE(OpenFileInViewer((folder + name_of(0)).c_str()));
    const Image* held = nullptr;
    EXPECT_EQ(Ahead(&held), "p101.jpg");
    Command(IDM_GO_NEXT);
    ASSERT_EQ(g_viewer.shown, held);
    Decoded own;
    own.image = load_upright_image((folder + "p101.jpg").c_str(), own.message);
    EXPECT_TRUE(same_picture(g_viewer.shown, own.image));

    // Memory after 200 steps back within a few megabytes of after 20.
    for (int i = 2; i < kPhotos; ++i) Put(name_of(i), photo((uint8_t)i));
    ASSERT_TRUE(OpenFileInViewer((folder + name_of(0)).c_str()));
    size_t after20 = 0;
    for (int n = 1; n <= 200; ++n) {
        Command(n % 50 < 40 ? IDM_GO_NEXT : IDM_GO_PREVIOUS);
        Ahead();
        if (n == 20) after20 = private_bytes();
    }
    EXPECT_LT(private_bytes(), after20 + (4u << 20)) << "after 20 steps: " << after20;
}
