// load_image_set: every frame of a file as the viewer opens it, photos turned
// upright by the orientation their camera recorded; in both builds.
#include <gtest/gtest.h>
#include <string.h>

#include "core/load_set.h"
#include "core/loader.h"
#include "core/stb_impl.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

LoadSetResult load(const std::string& path, DecodedFrames* out) {
    return load_image_set(path.c_str(), &out->set, out->message);
}

// Where stored pixel (r, c) of a picture of h x w stored rows and columns
// belongs in the upright view, by the EXIF definition of each orientation:
// where the stored first row and first column lie.
void upright_position(int o, int h, int w, int r, int c, int* ur, int* uc) {
    switch (o) {
    case 2: *ur = r, *uc = w - 1 - c; break;          // first column on the right
    case 3: *ur = h - 1 - r, *uc = w - 1 - c; break;  // first row at the bottom
    case 4: *ur = h - 1 - r, *uc = c; break;
    case 5: *ur = c, *uc = r; break;                  // first row on the left, top first
    case 6: *ur = c, *uc = h - 1 - r; break;          // first row on the right, top first
    case 7: *ur = w - 1 - c, *uc = h - 1 - r; break;  // first row on the right, bottom first
    case 8: *ur = w - 1 - c, *uc = r; break;          // first row on the left, bottom first
    default: *ur = r, *uc = c; break;
    }
}

}  // namespace

// exiftool tagged one stored picture (13 x 7) with each orientation in both
// byte orders; each must open as the upright view of the untagged file.
TEST(LoadImageSet, EveryOrientationOpensUpright) {
    char message[kMessageBytes];
    Image* stored = load_image(data_path("exif-plain.jpg").c_str(), message);
    ASSERT_NE(stored, nullptr) << message;
    int h = stored->height, w = stored->width;
    for (const char* order : {"II", "MM"}) {
        for (int o = 1; o <= 8; ++o) {
            std::string name = std::string("exif-") + order + "-" + std::to_string(o) + ".jpg";
            SCOPED_TRACE(name);
            RefPicture want;
            want.width = o >= 5 ? h : w;
            want.height = o >= 5 ? w : h;
            want.rgb.resize((size_t)w * h * 3);
            for (int r = 0; r < h; ++r)
                for (int c = 0; c < w; ++c) {
                    int ur = 0, uc = 0;
                    upright_position(o, h, w, r, c, &ur, &uc);
                    const uint8_t* p = image_row(stored, r) + 3 * c;
                    uint8_t* q = &want.rgb[((size_t)ur * want.width + uc) * 3];
                    q[0] = p[2], q[1] = p[1], q[2] = p[0];
                }
            DecodedFrames l;
            ASSERT_EQ(load(data_path(name), &l), kLoadSetOk) << l.message;
            ASSERT_EQ(l.set.count, 1);
            EXPECT_EQ(l.set.delays, nullptr);
            EXPECT_EQ(compare_with_reference(l.set.frames[0], want), "");
            Decoded single;  // the browser's load of one picture
            single.image = load_upright_image(data_path(name).c_str(), single.message);
            ASSERT_NE(single.image, nullptr) << single.message;
            EXPECT_EQ(compare_with_reference(single.image, want), "");
        }
    }
    image_free(stored);
}

TEST(LoadImageSet, AnimationKeepsEveryDelay) {
    // The delays as another reader gives them: ImageMagick's in centiseconds, webpmux's in milliseconds.
    const struct {
        const char *file, *delays;
        int scale;
    } animations[] = {{"stb-gif-anim.gif", "stb-gif-anim.delays", 10}, {"webp-anim.webp", "webp-anim.delays", 1}};
    for (const auto& a : animations) {
        SCOPED_TRACE(a.file);
        DecodedFrames l;
        ASSERT_EQ(load(data_path(a.file), &l), kLoadSetOk) << l.message;
        ASSERT_EQ(l.set.count, 3);
        ASSERT_NE(l.set.delays, nullptr);
        FILE* delays = fopen(data_path(a.delays).c_str(), "r");
        ASSERT_NE(delays, nullptr);
        for (int i = 0, d = -1; i < 3; ++i) {
            ASSERT_EQ(fscanf(delays, "%d", &d), 1);
            EXPECT_EQ(l.set.delays[i], d * a.scale) << "frame " << i;
        }
        fclose(delays);
    }
}

TEST(LoadImageSet, AnimationTooLargeForMemoryShowsItsFirstFrame) {
    // 20 x 14 frames of 1120 bytes: no block may hold two, so the whole
    // animation fails while the first frame alone still decodes.
    stb_limit_allocation_size(2 * 20 * 14 * 4 - 1);
    DecodedFrames l;
    LoadSetResult result = load(data_path("stb-gif-anim.gif"), &l);
    stb_limit_allocation_size(0);
    ASSERT_EQ(result, kLoadSetOk) << l.message;
    ASSERT_EQ(l.set.count, 1);
    EXPECT_EQ(l.set.delays, nullptr);
    RefPicture first;
    ASSERT_TRUE(read_ppm(data_path("stb-gif-anim-0.ref.ppm"), &first));
    EXPECT_EQ(compare_with_reference(l.set.frames[0], first), "");
}

TEST(LoadImageSet, FailuresLeaveAnEmptySetAndTheReason) {
    DecodedFrames missing, unknown, broken;
    EXPECT_EQ(load(scratch_path("no-such-file.jpg"), &missing), kLoadSetCannotOpen);
    EXPECT_STREQ(missing.message, kMsgOpenFailed);
    EXPECT_EQ(load(write_scratch("notes.txt", {'h', 'i'}), &unknown), kLoadSetFailed);
    EXPECT_STREQ(unknown.message, kMsgUnknownFormat);
    // A GIF signature and nothing more: the frame loader and load_image both fail.
    EXPECT_EQ(load(write_scratch("cut.gif", {'G', 'I', 'F', '8', '9', 'a', 1}), &broken), kLoadSetFailed);
    EXPECT_STRNE(broken.message, "");
    for (DecodedFrames* l : {&missing, &unknown, &broken}) {
        EXPECT_EQ(l->set.frames, nullptr);
        EXPECT_EQ(l->set.count, 0);
        EXPECT_EQ(l->set.delays, nullptr);
    }
}
