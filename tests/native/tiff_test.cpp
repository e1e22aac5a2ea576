// The TIFF reader on files built here, for what no encoder writes on purpose:
// hostile headers, numbers near 2^32, broken LZW and PackBits data, looping
// and long page chains. Independent encoders' files are in the corpus manifest.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/tiff.h"
#include "core/tiff_codecs.h"
#include "tests/support/bytes.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

// A page of these fields whose one strip follows the directory. The strip's
// own entries come first, so the fields may give them again.
Bytes page(std::vector<IfdField> fields, const Bytes& strip, bool little = true) {
    fields.insert(fields.begin(), {ifd_long(273, 0), ifd_long(279, (uint32_t)strip.size())});
    fields.front().value = (uint32_t)tiff_structure({fields}, little, false).size();
    Bytes b = tiff_structure({fields}, little, false);
    b.insert(b.end(), strip.begin(), strip.end());
    return b;
}

std::vector<IfdField> sides(uint32_t w, uint32_t h) { return {ifd_short(256, w), ifd_short(257, h)}; }

std::vector<IfdField> with(std::vector<IfdField> a, const std::vector<IfdField>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// SHORT values in the field or after the directory.
IfdField shorts(uint16_t tag, const std::vector<uint16_t>& values, bool little = true) {
    Bytes data;
    for (uint16_t v : values) put16(data, v, little);
    return {tag, 3, (uint32_t)values.size(), 0, data};
}

Bytes decode_rgb(const Bytes& file, std::string* message) {
    Decoded d;
    d.image = decode_tiff_first_page(file.data(), file.size(), d.message);
    *message = d.message;
    return d.image ? reference_of(d.image).rgb : Bytes();
}

// LZW codes packed most significant bit first, each as wide as the writer
// makes it: 9 bits, one more from 511, 1023 and 2047 table entries on.
Bytes pack_codes(const std::vector<uint32_t>& codes) {
    Bytes out;
    uint64_t acc = 0;
    int have = 0;
    uint32_t next = 258;
    bool first = true;
    for (uint32_t code : codes) {
        int width = next >= 2047 ? 12 : next >= 1023 ? 11 : next >= 511 ? 10 : 9;
        acc = (acc << width) | code;
        for (have += width; have >= 8; have -= 8) out.push_back((uint8_t)(acc >> (have - 8)));
        if (code == 256) {
            next = 258, first = true;
        } else {
            if (!first && next < 4096) ++next;
            first = false;
        }
    }
    if (have) out.push_back((uint8_t)(acc << (8 - have)));
    return out;
}

}  // namespace

TEST(Tiff, RefusalsCarryTheirMessages) {
    Bytes strip(64, 7);
    const struct { const char* what; Bytes file; const char* message; } cases[] = {
        {"shorter than a header", {'I', 'I', 42, 0, 8, 0, 0}, kMsgTiffInvalid},
        {"no byte-order mark", {'I', 'M', 42, 0, 8, 0, 0, 0}, kMsgTiffBadHeader},
        {"version 43", {'M', 'M', 0, 43, 0, 0, 0, 8}, kMsgTiffBadVersion},
        {"a header alone", {'I', 'I', 42, 0, 8, 0, 0, 0}, kMsgTiffBadIfd},
        {"directory near 2^32", {'I', 'I', 42, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0}, kMsgTiffBadIfd},
        {"entries past the end", {'I', 'I', 42, 0, 8, 0, 0, 0, 2, 0, 1, 1, 3, 0, 1, 0, 0, 0, 1}, kMsgTiffBadIfd},
        {"2^32 - 1 strips", page(with(sides(2, 2), {{273, 4, 0xFFFFFFFF, 8, {}}}), strip), kMsgTiffTooManyStrips},
        {"1048577 strip counts", page(with(sides(2, 2), {{279, 4, 1048577, 8, {}}}), strip), kMsgTiffTooManyStrips},
        {"262145 palette values", page(with(sides(2, 2), {{320, 3, 262145, 8, {}}}), strip), kMsgTiffPaletteTooLarge},
        {"planes", page(with(sides(2, 2), {ifd_short(284, 2)}), strip), kMsgTiffPlanar},
        {"no width", page({ifd_short(257, 2)}, strip), kMsgTiffNoSize},
        {"width 2^31 as a LONG", page({ifd_long(256, 0x80000000u), ifd_short(257, 2)}, strip), kMsgTiffTooLarge},
        {"height 30001", page(sides(2, 30001), strip), kMsgTiffTooLarge},
        {"five samples", page(with(sides(2, 2), {ifd_short(277, 5)}), strip), kMsgTiffSamples},
        {"tiles", tiff_structure({sides(2, 2)}, true, false), kMsgTiffNoStrips},
        {"more than one block of samples", page(with(sides(30000, 30000), {ifd_short(277, 4)}), strip), kMsgNoMemory},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_TRUE(decode_rgb(c.file, &message).empty()) << c.what;
        EXPECT_EQ(message, c.message) << c.what;
    }
}

// One row each, red green blue per pixel, in both byte orders.
TEST(Tiff, PageKindsAndTagEdges) {
    for (bool little : {true, false}) {
        const uint16_t kMap[] = {0x1100, 0x2200, 0x3300, 0x4400, 0x5500, 0x6600};  // two colours
        const struct { const char* what; std::vector<IfdField> fields; Bytes strip, want; } cases[] = {
            {"palette: an index past it takes the last colour",
             {ifd_short(262, 3), shorts(320, std::vector<uint16_t>(kMap, kMap + 6), little)},
             {0, 1, 200},
             {0x11, 0x33, 0x55, 0x22, 0x44, 0x66, 0x22, 0x44, 0x66}},
            {"a palette of no whole colour is black", {ifd_short(262, 3), shorts(320, {0xFFFF, 0xFFFF}, little)},
             {1, 2, 3}, Bytes(9, 0)},
            {"RGB of two samples: gray of the first", {ifd_short(262, 2), ifd_short(277, 2)},
             {1, 2, 3, 4, 5, 6}, {1, 1, 1, 3, 3, 3, 5, 5, 5}},
            {"RowsPerStrip 2^32 - 1 is one strip", {ifd_long(278, 0xFFFFFFFF)}, {4, 5, 6}, {4, 4, 4, 5, 5, 5, 6, 6, 6}},
            {"later tags win", {ifd_short(262, 0), ifd_short(262, 1)}, {4, 5, 6}, {4, 4, 4, 5, 5, 5, 6, 6, 6}},
            {"the strip is cut short: the rest black", {}, {8}, {8, 8, 8, 0, 0, 0, 0, 0, 0}},
            {"min-is-white cut short: the rest white", {ifd_short(262, 0)}, {8},
             {247, 247, 247, 255, 255, 255, 255, 255, 255}},
        };
        for (const auto& c : cases) {
            std::string message;
            Bytes have = decode_rgb(page(with(sides(3, 1), c.fields), c.strip, little), &message);
            EXPECT_EQ(have, c.want) << c.what << (little ? " II: " : " MM: ") << message;
        }
    }
}

// RGB rows go five pixels a step where the processor can shuffle bytes, the
// rest one by one: every width, on both paths, gives the samples back.
TEST(Tiff, RgbRowsOfEveryWidthOnBothPaths) {
    for (bool shuffle : {false, true}) {
        tiff_allow_ssse3(shuffle);
        for (uint32_t w = 1; w <= 40; ++w) {
            Bytes strip(6 * w);
            for (size_t i = 0; i < strip.size(); ++i) strip[i] = (uint8_t)(i * 37 + w);
            std::string message;
            EXPECT_EQ(decode_rgb(page(with(sides(w, 2), {ifd_short(262, 2), ifd_short(277, 3)}), strip), &message),
                      strip)
                << "width " << w << (shuffle ? " with" : " without") << " the shuffle: " << message;
        }
    }
    tiff_allow_ssse3(true);
}

// Independent encoders' pages with their strips behind the directory, cut at
// every length into exact copies (the sanitizer sees a read past the end):
// once the directory is whole each cut opens, never with fewer leading pixels
// than a shorter one, and the whole file as libtiff decodes it.
TEST(Tiff, CutAtEveryLength) {
    for (const char* kind : {"none-rgb-L-w3-several", "packbits-gray-B-w17-several", "lzw-pred-rgb-B-w17-several",
                             "fax-tc-g4-9-p0"}) {
        std::string name = std::string("tif-dirfirst-") + kind;
        Bytes file = read_whole(data_path(name + ".tif"));
        RefPicture ref;
        ASSERT_TRUE(read_ppm(data_path(name + ".ref.ppm"), &ref)) << name;
        std::string message;
        bool opened = false;
        size_t kept = 0;
        for (size_t n = 0; n <= file.size(); ++n) {
            Bytes have = decode_rgb(Bytes(file.begin(), file.begin() + n), &message);
            if (have.empty() && !opened) continue;
            opened = true;
            ASSERT_EQ(have.size(), ref.rgb.size()) << name << " cut to " << n << ": " << message;
            ASSERT_EQ(message, "") << name << " cut to " << n;
            size_t same = std::mismatch(have.begin(), have.end(), ref.rgb.begin()).first - have.begin();
            ASSERT_GE(same, kept) << name << " cut to " << n;
            kept = same;
        }
        EXPECT_EQ(kept, ref.rgb.size()) << name << ": the whole file";
    }
}

TEST(Tiff, LzwDamage) {
    const uint32_t A = 'A', B = 'B', kClear = 256, kEnd = 257;
    std::vector<uint32_t> full = {A};  // alternating letters fill the table with "AB" and "BA"
    for (int i = 0; i < 3838 + 4; ++i) full.push_back(i % 2 ? A : B);
    full.push_back(4095);  // the last entry made: "BA"
    full.push_back(kEnd);
    std::string full_want;
    for (size_t i = 0; i + 2 < full.size(); ++i) full_want += (char)full[i];
    full_want += "BA";
    const struct { const char* what; std::vector<uint32_t> codes; size_t size; std::string want; } cases[] = {
        {"no leading Clear", {A, B, 258, kEnd, A}, 8, "ABAB"},
        {"a Clear forgets the table", {kClear, A, B, kClear, B, 258, kEnd}, 8, "ABBBB"},
        {"codes above the next free one", {A, B, 400, 258, kEnd}, 8, "ABBBAB"},
        {"the first code after a Clear is one byte", {kClear, 0x141, B, kEnd}, 8, "AB"},
        {"codes run out", {A, B}, 5, "AB"},
        {"the strip is full first", {A, B, 258, 258}, 3, "ABA"},
        {"a full table is never cleared", full, full_want.size(), full_want},
    };
    for (const auto& c : cases) {
        Bytes in = pack_codes(c.codes);
        Bytes out(c.size, 0);
        size_t n = tiff_decode_lzw(in.data(), in.size(), out.data(), out.size());
        Bytes want(c.want.begin(), c.want.end());
        want.resize(c.size, 0);
        EXPECT_EQ(n, c.want.size()) << c.what;
        EXPECT_EQ(out, want) << c.what << ": the rest stays 0";
    }
}

TEST(Tiff, PackBitsRunsStopAtTheStripEnd) {
    const struct { const char* what; Bytes in; size_t size; Bytes want; } cases[] = {
        {"-128 does nothing", {0x80, 0, 'q'}, 1, {'q'}},
        {"a run of 128 over the end", {0x81, 'z'}, 10, Bytes(10, 'z')},
        {"a literal over the end of the input", {5, 'a', 'b'}, 4, {'a', 'b', 0, 0}},
        {"a repeat without its byte repeats 0", {0xFD}, 4, {0, 0, 0, 0}},
        {"a literal over the end of the strip", {4, 1, 2, 3, 4, 5, 0xFF, 9}, 3, {1, 2, 3}},
    };
    for (const auto& c : cases) {
        Bytes out(c.size, 0);  // exactly the strip: the sanitizer sees a write past it
        tiff_unpack_packbits(c.in.data(), c.in.size(), out.data(), out.size());
        EXPECT_EQ(out, c.want) << c.what;
    }
}

TEST(Tiff, PageChains) {
    auto one = [&](const std::vector<IfdField>& extra) {
        return with(with(sides(1, 1), extra), {ifd_long(273, 0), ifd_long(279, 1)});  // the strip: byte 0, 'I' or 'M'
    };
    // 600 pages; a loop back to the first; a JPEG page among good ones.
    std::vector<std::vector<IfdField>> many(600, one({}));
    Bytes looped = tiff_structure({one({}), one({})}, true, true);
    looped[8 + 54 + 2 + 12 * 4] = 8;  // the second directory's next: the first
    const struct { const char* what; Bytes file; int pages; const char* message; } cases[] = {
        {"600 pages", tiff_structure(many, false, true), kMaxTiffPages, ""},
        {"a chain that loops", looped, 2, ""},
        {"a JPEG page", tiff_structure({one({}), one({ifd_short(259, 7)}), one({})}, true, true), 2,
         kMsgTiffCompression},
        {"no page decodes", tiff_structure({one({ifd_short(258, 4)})}, true, true), 0, kMsgTiffBits},
        {"a directory with no room for its next offset", {'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0}, 0, kMsgTiffNoPage},
    };
    for (const auto& c : cases) {
        DecodedFrames d;
        EXPECT_EQ(decode_tiff_pages(c.file.data(), c.file.size(), &d.set, d.message), c.pages > 0) << c.what;
        EXPECT_EQ(d.set.count, c.pages) << c.what;
        EXPECT_STREQ(d.message, c.message) << c.what;
        EXPECT_EQ(d.set.delays, nullptr) << c.what;
        for (int i = 0; i < d.set.count; ++i) EXPECT_EQ(image_row(d.set.frames[i], 0)[0], c.file[0]) << c.what;
    }
    // 65535 repeats of the strip arrays, each claiming a million values: only the last is read.
    std::vector<IfdField> repeats(65535 - 4, {273, 4, 1000000, 0xFFFF0000u, {}});
    Bytes dup = tiff_structure({with(with(sides(1, 1), repeats), {ifd_long(273, 0), ifd_long(279, 1)})}, true, true);
    Decoded d;
    ASSERT_NE(d.image = decode_tiff_first_page(dup.data(), dup.size(), d.message), nullptr) << d.message;
    EXPECT_EQ(image_row(d.image, 0)[0], 'I');
}

TEST(Tiff, SizeProbe) {
    const struct { const char* what; Bytes file; int w, h; } cases[] = {
        {"LONG sides", tiff_structure({{ifd_long(256, 30000), ifd_long(257, 1)}}, true, false), 30000, 1},
        {"a width of 2^31", tiff_structure({{ifd_long(256, 0x80000000u), ifd_long(257, 1)}}, true, false), 0, 0},
        {"no height", tiff_structure({{ifd_long(256, 5)}}, true, false), 0, 0},
        {"entries cut short", Bytes{'I', 'I', 42, 0, 8, 0, 0, 0, 2, 0, 0, 1, 3, 0, 1, 0, 0, 0, 9, 0, 0, 0, 1, 1}, 0, 0},
    };
    for (const auto& c : cases) {
        int w = 0, h = 0, fw = 0, fh = 0;
        EXPECT_EQ(probe_tiff_data(c.file.data(), c.file.size(), &w, &h), c.w > 0) << c.what;
        EXPECT_EQ(probe_tiff_size(write_scratch("probe.tif", c.file).c_str(), &fw, &fh), c.w > 0) << c.what;
        EXPECT_EQ(std::vector<int>({w, h, fw, fh}), std::vector<int>({c.w, c.h, c.w, c.h})) << c.what;
    }
}
