// Every frame of an animated GIF with its delays, against ImageMagick's
// coalesced frames and netpbm's decode.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/stb_adapter.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

std::string data_path(const std::string& name) { return std::string(LUMORA_TEST_DATA) + "/" + name; }

struct Frames {
    ImageSet set = {nullptr, -1, nullptr};
    char message[kMessageBytes] = "untouched";
    ~Frames() { image_set_free(&set); }
};

void load(const std::string& path, Frames* out) {
    out->set.frames = load_gif_frames(path.c_str(), &out->set.delays, &out->set.count, out->message);
}

void decode(const std::vector<unsigned char>& bytes, Frames* out) {
    out->set.frames = decode_gif_frames(bytes.data(), bytes.size(), &out->set.delays, &out->set.count, out->message);
}

void expect_failure(const Frames& f) {
    EXPECT_EQ(f.set.frames, nullptr);
    EXPECT_EQ(f.set.count, 0);
    EXPECT_EQ(f.set.delays, nullptr);
    EXPECT_NE(strlen(f.message), 0u);
}

// A GIF writer for the cases no encoder makes on purpose. Pixels go out as
// literal codes with a clear code every 200, so the code size never grows.
std::vector<unsigned char> lzw_literals(const std::vector<int>& pixels) {
    const int clear = 256, end = 257, size = 9;
    std::vector<int> codes;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (i % 200 == 0) codes.push_back(clear);
        codes.push_back(pixels[i]);
    }
    codes.push_back(end);
    std::vector<unsigned char> bytes;
    unsigned acc = 0;
    int bits = 0;
    for (int c : codes) {
        acc |= (unsigned)c << bits;
        bits += size;
        while (bits >= 8) {
            bytes.push_back((unsigned char)acc);
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits) bytes.push_back((unsigned char)acc);
    std::vector<unsigned char> out = {8};
    for (size_t i = 0; i < bytes.size(); i += 255) {
        size_t n = std::min<size_t>(255, bytes.size() - i);
        out.push_back((unsigned char)n);
        out.insert(out.end(), bytes.begin() + i, bytes.begin() + i + n);
    }
    out.push_back(0);
    return out;
}

struct GifFrame {
    int x, y, w, h;
    std::vector<int> pixels;
    int dispose;
    int delay_cs;
};

void put16(std::vector<unsigned char>* b, int v) {
    b->push_back((unsigned char)v);
    b->push_back((unsigned char)(v >> 8));
}

// Palette entry i is red i, green 255 - i, blue 7 * i.
std::vector<unsigned char> make_gif(int w, int h, const std::vector<GifFrame>& frames) {
    std::vector<unsigned char> b = {'G', 'I', 'F', '8', '9', 'a'};
    put16(&b, w);
    put16(&b, h);
    b.insert(b.end(), {0xF7, 0, 0});
    for (int i = 0; i < 256; ++i) b.insert(b.end(), {(unsigned char)i, (unsigned char)(255 - i), (unsigned char)(7 * i)});
    for (const GifFrame& f : frames) {
        b.insert(b.end(), {0x21, 0xF9, 4, (unsigned char)(f.dispose << 2)});
        put16(&b, f.delay_cs);
        b.insert(b.end(), {0, 0, 0x2C});
        put16(&b, f.x);
        put16(&b, f.y);
        put16(&b, f.w);
        put16(&b, f.h);
        b.push_back(0);
        std::vector<unsigned char> data = lzw_literals(f.pixels);
        b.insert(b.end(), data.begin(), data.end());
    }
    b.push_back(0x3B);
    return b;
}

bool pixel_is_index(const Image* image, int x, int y, int i) {
    const unsigned char* p = image_row(image, y) + 3 * x;
    return p[2] == i && p[1] == 255 - i && p[0] == (unsigned char)(7 * i);
}

}  // namespace

TEST(StbGif, AnimationFramesAndDelaysMatchImageMagick) {
    Frames f;
    load(data_path("stb-gif-anim.gif"), &f);
    ASSERT_NE(f.set.frames, nullptr) << f.message;
    EXPECT_STREQ(f.message, "");
    ASSERT_EQ(f.set.count, 3);
    ASSERT_NE(f.set.delays, nullptr);
    FILE* d = fopen(data_path("stb-gif-anim.delays").c_str(), "r");
    ASSERT_NE(d, nullptr);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        int centiseconds = -1;
        ASSERT_EQ(fscanf(d, "%d", &centiseconds), 1);
        EXPECT_EQ(f.set.delays[i], centiseconds * 10);
        RefPicture ref;
        ASSERT_TRUE(read_ppm(data_path("stb-gif-anim-" + std::to_string(i) + ".ref.ppm"), &ref));
        ASSERT_NE(f.set.frames[i], nullptr);
        EXPECT_EQ(compare_with_reference(f.set.frames[i], ref), "");
    }
    fclose(d);
}

TEST(StbGif, OneFrameGivesACountOfOneWithDelays) {
    Frames f;
    load(data_path("stb-gif-one.gif"), &f);
    ASSERT_NE(f.set.frames, nullptr) << f.message;
    EXPECT_EQ(f.set.count, 1);
    ASSERT_NE(f.set.delays, nullptr);
    EXPECT_EQ(f.set.delays[0], 0);
    RefPicture ref;
    ASSERT_TRUE(read_ppm(data_path("stb-gif-one.ref.ppm"), &ref));
    EXPECT_EQ(compare_with_reference(f.set.frames[0], ref), "");
}

TEST(StbGif, TransparentPixelsAreNotBlended) {
    // No frame covers the transparent pixels: they keep the library's colour
    // (black), while netpbm's decode shows the palette colour behind them.
    Frames f;
    load(data_path("stb-gif-transparent.gif"), &f);
    ASSERT_NE(f.set.frames, nullptr) << f.message;
    RefPicture ref, alpha;
    ASSERT_TRUE(read_ppm(data_path("stb-gif-transparent.ref.ppm"), &ref));
    ASSERT_TRUE(read_ppm(data_path("stb-gif-transparent.alpha.ppm"), &alpha));  // white where opaque
    int w = ref.width, h = ref.height;
    ASSERT_EQ(alpha.width, w);
    ASSERT_EQ(alpha.height, h);
    const Image* image = f.set.frames[0];
    ASSERT_EQ(image->width, ref.width);
    ASSERT_EQ(image->height, ref.height);
    int transparent = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = image_row(image, y) + 3 * x;
            const unsigned char* want = &ref.rgb[((size_t)y * w + x) * 3];
            if (alpha.rgb[((size_t)y * w + x) * 3] == 0) {
                ++transparent;
                EXPECT_TRUE(p[0] == 0 && p[1] == 0 && p[2] == 0) << x << "," << y;
            } else {
                EXPECT_TRUE(p[2] == want[0] && p[1] == want[1] && p[0] == want[2]) << x << "," << y;
            }
        }
    }
    EXPECT_GT(transparent, 0);
}

TEST(StbGif, FrameTwoBackIsTheComposedPreviousFrame) {
    // The second frame asks to be undone by restoring what was there before it;
    // the third frame then shows the first frame's pixels where the second was.
    std::vector<int> first(64);
    for (int i = 0; i < 64; ++i) first[i] = 10 + i;
    std::vector<GifFrame> frames = {{0, 0, 8, 8, first, 1, 10},
                                    {2, 2, 4, 4, std::vector<int>(16, 200), 3, 20},
                                    {0, 0, 1, 1, {99}, 1, 30}};
    Frames f;
    decode(make_gif(8, 8, frames), &f);
    ASSERT_NE(f.set.frames, nullptr) << f.message;
    ASSERT_EQ(f.set.count, 3);
    EXPECT_EQ(f.set.delays[0], 100);
    EXPECT_EQ(f.set.delays[1], 200);
    EXPECT_EQ(f.set.delays[2], 300);
    EXPECT_TRUE(pixel_is_index(f.set.frames[1], 3, 3, 200));
    EXPECT_TRUE(pixel_is_index(f.set.frames[2], 0, 0, 99));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (x || y) EXPECT_TRUE(pixel_is_index(f.set.frames[2], x, y, 10 + y * 8 + x)) << x << "," << y;
}

TEST(StbGif, CutShortFailsWithTheLibraryReason) {
    std::vector<unsigned char> gif = read_whole(data_path("stb-gif-one.gif"));
    ASSERT_GT(gif.size(), 20u);
    // Only the signature and part of the screen descriptor.
    Frames f;
    decode(std::vector<unsigned char>(gif.begin(), gif.begin() + 8), &f);
    expect_failure(f);
    // Through the single-picture path too: stb names its reason.
    char message[kMessageBytes];
    std::vector<unsigned char> cut(gif.begin(), gif.begin() + 8);
    EXPECT_EQ(decode_with_stb(cut.data(), cut.size(), message), nullptr);
    EXPECT_STRNE(message, "");
    EXPECT_STRNE(message, kMsgGifFailed);

    // The whole header and palette, no frame: the library says the file is not one it knows.
    Frames g;
    decode(std::vector<unsigned char>(gif.begin(), gif.begin() + 13 + 3 * 64), &g);
    expect_failure(g);
}

TEST(StbGif, FileErrors) {
    Frames missing;
    load(scratch_path("stb-no-such.gif"), &missing);
    expect_failure(missing);
    EXPECT_STREQ(missing.message, kMsgOpenFailed);

    Frames empty;
    load(write_scratch("stb-empty.gif", {}), &empty);
    expect_failure(empty);
    EXPECT_STREQ(empty.message, kMsgGifInvalid);

    Frames not_gif;
    load(write_scratch("stb-not.gif", {'P', '6', ' ', '1'}), &not_gif);
    expect_failure(not_gif);
}

TEST(StbGif, ScreenAboveTheSideLimitIsRefused) {
    // The library takes a 30001 x 1 screen; the loader must not.
    std::vector<GifFrame> frames = {{0, 0, 1, 1, {5}, 1, 10}};
    Frames f;
    decode(make_gif(30001, 1, frames), &f);
    expect_failure(f);
    EXPECT_STREQ(f.message, kMsgGifBadDimensions);
}
