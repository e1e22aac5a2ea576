// The adapter's own rules: size limits, the library's reason and its cut,
// Softimage PIC files (no other tool here writes them), plain netpbm files.
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/loader.h"
#include "core/pnm_plain.h"
#include "core/stb_adapter.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

struct Decoded {
    Image* image = nullptr;
    char message[kMessageBytes] = "untouched";
    ~Decoded() { image_free(image); }
};

void decode(const std::vector<uint8_t>& bytes, Decoded* out) {
    out->image = decode_with_stb(bytes.data(), bytes.size(), out->message);
}

void put32be(std::vector<uint8_t>* b, uint32_t v) {
    for (int i = 3; i >= 0; --i) b->push_back((uint8_t)(v >> (8 * i)));
}

uint32_t crc32(const uint8_t* p, size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

// A PNG signature and IHDR only: enough for the size query.
std::vector<uint8_t> png_header(uint32_t w, uint32_t h) {
    std::vector<uint8_t> b = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
    std::vector<uint8_t> chunk = {'I', 'H', 'D', 'R'};
    put32be(&chunk, w);
    put32be(&chunk, h);
    chunk.insert(chunk.end(), {8, 2, 0, 0, 0});
    put32be(&b, 13);
    b.insert(b.end(), chunk.begin(), chunk.end());
    put32be(&b, crc32(chunk.data(), chunk.size()));
    return b;
}

// A Softimage PIC of one packet (red, green, blue): uncompressed (type 0) or
// mixed run-length (type 2), from top-down rows of red, green, blue.
std::vector<uint8_t> make_pic(int w, int h, const std::vector<uint8_t>& rgb, int type) {
    std::vector<uint8_t> b;
    put32be(&b, 0x5380F634);
    put32be(&b, 0x406D70A4);  // version 3.71 as a float
    b.resize(b.size() + 80, 0);
    b.insert(b.end(), {'P', 'I', 'C', 'T', (uint8_t)(w >> 8), (uint8_t)w, (uint8_t)(h >> 8), (uint8_t)h});
    put32be(&b, 0x3F800000);  // ratio 1.0
    b.insert(b.end(), {0, 3, 0, 0});  // fields, pad
    b.insert(b.end(), {0, 8, (uint8_t)type, 0xE0});
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = &rgb[(size_t)y * w * 3];
        int x = 0;
        while (x < w) {
            if (type == 0) {
                b.insert(b.end(), row + 3 * x, row + 3 * x + 3);
                ++x;
                continue;
            }
            int run = 1;
            while (x + run < w && run < 127 && memcmp(row + 3 * (x + run), row + 3 * x, 3) == 0) ++run;
            if (run >= 2) {
                b.push_back((uint8_t)(127 + run));
                b.insert(b.end(), row + 3 * x, row + 3 * x + 3);
            } else {
                b.push_back(0);  // one raw pixel
                b.insert(b.end(), row + 3 * x, row + 3 * x + 3);
            }
            x += run;
        }
    }
    return b;
}

RefPicture picture_for_pic(int w, int h) {
    RefPicture p;
    p.width = w;
    p.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool band = x < w / 2;  // runs for the run-length packet
            p.rgb.push_back(band ? 200 : (uint8_t)(x * 20));
            p.rgb.push_back(band ? 30 : (uint8_t)(y * 40));
            p.rgb.push_back((uint8_t)(x + y));
        }
    return p;
}

}  // namespace

TEST(StbAdapter, PicUncompressedAndRunLengthByExtension) {
    RefPicture want = picture_for_pic(9, 5);
    for (int type : {0, 2}) {
        SCOPED_TRACE(type);
        std::string path = write_scratch("stb-" + std::to_string(type) + ".pic", make_pic(9, 5, want.rgb, type));
        char message[kMessageBytes];
        Image* image = load_image(path.c_str(), message);
        ASSERT_NE(image, nullptr) << message;
        EXPECT_EQ(compare_with_reference(image, want), "");
        image_free(image);
        int w = 0, h = 0;
        EXPECT_EQ(probe_image_size(path.c_str(), &w, &h), 1);
        EXPECT_EQ(w, 9);
        EXPECT_EQ(h, 5);
    }
}

TEST(StbAdapter, SidesAboveTheLimitAreRefusedFromTheHeader) {
    // Only a header: the refusal must come before any decoding.
    for (auto size : {std::pair<uint32_t, uint32_t>{30001, 1}, {1, 30001}, {30001, 2}}) {
        Decoded d;
        decode(png_header(size.first, size.second), &d);
        EXPECT_EQ(d.image, nullptr);
        EXPECT_STREQ(d.message, kMsgBadDimensions) << size.first << "x" << size.second;
        int w = 0, h = 0;
        std::vector<uint8_t> head = png_header(size.first, size.second);
        EXPECT_EQ(probe_stb_data(head.data(), head.size(), &w, &h), 0);
    }
    // A header the size query itself refuses goes on to the decoder, which
    // names its own reason.
    Decoded huge;
    decode(png_header(40000, 40000), &huge);
    EXPECT_EQ(huge.image, nullptr);
    EXPECT_STREQ(huge.message, "too large");

    // At the limit the header passes, and the missing data is the library's to name.
    Decoded d;
    decode(png_header(30000, 1), &d);
    EXPECT_EQ(d.image, nullptr);
    EXPECT_STRNE(d.message, kMsgBadDimensions);
    EXPECT_STRNE(d.message, "");
    int w = 0, h = 0;
    std::vector<uint8_t> head = png_header(30000, 1);
    EXPECT_EQ(probe_stb_data(head.data(), head.size(), &w, &h), 1);
    EXPECT_EQ(w, 30000);
}

TEST(StbAdapter, LibraryReasonIsCutAtOneHundredTwenty) {
    char message[kMessageBytes + 4];
    memset(message, 'x', sizeof message);
    std::string reason(300, 'r');
    set_library_reason(message, reason.c_str(), kMsgStbFailed);
    EXPECT_EQ(strlen(message), kLibraryReasonChars);
    EXPECT_EQ(message[kLibraryReasonChars + 1], 'x');  // nothing written past the terminator

    set_library_reason(message, "unknown image type", kMsgStbFailed);
    EXPECT_STREQ(message, "unknown image type");
    set_library_reason(message, nullptr, kMsgStbFailed);
    EXPECT_STREQ(message, "stb_image: cozumlenemedi.");
    set_library_reason(message, "", kMsgGifFailed);
    EXPECT_STREQ(message, "GIF cozulemedi.");
    set_library_reason(nullptr, "ignored", kMsgGifFailed);
}

TEST(StbAdapter, ReasonIsTheLibrarysOwnAndBelongsToThisCall) {
    Decoded unknown;
    decode({'x', 'y', 'z', 'w', 1, 2, 3, 4}, &unknown);
    EXPECT_EQ(unknown.image, nullptr);
    EXPECT_STREQ(unknown.message, "unknown image type");

    std::vector<uint8_t> jpeg = read_whole(std::string(LUMORA_TEST_DATA) + "/stb-jpeg444.jpg");
    ASSERT_GT(jpeg.size(), 100u);
    jpeg.resize(3);  // FF D8 FF and nothing more
    Decoded cut;
    decode(jpeg, &cut);
    EXPECT_EQ(cut.image, nullptr);
    EXPECT_STRNE(cut.message, "unknown image type");  // not the reason of the call before
    EXPECT_STRNE(cut.message, "");
}

TEST(StbAdapter, TruncatedFilesNeverReadPastTheirEnd) {
    // Every prefix of each kind, each in a block of exactly its size.
    for (const char* name : {"stb-png-rgb.png", "stb-jpegprog.jpg", "stb-gif-one.gif", "stb-tga-rle.tga", "stb-psd.psd",
                             "stb-pnm-p3.ppm", "stb-pnm-p6-16.ppm"}) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> bytes = read_whole(std::string(LUMORA_TEST_DATA) + "/" + name);
        ASSERT_FALSE(bytes.empty());
        size_t step = bytes.size() / 150 + 1;
        for (size_t n = 0; n < bytes.size(); n += step) {
            std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + n);
            Decoded d;
            d.image = decode_with_stb(n ? cut.data() : nullptr, n, d.message);
            if (d.image) EXPECT_STREQ(d.message, "");
            else EXPECT_STRNE(d.message, "") << n;
        }
    }
}

TEST(StbAdapter, MissingAndEmptyFiles) {
    char message[kMessageBytes];
    EXPECT_EQ(load_with_stb(scratch_path("stb-missing.jpg").c_str(), message), nullptr);
    EXPECT_STREQ(message, kMsgOpenFailed);
    EXPECT_EQ(load_with_stb(write_scratch("stb-empty.png", {}).c_str(), message), nullptr);
    EXPECT_STRNE(message, "");
    int w = 7, h = 7;
    EXPECT_EQ(probe_with_stb(scratch_path("stb-missing.jpg").c_str(), &w, &h), 0);
    EXPECT_EQ(w, 7);
}

TEST(StbAdapter, PlainNetpbmDetails) {
    // Comments anywhere in the header; digits of P1 with no space between them.
    Decoded bits;
    std::string p1 = "P1\n# a comment\n3 # width\n2\n010\n1 1 0";
    decode(std::vector<uint8_t>(p1.begin(), p1.end()), &bits);
    ASSERT_NE(bits.image, nullptr) << bits.message;
    const int want_bits[6] = {255, 0, 255, 0, 0, 255};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(image_row(bits.image, i / 3)[3 * (i % 3)], want_bits[i]) << i;

    // Samples missing at the end stay black; values above maxval count as maxval.
    Decoded gray;
    std::string p2 = "P2 3 2 10\n10 5 0\n99";
    decode(std::vector<uint8_t>(p2.begin(), p2.end()), &gray);
    ASSERT_NE(gray.image, nullptr) << gray.message;
    const int want_gray[6] = {255, 128, 0, 255, 0, 0};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(image_row(gray.image, i / 3)[3 * (i % 3)], want_gray[i]) << i;

    // A P3 pixel is red, green, blue.
    Decoded colour;
    std::string p3 = "P3 1 1 255 10 20 30";
    decode(std::vector<uint8_t>(p3.begin(), p3.end()), &colour);
    ASSERT_NE(colour.image, nullptr);
    EXPECT_EQ(colour.image->pixels[0], 30);
    EXPECT_EQ(colour.image->pixels[2], 10);

    // Broken headers and sizes.
    struct Bad {
        const char* text;
        const char* message;
    } bad[] = {{"P2 3", kMsgPnmInvalid},        {"P2 3 2 0 1", kMsgPnmInvalid},   {"P3 1 1 70000 1", kMsgPnmInvalid},
               {"P1 x", kMsgPnmInvalid},        {"P4 30001 1 ", kMsgBadDimensions}, {"P1 0 5", kMsgBadDimensions},
               {"P2 99999999999 1 255", kMsgBadDimensions}};
    for (const Bad& b : bad) {
        Decoded d;
        decode(std::vector<uint8_t>(b.text, b.text + strlen(b.text)), &d);
        EXPECT_EQ(d.image, nullptr) << b.text;
        EXPECT_STREQ(d.message, b.message) << b.text;
    }
    EXPECT_FALSE(is_pnm_plain((const uint8_t*)"P5", 2));
    EXPECT_FALSE(is_pnm_plain((const uint8_t*)"P", 1));
}
