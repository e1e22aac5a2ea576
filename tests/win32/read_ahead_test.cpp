// Read-ahead through the main window's own stepping commands, on real files:
// what is shown is the file as it is now, whatever was read ahead of it.
#include <windows.h>
#include <psapi.h>

#include <map>

#include "core/load_set.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"
#include "tests/support/reference.h"
#include "viewer/navigation.h"
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
    std::string Ahead() {
        char path[MAX_PATH];
        WaitForReadAhead(path, sizeof path);
        std::string p = path;
        return p.empty() ? "" : p.substr(p.find_last_of('\\') + 1);
    }
    void TearDown() override {
        DropReadAhead();
        g_file_list.SortAscending = 1;
        FolderTest::TearDown();
    }
};

}  // namespace

TEST_F(ReadAheadTest, StepsShowTheFileAsItIsNowAcrossChangesAndSorts) {
    std::map<std::string, int> value;  // each file's gray as it is on disk
    for (int i = 0; i < kPhotos; ++i) Put(name_of(i), photo((uint8_t)(value[name_of(i)] = i)));
    ASSERT_TRUE(OpenFileInViewer((folder + name_of(0)).c_str()));
    int step = +1;
    for (int n = 1; n < kPhotos; ++n) {
        SCOPED_TRACE(n);
        // Mid-way the list is sorted the other way round, later the way of
        // travel turns: what was read ahead is for another file then.
        const bool turned = n == 10 || n == 15;
        if (n == 10) {
            g_file_list.SortAscending = 0;
            sort_file_list();
        }
        if (n == 15) step = -step;
        const int next = NextImageIndex(g_file_list.current, step);
        ASSERT_GE(next, 0);
        const std::string want = g_file_list.path[next] + folder.size();
        const std::string ahead = Ahead();
        if (!turned) EXPECT_EQ(ahead, want);
        const int served = ReadAheadServed();
        // Every third step the next file changes on disk after it was read ahead.
        const bool changed = n % 3 == 0;
        if (changed) Put(want, photo((uint8_t)(value[want] += 100)));
        Command(step > 0 ? IDM_GO_NEXT : IDM_GO_PREVIOUS);
        ASSERT_EQ(Shown(), want);
        EXPECT_NE(window_title().find(want), std::string::npos) << window_title();
        EXPECT_EQ(g_viewer.shown->pixels[0], value[want]);
        EXPECT_EQ(ReadAheadServed() - served, !changed && !turned) << "the read-ahead serves only an unchanged file";
    }
}

TEST_F(ReadAheadTest, PhotosAreTurnedAndNothingIsKept) {
    // A photo to be turned upright, read ahead: the same picture as a decode of its own.
    Put(name_of(0), photo(1));
    std::vector<uint8_t> turned = read_whole(data_path("exif-II-6.jpg"));
    ASSERT_FALSE(turned.empty());
    Put(std::string("p101.jpg"), turned);
    ASSERT_TRUE(OpenFileInViewer((folder + name_of(0)).c_str()));
    EXPECT_EQ(Ahead(), "p101.jpg");
    const int served = ReadAheadServed();
    Command(IDM_GO_NEXT);
    EXPECT_EQ(ReadAheadServed(), served + 1);
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
