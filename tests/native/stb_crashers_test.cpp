// Inputs that crashed the packaged stb_image (or an early patch of ours): each
// must now fail cleanly or decode, and the ones with a known right answer must
// give it.
#include <dirent.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/stb_adapter.h"
#include "core/stb_impl.h"
#include "tests/support/scratch.h"

namespace {

std::string crasher(const std::string& folder, const std::string& name) {
    return std::string(LUMORA_CRASHERS) + "/" + folder + "/" + name;
}

std::vector<std::string> list_folder(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir((std::string(LUMORA_CRASHERS) + "/" + folder).c_str())) {
        while (dirent* e = readdir(dir))
            if (e->d_name[0] != '.') names.push_back(e->d_name);
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct Decoded {
    Image* image = nullptr;
    char message[kMessageBytes] = "untouched";
    ~Decoded() { image_free(image); }
};

void decode_file(const std::string& path, Decoded* out) {
    std::vector<unsigned char> bytes = read_whole(path);
    ASSERT_FALSE(bytes.empty()) << path;
    out->image = decode_with_stb(bytes.data(), bytes.size(), out->message);
}

// Lifts the allocation limit a test sets, whatever way it ends.
struct AllocationLimit {
    explicit AllocationLimit(size_t bytes) { stb_limit_allocation_size(bytes); }
    ~AllocationLimit() {
        stb_limit_allocation_size(0);
        stb_fail_allocations_from(0);
    }
};

}  // namespace

TEST(StbCrashers, EveryStbInputFailsCleanlyOrDecodes) {
    std::vector<std::string> names = list_folder("stb");
    ASSERT_GE(names.size(), 5u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        Decoded d;
        decode_file(crasher("stb", name), &d);
        if (d.image) EXPECT_STREQ(d.message, "");
        else EXPECT_NE(strlen(d.message), 0u);
    }
}

TEST(StbCrashers, JpegWithMoreThan256HuffmanCodesFails) {
    Decoded d;
    decode_file(crasher("stb", "jpeg-huffman-257-codes.jpg"), &d);
    EXPECT_EQ(d.image, nullptr);
    EXPECT_STREQ(d.message, "bad DHT header");
}

TEST(StbCrashers, SixteenBitGrayPnmDecodesToItsTopBytes) {
    // Samples (i * 4099) & 0xFFFF, read as their top byte.
    Decoded d;
    decode_file(crasher("stb", "pgm-16bit-gray.pgm"), &d);
    ASSERT_NE(d.image, nullptr) << d.message;
    ASSERT_EQ(d.image->width, 5);
    ASSERT_EQ(d.image->height, 3);
    for (int i = 0; i < 15; ++i) {
        const uint8_t* p = image_row(d.image, i / 5) + 3 * (i % 5);
        int want = ((i * 4099) & 0xFFFF) >> 8;
        EXPECT_TRUE(p[0] == want && p[1] == want && p[2] == want) << "sample " << i;
    }
}

TEST(StbCrashers, SixteenBitGrayPnmCutShortKeepsWhatIsThere) {
    // 11 of 30 sample bytes: the top bytes of the first six samples; the rest black.
    Decoded d;
    decode_file(crasher("stb", "pgm-16bit-gray-cut.pgm"), &d);
    ASSERT_NE(d.image, nullptr) << d.message;
    for (int i = 0; i < 15; ++i) {
        const uint8_t* p = image_row(d.image, i / 5) + 3 * (i % 5);
        int want = 2 * i < 11 ? ((i * 4099) & 0xFFFF) >> 8 : 0;
        EXPECT_EQ(p[0], want) << "sample " << i;
    }
}

TEST(StbCrashers, PicCutShortFails) {
    Decoded d;
    decode_file(crasher("stb", "pic-cut-short.pic"), &d);
    EXPECT_EQ(d.image, nullptr);
    EXPECT_STREQ(d.message, "bad file");
}

TEST(StbCrashers, PnmHeaderNumberTooLongFails) {
    Decoded d;
    decode_file(crasher("stb", "pnm-header-number-overflow.pgm"), &d);
    EXPECT_EQ(d.image, nullptr);
    EXPECT_NE(strlen(d.message), 0u);
}

TEST(StbCrashers, EveryGifInputFailsCleanlyOrDecodes) {
    std::vector<std::string> names = list_folder("gif");
    ASSERT_GE(names.size(), 2u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::vector<unsigned char> bytes = read_whole(crasher("gif", name));
        ImageSet set = {nullptr, -1, nullptr};
        char message[kMessageBytes];
        set.frames = decode_gif_frames(bytes.data(), bytes.size(), &set.delays, &set.count, message);
        if (set.frames) {
            EXPECT_GE(set.count, 1);
            EXPECT_NE(set.delays, nullptr);
        } else {
            EXPECT_EQ(set.count, 0);
            EXPECT_EQ(set.delays, nullptr);
            EXPECT_NE(strlen(message), 0u);
        }
        image_set_free(&set);
    }
}

TEST(StbCrashers, GifRestoringThePreviousFrameDecodesEveryFrame) {
    std::vector<unsigned char> bytes = read_whole(crasher("gif", "dispose-previous-reads-before-buffer.gif"));
    ImageSet set = {nullptr, 0, nullptr};
    char message[kMessageBytes];
    set.frames = decode_gif_frames(bytes.data(), bytes.size(), &set.delays, &set.count, message);
    ASSERT_NE(set.frames, nullptr) << message;
    ASSERT_EQ(set.count, 3);
    for (int i = 0; i < 3; ++i) EXPECT_NE(set.frames[i], nullptr);
    image_set_free(&set);
}

TEST(StbCrashers, GifOutOfMemoryLeavesNoDelaysBehind) {
    // With no block above 1 MB the fifth 256 KB frame no longer fits: the
    // library frees its delays, and must not hand them back to be freed again.
    AllocationLimit limit(1u << 20);
    std::vector<unsigned char> bytes = read_whole(crasher("gif", "out-of-memory-frees-delays.gif"));
    ImageSet set = {nullptr, -1, nullptr};
    char message[kMessageBytes];
    set.frames = decode_gif_frames(bytes.data(), bytes.size(), &set.delays, &set.count, message);
    EXPECT_EQ(set.frames, nullptr);
    EXPECT_EQ(set.count, 0);
    EXPECT_EQ(set.delays, nullptr);
    EXPECT_STREQ(message, "outofmem");
    image_set_free(&set);
}

TEST(StbCrashers, GifSurvivesEveryAllocationFailing) {
    // The nth allocation of the library and all after it fail, for every n
    // up to past the last one: each run fails cleanly or decodes every frame.
    std::vector<unsigned char> bytes = read_whole(crasher("gif", "dispose-previous-reads-before-buffer.gif"));
    bool succeeded = false;
    for (int n = 1; n <= 40 && !succeeded; ++n) {
        SCOPED_TRACE(n);
        AllocationLimit reset(0);
        stb_fail_allocations_from(n);
        ImageSet set = {nullptr, -1, nullptr};
        char message[kMessageBytes];
        set.frames = decode_gif_frames(bytes.data(), bytes.size(), &set.delays, &set.count, message);
        if (set.frames) {
            succeeded = true;
            EXPECT_EQ(set.count, 3);
        } else {
            EXPECT_EQ(set.delays, nullptr);
            EXPECT_EQ(set.count, 0);
            EXPECT_STREQ(message, "outofmem");
        }
        image_set_free(&set);
    }
    EXPECT_TRUE(succeeded);
}

TEST(StbCrashers, SingleImageSurvivesEveryAllocationFailing) {
    std::vector<unsigned char> png = read_whole(std::string(LUMORA_TEST_DATA) + "/stb-png-rgba.png");
    std::vector<unsigned char> jpg = read_whole(std::string(LUMORA_TEST_DATA) + "/stb-jpegprog.jpg");
    for (const std::vector<unsigned char>* file : {&png, &jpg}) {
        ASSERT_FALSE(file->empty());
        bool succeeded = false;
        for (int n = 1; n <= 200 && !succeeded; ++n) {
            SCOPED_TRACE(n);
            AllocationLimit reset(0);
            stb_fail_allocations_from(n);
            Decoded d;
            d.image = decode_with_stb(file->data(), file->size(), d.message);
            if (d.image) succeeded = true;
            else EXPECT_NE(strlen(d.message), 0u);
        }
        EXPECT_TRUE(succeeded);
    }
}
