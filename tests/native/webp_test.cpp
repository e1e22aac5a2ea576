// The WebP decoder's own rules: files cut short, memory, the colour profile's
// place. Whole files against dwebp are in the corpus manifest.
#include <gtest/gtest.h>

#include "core/webp.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

struct Cut {
    std::vector<uint8_t> bytes;  // in a block of exactly their size, for the sanitizer
    DecodedFrames frames;
    bool ok;
    Cut(const std::vector<uint8_t>& all, size_t n) : bytes(all.begin(), all.begin() + (ptrdiff_t)n) {
        ok = decode_webp_frames(bytes.empty() ? nullptr : bytes.data(), bytes.size(), &frames.set, frames.message);
    }
};

bool row_equal(const Image* a, const Image* b, int y) {
    return memcmp(image_row(a, y), image_row(b, y), (size_t)a->width * 3) == 0;
}

bool row_gray(const Image* image, int y) {
    for (int x = 0; x < image->width * 3; ++x)
        if (image_row(image, y)[x] != kMissingRowGray) return false;
    return true;
}

}  // namespace

// Cut anywhere, a still picture keeps the rows it decoded, exactly the whole
// file's, and shows the rest gray; an animation keeps its whole frames; a
// file cut before anything decodes says why.
TEST(Webp, CutFilesKeepWhatTheyHoldOrSayWhy) {
    for (const char* name : {"webp-photo.webp", "webp-lossless.webp", "webp-alpha.webp", "webp-anim.webp"}) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> bytes = read_whole(data_path(name));
        Cut whole(bytes, bytes.size());
        ASSERT_TRUE(whole.ok) << whole.frames.message;
        int partial = 0;
        for (size_t n = 0; n < bytes.size(); n += bytes.size() / 40 + 1) {
            SCOPED_TRACE(n);
            Cut cut(bytes, n);
            const ImageSet& got = cut.frames.set;
            if (!cut.ok) {
                EXPECT_STRNE(cut.frames.message, "");
                EXPECT_TRUE(got.count == 0 && !got.frames && !got.delays);
                continue;
            }
            EXPECT_STREQ(cut.frames.message, "");
            ASSERT_LE(got.count, whole.frames.set.count);
            for (int f = 0; f < got.count; ++f) {
                const Image *a = got.frames[f], *b = whole.frames.set.frames[f];
                ASSERT_TRUE(a && a->width == b->width && a->height == b->height) << "frame " << f;
                int good = 0;
                while (good < a->height && row_equal(a, b, good)) ++good;
                for (int y = good; y < a->height; ++y) ASSERT_TRUE(row_gray(a, y)) << "row " << y;
                if (got.delays) EXPECT_EQ(got.delays[f], whole.frames.set.delays[f]);
                partial += good < a->height || got.count < whole.frames.set.count;
            }
        }
        EXPECT_GT(partial, 0) << "no cut gave a partial picture";
    }
}

TEST(Webp, MemoryShortIsSaidOrLeavesTheFrameOut) {
    std::vector<uint8_t> anim = read_whole(data_path("webp-anim.webp"));
    std::vector<uint8_t> still = read_whole(data_path("webp-lossy.webp"));
    image_fail_allocations_from(1);
    DecodedFrames none;
    Decoded no_still;
    EXPECT_FALSE(decode_webp_frames(anim.data(), anim.size(), &none.set, none.message));
    no_still.image = decode_webp(still.data(), still.size(), 1, no_still.message);
    image_fail_allocations_from(2);
    DecodedFrames first_only;
    EXPECT_TRUE(decode_webp_frames(anim.data(), anim.size(), &first_only.set, first_only.message));
    image_fail_allocations_from(0);
    EXPECT_STREQ(none.message, kMsgNoMemory);
    EXPECT_EQ(none.set.count, 0);
    EXPECT_EQ(no_still.image, nullptr);
    EXPECT_STREQ(no_still.message, kMsgNoMemory);
    ASSERT_EQ(first_only.set.count, 3);
    EXPECT_NE(first_only.set.frames[0], nullptr);
    EXPECT_EQ(first_only.set.frames[1], nullptr);
    EXPECT_EQ(first_only.set.delays[2], 1200) << "a frame left out still counts its time";
}

// webpmux stored the profile; its bytes are where the function says, and
// the picture decodes as it did without.
TEST(Webp, TheColourProfileIsFoundWhereTheMuxerPutIt) {
    std::vector<uint8_t> file = read_whole(data_path("webp-icc.webp"));
    std::vector<uint8_t> icc = read_whole(data_path("webp-icc.icc"));
    size_t offset = 0, length = 0;
    ASSERT_TRUE(webp_icc_profile(file.data(), file.size(), &offset, &length));
    ASSERT_EQ(length, icc.size());
    ASSERT_LE(offset + length, file.size());
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + (ptrdiff_t)offset, file.begin() + (ptrdiff_t)(offset + length)), icc);
    for (const char* name : {"webp-lossy.webp", "webp-anim.webp"}) {
        std::vector<uint8_t> none = read_whole(data_path(name));
        EXPECT_FALSE(webp_icc_profile(none.data(), none.size(), &offset, &length)) << name;
    }
}
