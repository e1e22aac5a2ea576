// How load_image picks a decoder, on real files, in both builds: the header
// first, then the extension (any case), else "Taninmayan goruntu bicimi.".
#include <gtest/gtest.h>
#include <string.h>

#include <filesystem>
#include <set>

#include "core/loader.h"
#include "core/file_write.h"
#include "core/stb_adapter.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

// A copy of a test picture under another name; "" when the picture is missing.
std::string renamed(const std::string& picture, const std::string& name) {
    std::vector<unsigned char> bytes = read_whole(data_path(picture));
    return bytes.empty() ? "" : write_scratch(name, bytes);
}

// "" when the file opens to the reference's pixels.
std::string opens_as(const std::string& path, const std::string& reference) {
    char message[kMessageBytes] = "untouched";
    RefPicture want;
    if (!read_ppm(data_path(reference), &want)) return "no reference " + reference;
    Image* image = load_image(path.c_str(), message);
    if (!image) return std::string("failed: ") + message;
    std::string diff = compare_with_reference(image, want);
    image_free(image);
    return message[0] ? std::string("message left: ") + message : diff;
}

std::set<std::string> names_in(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

std::string fails_with(const std::string& path) {
    char message[kMessageBytes] = "";
    Image* image = load_image(path.c_str(), message);
    image_free(image);
    return image ? "opened" : message;
}

}  // namespace

TEST(LoadImage, HeaderWinsOverTheExtension) {
    EXPECT_EQ(opens_as(renamed("stb-png-rgb.png", "really-a-png.bmp"), "stb-png-rgb.ref.ppm"), "");
    EXPECT_EQ(opens_as(renamed("im8-a.bmp", "really-a-bitmap.jpg"), "im8-a.ref.ppm"), "");
}

TEST(LoadImage, UnknownHeaderGoesByTheExtensionInAnyCase) {
    // A TGA has no signature: only its extension sends it to the library.
    EXPECT_EQ(opens_as(renamed("stb-tga-raw.tga", "upper.TGA"), "stb-tga-raw.ref.ppm"), "");
    EXPECT_EQ(fails_with(write_scratch("not-a-picture.tga", {'x', 'y', 'z'})), "unknown image type");
    // A bitmap with a damaged magic still reaches the BMP reader, which names what is wrong.
    std::vector<unsigned char> bmp = read_whole(data_path("im24-b.bmp"));
    ASSERT_FALSE(bmp.empty());
    bmp[0] = 'X';
    EXPECT_EQ(fails_with(write_scratch("damaged.Bmp", bmp)), kMsgBmpBadHeader);
}

TEST(LoadImage, NothingMatches) {
    EXPECT_EQ(fails_with(write_scratch("notes.txt", {'h', 'e', 'l', 'l', 'o'})), kMsgUnknownFormat);
    EXPECT_EQ(fails_with(write_scratch("empty.xyz", {})), kMsgUnknownFormat);
    // The last dot of the path stands in a folder name: its extension is ".b/picture".
    scratch_folder("a.b");
    EXPECT_EQ(fails_with(write_scratch("a.b/picture", {'h', 'e', 'l', 'l', 'o'})), kMsgUnknownFormat);
    // The metafile key alone reaches the metafile renderer, which finds 8 bytes too few.
    EXPECT_EQ(fails_with(write_scratch("noext", {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0})), kMsgWmfInvalid);
}

TEST(LoadImage, MissingFilesAndMessages) {
    std::string missing = scratch_path("missing.bmp");
    EXPECT_EQ(fails_with(missing), kMsgOpenFailed);
    EXPECT_EQ(load_image(missing.c_str(), nullptr), nullptr);  // no buffer: the reason is lost, nothing breaks
    int w = -1, h = -1;
    EXPECT_FALSE(probe_image_size(missing.c_str(), &w, &h));
    EXPECT_EQ(w, -1);
}

// The format numbers keep their meaning. What is written reads back in
// StbSave (independent decoders) and, on Windows, in the save commands' tests.
TEST(SaveImage, FormatsAndQuality) {
    Image* original = image_create(61, 40);
    ASSERT_NE(original, nullptr);
    for (int format : {kSavePng, kSaveBmp, 0, 7}) {
        std::string path = scratch_path("saved-" + std::to_string(format));
        ASSERT_TRUE(save_image(path.c_str(), original, format, 0));
        std::vector<unsigned char> head = read_whole(path);
        ASSERT_GT(head.size(), 2u) << format;
        EXPECT_EQ(head[0], format == kSavePng ? 0x89 : 'B') << format;
    }
    // A JPEG quality below 1 means 90, and the quality reaches the writer.
    std::vector<std::vector<unsigned char>> jpegs;
    for (int quality : {0, -5, 90, 50}) {
        std::string path = scratch_path("q" + std::to_string(quality) + ".jpg");
        ASSERT_TRUE(save_image(path.c_str(), original, kSaveJpeg, quality));
        jpegs.push_back(read_whole(path));
    }
    EXPECT_TRUE(jpegs[0] == jpegs[2] && jpegs[1] == jpegs[2]);
    EXPECT_FALSE(jpegs[3] == jpegs[2]);
    EXPECT_FALSE(save_image(scratch_path("no-such-folder/x.png").c_str(), original, kSavePng, 0));
    EXPECT_FALSE(save_image(scratch_path("null.png").c_str(), nullptr, kSavePng, 0));
    image_free(original);
}

// A writer that runs out of disk at any point leaves its folder as it was:
// the file it was to replace untouched, no temporary file behind. Only a
// complete file takes its place.
TEST(SaveImage, ShortWriteLeavesTheFolderAsItWas) {
    Image* picture = image_create(61, 40);
    ASSERT_NE(picture, nullptr);
    const std::string folder = scratch_folder("short-write");
    const std::vector<unsigned char> old_bytes = {'o', 'l', 'd', 0, 1, 2};
    for (int format : {kSavePng, kSaveJpeg, kSaveBmp}) {
        std::string path = scratch_path("whole-" + std::to_string(format));
        ASSERT_TRUE(save_image(path.c_str(), picture, format, 0));
        const int64_t size = (int64_t)read_whole(path).size();
        path = write_scratch("short-write/kept-" + std::to_string(format), old_bytes);
        const std::set<std::string> before = names_in(folder);
        for (int64_t room : {(int64_t)0, (int64_t)1, size / 2, size - 1}) {
            file_sink_fail_after(room);
            EXPECT_FALSE(save_image(path.c_str(), picture, format, 0)) << "format " << format << " room " << room;
            file_sink_fail_after(-1);
            EXPECT_EQ(read_whole(path), old_bytes) << "format " << format << " room " << room;
            EXPECT_EQ(names_in(folder), before) << "format " << format << " room " << room;
        }
        ASSERT_TRUE(save_image(path.c_str(), picture, format, 0));
        EXPECT_EQ((int64_t)read_whole(path).size(), size) << format;
    }
    image_free(picture);
}
