// Embedded colour profiles: pictures tagged by ImageMagick against its own
// perceptual conversion to sRGB; sRGB-tagged, untagged and hostile files
// exactly as decoded without colour management; the JPEG profile in chunks;
// one transform per profile, shared by decodes on several threads.
#include <gtest/gtest.h>

#include <thread>

#include "core/color_profile.h"
#include "core/jpeg.h"
#include "core/loader.h"
#include "core/png_profile.h"
#include "core/stb_adapter.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

// The file through the format table with colour management on or off (on
// again afterwards); need > 0 asks for the reduced decode of thumbnails.
Image* load(const std::string& name, bool on, int need = 0) {
    color_profiles_enable(on);
    char message[kMessageBytes];
    std::string path = data_path(name);
    Image* image = need > 0 ? load_image_reduced(path.c_str(), need, message) : load_image(path.c_str(), message);
    color_profiles_enable(true);
    return image;
}

}  // namespace

TEST(ColorProfiles, TaggedPicturesMatchImageMagicksConversionToSrgb) {
    for (std::string name :
         {"icc-adobe.jpg", "icc-wide.jpg", "icc-prophoto.png", "icc-adobe-lzw.tif", "icc-adobe-lossless.webp"}) {
        Decoded on, off;
        on.image = load(name, true);
        off.image = load(name, false);
        ASSERT_TRUE(on.image && off.image) << name;
        RefPicture ref;
        ASSERT_TRUE(read_ppm(data_path(name.substr(0, name.rfind('.')) + ".ref.ppm"), &ref)) << name;
        EXPECT_EQ(compare_with_reference(on.image, ref, 2), "") << name;
        EXPECT_NE(compare_with_reference(off.image, ref, 8), "") << name << ": the raw pixels are that close already";
        // The library's own loop, which profiles of other kinds take.
        color_profile_allow_fast(false);
        Decoded library;
        library.image = load(name, true);
        color_profile_allow_fast(true);
        ASSERT_TRUE(library.image) << name;
        EXPECT_EQ(compare_with_reference(library.image, ref, 2), "") << name << " by the library";
        EXPECT_EQ(compare_with_reference(on.image, reference_of(library.image), 1), "") << name << " against the library";
    }
    // Saved again, the converted photo is sRGB: no profile goes with it.
    Decoded converted;
    converted.image = load("icc-adobe.jpg", true);
    std::string saved = scratch_path("icc-saved.jpg");
    ASSERT_TRUE(save_image(saved.c_str(), converted.image, kSaveJpeg, 90));
    std::vector<uint8_t> bytes = read_whole(saved);
    uint8_t* profile = nullptr;
    size_t length = 0;
    EXPECT_FALSE(jpeg_icc_profile(bytes.data(), bytes.size(), &profile, &length));
    free(profile);

    Decoded small_on, small_off;
    small_on.image = load("icc-adobe.jpg", true, 20);
    small_off.image = load("icc-adobe.jpg", false, 20);
    ASSERT_TRUE(small_on.image && small_off.image);
    EXPECT_LT(small_on.image->width, 97) << "decoded reduced";
    EXPECT_FALSE(same_picture(small_on.image, small_off.image)) << "the reduced decode is converted too";
}

// Each file's profile is found (when it has one) and the pixels stay as
// decoded without colour management, to the byte.
TEST(ColorProfiles, SrgbUntaggedAndHostileProfilesLeaveThePixelsAsDecoded) {
    struct Case {
        const char* name;
        bool found;  // the container holds a whole profile
    } cases[] = {
        {"icc-none.jpg", false},
        {"icc-srgb2.jpg", true},
        {"icc-srgb4.png", true},
        {"icc-bad-missing-chunk.jpg", false},
        {"icc-bad-duplicate-chunk.jpg", false},
        {"icc-bad-chunk-count.jpg", false},
        {"icc-bad-size-field.jpg", true},
        {"icc-bad-tag-count.jpg", true},
        {"icc-bad-tag-offset.jpg", true},
        {"icc-bad-tag-in-table.jpg", true},
        {"icc-bad-tag-size.jpg", true},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> file = read_whole(data_path(c.name));
        uint8_t* profile = nullptr;
        size_t length = 0;
        bool found = strstr(c.name, ".png") ? png_icc_profile(file.data(), file.size(), &profile, &length)
                                            : jpeg_icc_profile(file.data(), file.size(), &profile, &length);
        EXPECT_EQ(found, c.found) << c.name;
        if (found) EXPECT_EQ(color_profile_plausible(profile, length), strstr(c.name, "srgb") != nullptr) << c.name;
        free(profile);
        Decoded on, off;
        on.image = load(c.name, true);
        off.image = load(c.name, false);
        ASSERT_TRUE(on.image && off.image) << c.name;
        EXPECT_TRUE(same_picture(on.image, off.image)) << c.name;
    }
}

// Written 2, 3, 1: the profile joins in sequence order and the picture
// shows as the file with one segment does.
TEST(ColorProfiles, JpegChunksJoinInSequenceOrder) {
    std::vector<uint8_t> file = read_whole(data_path("icc-wide-3chunks.jpg"));
    std::vector<uint8_t> want = read_whole("/usr/share/color/icc/colord/WideGamutRGB.icc");
    uint8_t* profile = nullptr;
    size_t length = 0;
    ASSERT_TRUE(jpeg_icc_profile(file.data(), file.size(), &profile, &length));
    EXPECT_TRUE(length == want.size() && memcmp(profile, want.data(), length) == 0) << "joined out of order";
    free(profile);
    Decoded chunked, whole;
    chunked.image = load("icc-wide-3chunks.jpg", true);
    whole.image = load("icc-wide.jpg", true);
    EXPECT_TRUE(same_picture(chunked.image, whole.image));
}

// A profile seen again builds nothing; decodes on four threads at once
// share the cache and all give the one picture.
TEST(ColorProfiles, OneTransformPerProfileSharedByThreads) {
    Decoded first;
    first.image = load("icc-wide.jpg", true);
    ASSERT_TRUE(first.image);
    int built = color_profile_builds();
    Decoded again;
    again.image = load("icc-wide.jpg", true);
    EXPECT_EQ(color_profile_builds(), built);

    Image* results[4] = {};
    std::vector<std::thread> threads;
    for (Image*& result : results)
        threads.emplace_back([&result] {
            char message[kMessageBytes];
            result = load_image(data_path("icc-prophoto.png").c_str(), message);
        });
    for (std::thread& t : threads) t.join();
    Decoded alone;
    alone.image = load("icc-prophoto.png", true);
    for (Image* result : results) {
        EXPECT_TRUE(same_picture(result, alone.image));
        image_free(result);
    }
}
