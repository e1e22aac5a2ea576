// Whole-file reads: small files copied, large ones mapped, the same bytes
// either way; size limits and missing files.
#include <gtest/gtest.h>

#include "core/checked.h"
#include "core/file_bytes.h"
#include "tests/support/scratch.h"

namespace {

// A folder on a local disk: on Windows only such files are mapped.
std::string test_folder() {
#ifdef _WIN32
    static std::string folder = temp_folder("lumora-file-bytes");
    return folder;
#else
    return scratch_folder("file-bytes") + "/";
#endif
}

}  // namespace

TEST(FileBytes, SameBytesCopiedOrMappedWithinTheLimit) {
    struct Case {
        size_t size, max_bytes;
        FileReadResult result;
        bool mapped;
    } cases[] = {
        {0, 100, kFileReadOk, false},
        {1, 100, kFileReadOk, false},
        {101, 100, kFileReadTooLarge, false},
        {kMapFromBytes - 1, kMaxBlockBytes, kFileReadOk, false},
        {kMapFromBytes, kMaxBlockBytes, kFileReadOk, true},
        {kMapFromBytes + 5, kMaxBlockBytes, kFileReadOk, true},
        {kMapFromBytes + 1, kMapFromBytes, kFileReadTooLarge, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        std::vector<unsigned char> bytes(c.size);
        uint32_t seed = (uint32_t)c.size;
        for (unsigned char& b : bytes) b = (unsigned char)((seed = seed * 1103515245u + 12345u) >> 24);
        std::string path = test_folder() + "f" + std::to_string(c.size) + ".bin";
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_TRUE(f);
        if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);

        FileBytes file;
        ASSERT_EQ(file_bytes_read(path.c_str(), c.max_bytes, &file), c.result);
        if (c.result == kFileReadOk) {
            EXPECT_EQ(file.mapped, c.mapped);
            ASSERT_EQ(file.size, c.size);
            ASSERT_TRUE(file.data);
            EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), file.data));
            file_bytes_free(&file);
        }
        EXPECT_FALSE(file.data);
        EXPECT_EQ(remove(path.c_str()), 0);  // nothing keeps the file open
    }
    FileBytes missing;
    EXPECT_EQ(file_bytes_read((test_folder() + "missing.bin").c_str(), 100, &missing), kFileReadOpenFailed);
    EXPECT_EQ(file_bytes_read(test_folder().c_str(), kMaxBlockBytes, &missing), kFileReadOpenFailed);
}
