// The stb_image adapter's own rules (size limits, the library's reason, plain
// netpbm, animated GIF, the writer) and the inputs that once crashed the
// library. Cross-checks of whole files are in the corpus manifest.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <filesystem>

#include "core/loader.h"
#include "core/pnm_plain.h"
#include "core/stb_adapter.h"
#include "core/stb_impl.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

// The bytes in a block of exactly their size, so the sanitizer sees any read past it.
Decoded* decode(const std::vector<uint8_t>& bytes, Decoded* out) {
    out->image = decode_with_stb(bytes.empty() ? nullptr : bytes.data(), bytes.size(), out->message);
    return out;
}
Decoded* decode(const std::string& text, Decoded* out) { return decode(std::vector<uint8_t>(text.begin(), text.end()), out); }

typedef DecodedFrames Frames;

// The loader's answer, checked against what it left: a failure leaves the set
// empty and says why; a success has frames and delays.
bool decode_frames(const std::vector<uint8_t>& bytes, Frames* out) {
    bool ok = decode_gif_frames(bytes.data(), bytes.size(), &out->set, out->message);
    EXPECT_EQ(ok, out->set.count > 0);
    return ok;
}

void expect_clean(const Frames& f) {
    bool ok = f.set.count > 0 ? f.set.delays && !f.message[0]
                              : !f.set.frames && f.set.count == 0 && !f.set.delays && f.message[0];
    EXPECT_TRUE(ok) << "frames " << f.set.frames << ", count " << f.set.count << ", delays " << f.set.delays
                    << ", message \"" << f.message << "\"";
}

// Lifts the allocation limits a test sets, whatever way it ends.
struct AllocationLimit {
    explicit AllocationLimit(size_t bytes) { stb_limit_allocation_size(bytes); }
    ~AllocationLimit() {
        stb_limit_allocation_size(0);
        stb_fail_allocations_from(0);
    }
};

std::vector<std::string> crashers(const std::string& folder) {
    std::vector<std::string> paths;
    for (const auto& e : std::filesystem::directory_iterator(std::string(LUMORA_CRASHERS) + "/" + folder))
        paths.push_back(e.path().string());
    return paths;
}

// A netpbm tool's decode of a file Lumora wrote.
bool netpbm_decode(const std::string& tool, const std::string& path, RefPicture* out) {
    std::string ppm = path + ".np.ppm";
    std::string command = tool + " '" + path + "' 2>/dev/null | ppmtoppm > '" + ppm + "' 2>/dev/null";
    return system(command.c_str()) == 0 && read_ppm(ppm, out);
}

}  // namespace

TEST(Stb, HeaderDecidesBeforeAnyPixelIsAllocated) {
    // The library may not allocate 1 MB: a picture refused by its header never asks.
    AllocationLimit limit(1u << 20);
    Decoded wide, tall, block;
    EXPECT_STREQ(decode("P6 30001 1 255\n", &wide)->message, kMsgBadDimensions);
    EXPECT_STREQ(decode("P6 1 30001 255\n", &tall)->message, kMsgBadDimensions);
    // Sides in range whose padded rows pass the block limit by a few kilobytes.
    EXPECT_STREQ(decode("P6 29999 23861 255\n", &block)->message, kMsgNoMemory);
    int w = 0, h = 0;
    EXPECT_FALSE(probe_stb_data((const uint8_t*)"P6 30001 1 255\n", 15, &w, &h));
    // At the limit the header passes; the missing samples stay black.
    Decoded edge;
    ASSERT_NE(decode("P6 30000 1 255\n", &edge)->image, nullptr) << edge.message;
    EXPECT_EQ(edge.image->width, 30000);
    EXPECT_TRUE(probe_stb_data((const uint8_t*)"P6 30000 1 255\n", 15, &w, &h));
    EXPECT_EQ(w, 30000);
}

TEST(Stb, LibraryReasonIsItsOwnCutAtOneHundredTwenty) {
    char message[kMessageBytes + 4];
    memset(message, 'x', sizeof message);
    set_library_reason(message, std::string(300, 'r').c_str(), kMsgStbFailed);
    EXPECT_EQ(strlen(message), kLibraryReasonChars);
    EXPECT_EQ(message[kLibraryReasonChars + 1], 'x');  // nothing written past the terminator
    set_library_reason(message, nullptr, kMsgStbFailed);
    EXPECT_STREQ(message, "stb_image: cozumlenemedi.");
    set_library_reason(message, "", kMsgGifFailed);
    EXPECT_STREQ(message, "GIF cozulemedi.");

    // The size query does not know the bytes: the decoder runs and names them.
    Decoded unknown, cut;
    EXPECT_STREQ(decode("xyzw\x01\x02\x03\x04", &unknown)->message, "unknown image type");
    // The reason belongs to this call, not the one before.
    EXPECT_STRNE(decode(std::vector<uint8_t>{0xFF, 0xD8, 0xFF}, &cut)->message, "unknown image type");
    EXPECT_STRNE(cut.message, "");
}

TEST(Stb, TruncatedFilesNeverReadPastTheirEnd) {
    for (const char* name : {"stb-png-rgb.png", "stb-jpegprog.jpg", "stb-gif-one.gif", "stb-tga-rle.tga", "stb-psd.psd",
                             "stb-pnm-p3.ppm", "stb-pnm-p6-16.ppm"}) {
        std::vector<uint8_t> bytes = read_whole(data_path(name));
        ASSERT_FALSE(bytes.empty()) << name;
        for (size_t n = 0; n < bytes.size(); n += bytes.size() / 150 + 1) {
            Decoded d;
            decode(std::vector<uint8_t>(bytes.begin(), bytes.begin() + n), &d);
            EXPECT_EQ(d.message[0] == 0, d.image != nullptr) << name << " cut at " << n << ": " << d.message;
        }
    }
}

TEST(Stb, SoftimagePicOpensByItsExtension) {
    // No tool here writes the format: a 2 x 1 picture of one uncompressed
    // red-green-blue packet, by hand.
    std::vector<uint8_t> b = {0x53, 0x80, 0xF6, 0x34, 0x40, 0x6D, 0x70, 0xA4};
    b.resize(88, 0);
    b.insert(b.end(), {'P', 'I', 'C', 'T', 0, 2, 0, 1, 0x3F, 0x80, 0, 0, 0, 3, 0, 0, 0, 8, 0, 0xE0});
    b.insert(b.end(), {10, 20, 30, 40, 50, 60});
    char message[kMessageBytes];
    Image* image = load_image(write_scratch("two.pic", b).c_str(), message);
    ASSERT_NE(image, nullptr) << message;
    const uint8_t* p = image_row(image, 0);
    EXPECT_TRUE(image->width == 2 && p[0] == 30 && p[1] == 20 && p[2] == 10 && p[3] == 60 && p[5] == 40);
    image_free(image);
}

TEST(Stb, PlainNetpbmDetails) {
    // Comments anywhere in the header; digits of P1 with no space between them.
    Decoded bits, gray;
    ASSERT_NE(decode("P1\n# a comment\n3 # width\n2\n010\n1 1 0", &bits)->image, nullptr) << bits.message;
    const int want_bits[6] = {255, 0, 255, 0, 0, 255};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(image_row(bits.image, i / 3)[3 * (i % 3)], want_bits[i]) << i;
    // Samples missing at the end stay black; values above maxval count as maxval.
    ASSERT_NE(decode("P2 3 2 10\n10 5 0\n99", &gray)->image, nullptr) << gray.message;
    const int want_gray[6] = {255, 128, 0, 255, 0, 0};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(image_row(gray.image, i / 3)[3 * (i % 3)], want_gray[i]) << i;
    const struct { const char* text; const char* message; } bad[] = {{"P2 3", kMsgPnmInvalid},         {"P2 3 2 0 1", kMsgPnmInvalid},     {"P3 1 1 70000 1", kMsgPnmInvalid},
               {"P1 x", kMsgPnmInvalid},         {"P4 30001 1 ", kMsgBadDimensions}, {"P1 0 5", kMsgBadDimensions},
               {"P2 99999999999 1 255", kMsgBadDimensions}};
    for (const auto& b : bad) {
        Decoded d;
        EXPECT_EQ(decode(b.text, &d)->image, nullptr) << b.text;
        EXPECT_STREQ(d.message, b.message) << b.text;
    }
    EXPECT_FALSE(is_pnm_plain((const uint8_t*)"P", 1));  // P5 and P6 going to the library: the corpus
}

TEST(StbGif, TransparentPixelsKeepTheLibrarysColour) {
    // No frame covers them: they stay black, never blended with the palette
    // colour netpbm shows behind them.
    std::string path = data_path("stb-gif-transparent.gif");
    ImageSet set = {};
    char message[kMessageBytes];
    ASSERT_TRUE(load_gif_frames(path.c_str(), &set, message)) << message;
    RefPicture ref, alpha;
    ASSERT_TRUE(read_ppm(data_path("stb-gif-transparent.ref.ppm"), &ref));
    ASSERT_TRUE(read_ppm(data_path("stb-gif-transparent.alpha.ppm"), &alpha));  // white where opaque
    ASSERT_EQ(alpha.rgb.size(), ref.rgb.size());
    int transparent = 0;
    for (size_t i = 0; i < alpha.rgb.size(); i += 3)
        if (alpha.rgb[i] == 0) ++transparent, ref.rgb[i] = ref.rgb[i + 1] = ref.rgb[i + 2] = 0;
    EXPECT_GT(transparent, 0);
    EXPECT_EQ(compare_with_reference(set.frames[0], ref), "");
    image_set_free(&set);
}

TEST(StbGif, FailuresLeaveTheSetEmpty) {
    Frames missing, empty, wide;  // the library refusing a GIF: StbCrashers
    ASSERT_FALSE(load_gif_frames(scratch_path("stb-no-such.gif").c_str(), &missing.set, missing.message));
    EXPECT_STREQ(missing.message, kMsgOpenFailed);
    ASSERT_FALSE(load_gif_frames(write_scratch("stb-empty.gif", {}).c_str(), &empty.set, empty.message));
    EXPECT_STREQ(empty.message, kMsgGifInvalid);
    // A 30001 x 1 screen with one pixel: the library takes it, the loader must not.
    EXPECT_FALSE(decode_frames({'G', 'I', 'F', '8', '9', 'a', 0x31, 0x75, 1, 0, 0x80, 0, 0, 0, 0, 0, 9, 9, 9,
                                0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0, 0x3B}, &wide));
    EXPECT_STREQ(wide.message, kMsgGifBadDimensions);
    for (Frames* f : {&missing, &empty, &wide}) expect_clean(*f);
}

TEST(StbGif, FrameSizesTheLibraryCannotHaveMadeAreRefused) {
    // Nine 8000 x 8000 frames are more bytes than one block of the library's
    // int lengths holds: refused before any frame is read from the block.
    uint8_t* rgba = (uint8_t*)malloc(16);
    int* delays = (int*)calloc(9, sizeof(int));
    Frames f;
    EXPECT_FALSE(adopt_gif_frames(rgba, delays, 8000, 8000, 9, &f.set, f.message));
    EXPECT_STREQ(f.message, kMsgGifBadDimensions);
    expect_clean(f);
}

TEST(StbCrashers, EveryInputFailsCleanlyOrDecodes) {
    std::vector<std::string> stb = crashers("stb"), gif = crashers("gif");
    ASSERT_GE(stb.size(), 5u);
    ASSERT_GE(gif.size(), 2u);
    for (const std::string& path : stb) {
        Decoded d;
        decode(read_whole(path), &d);
        EXPECT_EQ(d.message[0] == 0, d.image != nullptr) << path << ": " << d.message;
    }
    for (const std::string& path : gif) {
        SCOPED_TRACE(path);
        Frames f;
        decode_frames(read_whole(path), &f);
        expect_clean(f);
    }
}

TEST(StbCrashers, EveryAllocationFailingInTurn) {
    // The nth allocation of the library and all after it fail, for every n up
    // to past the last one: each run fails cleanly or decodes. A GIF's delays
    // freed by the library on the way out are not handed back to be freed again.
    std::vector<uint8_t> gif = read_whole(std::string(LUMORA_CRASHERS) + "/gif/dispose-previous-reads-before-buffer.gif");
    for (int n = 1; n <= 40; ++n) {
        AllocationLimit reset(0);
        stb_fail_allocations_from(n);
        Frames f;
        bool ok = decode_frames(gif, &f);
        expect_clean(f);
        if (ok) break;
        EXPECT_STREQ(f.message, "outofmem") << n;
        ASSERT_LT(n, 40) << "never decoded";
    }
    for (const char* name : {"stb-png-rgba.png", "stb-jpegprog.jpg"}) {
        std::vector<uint8_t> file = read_whole(data_path(name));
        for (int n = 1; n <= 200; ++n) {
            AllocationLimit reset(0);
            stb_fail_allocations_from(n);
            Decoded d;
            if (decode(file, &d)->image) break;
            EXPECT_STRNE(d.message, "") << name << " " << n;
            ASSERT_LT(n, 200) << name << " never decoded";
        }
    }
}

// What Lumora writes, read back by independent decoders.
TEST(StbSave, IndependentDecodersReadWhatIsWritten) {
    char message[kMessageBytes];
    Image* picture = load_image(data_path("stb-png-rgb.png").c_str(), message);
    ASSERT_NE(picture, nullptr) << message;
    const struct { int format; const char *name, *tool; int tolerance; } cases[] = {{kSavePng, "w.png", "pngtopam", 0}, {kSaveBmp, "w.bmp", "bmptopnm", 0},
                 {kSaveJpeg, "w.jpg", "jpegtopnm", 24}};  // quality 95 loses up to 18 levels of this picture
    for (const auto& c : cases) {
        std::string path = scratch_path(c.name);
        ASSERT_TRUE(save_image(path.c_str(), picture, c.format, 95));
        RefPicture ref;
        ASSERT_TRUE(netpbm_decode(c.tool, path, &ref)) << c.tool;
        EXPECT_EQ(compare_with_reference(picture, ref, c.tolerance), "") << c.name;
    }
    image_free(picture);
}
