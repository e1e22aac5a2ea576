// The cross-built loader against the same independent decodes the native
// tests use: both builds must give the very same pixels.
#include <gtest/gtest.h>

#include "core/decode_message.h"
#include "core/loader.h"
#include "tests/support/reference.h"

TEST(WinLoadImage, SamePixelsAsTheIndependentDecoders) {
    std::string folder = LUMORA_TEST_DATA;
    std::vector<std::string> names = list_reference_bmps(folder);
    ASSERT_GE(names.size(), 33u) << "test data missing in " << folder;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::string path = folder + "\\" + name;
        RefPicture ref;
        ASSERT_TRUE(read_ppm(path.substr(0, path.size() - 4) + ".ref.ppm", &ref));
        char message[kMessageBytes];
        Image* image = load_image(path.c_str(), message);
        ASSERT_NE(image, nullptr) << message;
        EXPECT_EQ(compare_with_reference(image, ref), "");
        image_free(image);
    }
}

TEST(WinLoadImage, BackslashPathsAndMissingFiles) {
    char message[kMessageBytes];
    std::string missing = std::string(LUMORA_TEST_DATA) + "\\none\\such.bmp";
    EXPECT_EQ(load_image(missing.c_str(), message), nullptr);
    EXPECT_STREQ(message, kMsgOpenFailed);
}
