// The TIFF reader on files built here, for what no encoder writes on purpose:
// hostile headers, numbers near 2^32, broken LZW and PackBits data, looping
// and long page chains. Independent encoders' files are in the corpus manifest.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/tiff.h"
#include "core/tiff_codecs.h"
#include "core/tiff_samples.h"
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
        {"planar configuration 3", page(with(sides(2, 2), {ifd_short(284, 3)}), strip), kMsgTiffPlanar},
        {"no width", page({ifd_short(257, 2)}, strip), kMsgTiffNoSize},
        {"width 2^31 as a LONG", page({ifd_long(256, 0x80000000u), ifd_short(257, 2)}, strip), kMsgTiffTooLarge},
        {"height 30001", page(sides(2, 30001), strip), kMsgTiffTooLarge},
        {"five samples", page(with(sides(2, 2), {ifd_short(277, 5)}), strip), kMsgTiffSamples},
        {"no strips or tiles", tiff_structure({sides(2, 2)}, true, false), kMsgTiffNoStrips},
        {"12 bits", page(with(sides(2, 2), {ifd_short(258, 12)}), strip), kMsgTiffBits},
        {"floating-point samples", page(with(sides(2, 2), {ifd_short(258, 16), ifd_short(339, 3)}), strip),
         kMsgTiffBits},
        {"old-style JPEG", page(with(sides(2, 2), {ifd_short(259, 6)}), strip), kMsgTiffCompression},
        {"12-bit JPEG", page(with(sides(2, 2), {ifd_short(259, 7), ifd_short(258, 12)}), strip), kMsgTiffBits},
        {"JPEG in planes", page(with(sides(2, 2), {ifd_short(259, 7), ifd_short(262, 2), ifd_short(277, 3),
                                                   ifd_short(284, 2)}),
                                strip),
         kMsgTiffPlanar},
        {"JPEG RGB of one sample", page(with(sides(2, 2), {ifd_short(259, 7), ifd_short(262, 2)}), strip),
         kMsgTiffSamples},
        {"JPEG palette", page(with(sides(2, 2), {ifd_short(259, 7), ifd_short(262, 3)}), strip), kMsgTiffSamples},
        {"tile offsets without tile sides", page(with(sides(2, 2), {ifd_long(324, 8), ifd_long(325, 4)}), strip),
         kMsgTiffNoStrips},
        {"a billion 1 x 1 tiles",
         page(with(sides(30000, 30000), {ifd_short(322, 1), ifd_short(323, 1), ifd_long(324, 8), ifd_long(325, 4)}),
              strip),
         kMsgTiffTooManyStrips},
        {"one tile of 2^32 - 1 squared", page(with(sides(1, 1), {ifd_long(322, 0xFFFFFFFF), ifd_long(323, 0xFFFFFFFF),
                                                                  ifd_long(324, 8), ifd_long(325, 4)}),
                                              strip),
         kMsgTiffTooLarge},
        {"one tile of 1024 squared for one pixel",
         page(with(sides(1, 1), {ifd_short(322, 1024), ifd_short(323, 1024), ifd_long(324, 8), ifd_long(325, 4)}),
              strip),
         kMsgTiffTooLarge},
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
// Deflate cut short, tiles, planes, 16-bit samples with the predictor, 4-bit
// samples and a fax page with its bits reversed the same way. Past the cut
// a predictor row repeats its last sample, which may round to the right
// 8-bit value by chance while the half sample one byte more gives does not:
// there the leading pixels may lose one. A fax code cut in half may decode
// to a wrong run up to the end of its row (37 pixels) where the white past
// the cut was right.
TEST(Tiff, CutAtEveryLength) {
    const struct { const char* name; size_t slack; } files[] = {
        {"tif-dirfirst-none-rgb-L-w3-several", 0}, {"tif-dirfirst-packbits-gray-B-w17-several", 0},
        {"tif-dirfirst-lzw-pred-rgb-B-w17-several", 0}, {"tif-dirfirst-fax-tc-g4-9-p0", 0},
        {"tiv-dirfirst-rgb16-zip-pred", 3}, {"tiv-dirfirst-rgb8-tiles", 0}, {"tiv-dirfirst-rgbbig-planes-tiles", 0},
        {"tiv-dirfirst-gray4-lzw", 0}, {"tiv-dirfirst-fax-fill2-g4", 3 * 37},
    };
    for (const auto& f : files) {
        std::string name = f.name;
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
            ASSERT_GE(same + f.slack, kept) << name << " cut to " << n;
            kept = same;
        }
        EXPECT_EQ(kept, ref.rgb.size()) << name << ": the whole file";
    }
}

// JPEG pages with their strips or tiles behind the directory and the tables,
// cut at every length: a message until the directory is whole, then the
// whole picture, leading pixels never fewer than at a shorter cut but for
// one band of 16 rows (a cut inside a block of 16 x 16 pixels upsamples its
// colour from what the cut left), and the whole file within 2 levels.
TEST(Tiff, JpegPagesCutAtEveryLength) {
    for (const char* name : {"tiv-dirfirst-jpeg-tiles", "tiv-dirfirst-jpeg-ycbcr"}) {
        Bytes file = read_whole(data_path(std::string(name) + ".tif"));
        RefPicture ref;
        ASSERT_TRUE(read_ppm(data_path(std::string(name) + ".ref.ppm"), &ref)) << name;
        size_t band = 16 * 3 * (size_t)ref.width, kept = 0;
        bool opened = false;
        for (size_t n = 0; n <= file.size(); ++n) {
            std::string message;
            Bytes have = decode_rgb(Bytes(file.begin(), file.begin() + n), &message);
            if (have.empty() && !opened) {
                EXPECT_NE(message, "") << name << " cut to " << n;
                continue;
            }
            opened = true;
            ASSERT_EQ(have.size(), ref.rgb.size()) << name << " cut to " << n << ": " << message;
            size_t same = 0;
            while (same < have.size() && abs(have[same] - ref.rgb[same]) <= 2) ++same;
            ASSERT_GE(same + band, kept) << name << " cut to " << n;
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
    // 600 pages; a loop back to the first; an old-style JPEG page among good ones.
    std::vector<std::vector<IfdField>> many(600, one({}));
    Bytes looped = tiff_structure({one({}), one({})}, true, true);
    looped[8 + 54 + 2 + 12 * 4] = 8;  // the second directory's next: the first
    const struct { const char* what; Bytes file; int pages; const char* message; } cases[] = {
        {"600 pages", tiff_structure(many, false, true), kMaxTiffPages, ""},
        {"a chain that loops", looped, 2, ""},
        {"an old-style JPEG page", tiff_structure({one({}), one({ifd_short(259, 6)}), one({})}, true, true), 2,
         kMsgTiffCompression},
        {"no page decodes", tiff_structure({one({ifd_short(258, 12)})}, true, true), 0, kMsgTiffBits},
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

namespace {

// One page with its samples in several blocks behind the directory: strips
// (one per plane) or tiles; `at` the blocks' offsets from the first on, a
// past-the-end offset where it is 0xFFFFFF00.
Bytes blocks_page(std::vector<IfdField> fields, bool tiles, const std::vector<Bytes>& blocks,
                  const std::vector<uint32_t>& past_end = {}) {
    uint16_t offsets_tag = tiles ? 324 : 273, counts_tag = tiles ? 325 : 279;
    uint32_t n = (uint32_t)blocks.size();
    fields.push_back({offsets_tag, 4, n, 0, Bytes(4 * n)});
    fields.push_back({counts_tag, 4, n, 0, Bytes(4 * n)});
    uint32_t at = (uint32_t)tiff_structure({fields}, true, false).size();
    Bytes offsets, counts, data;
    for (uint32_t i = 0; i < n; ++i) {
        bool gone = std::find(past_end.begin(), past_end.end(), i) != past_end.end();
        put32(offsets, gone ? 0xFFFFFF00u : at + (uint32_t)data.size());
        put32(counts, (uint32_t)blocks[i].size());
        data.insert(data.end(), blocks[i].begin(), blocks[i].end());
    }
    fields[fields.size() - 2].data = offsets;
    fields.back().data = counts;
    Bytes b = tiff_structure({fields}, true, false);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

}  // namespace

// What no independent writer here makes: 16-bit palette indexes and planes,
// CMYK edges, tags that do not apply, a tile past the end of the file.
TEST(Tiff, VariantsOnBuiltPages) {
    const uint16_t kMap[] = {0x1100, 0x2200, 0x3300, 0x4400, 0x5500, 0x6600};  // two colours
    const struct { const char* what; std::vector<IfdField> fields; Bytes strip, want; } cases[] = {
        {"16-bit gray rounds to the nearest level", {ifd_short(258, 16)}, {0, 0, 128, 0, 129, 0, 255, 255},
         {0, 0, 0, 0, 0, 0, 1, 1, 1, 255, 255, 255}},
        {"16-bit palette indexes: past the palette the last colour",
         {ifd_short(258, 16), ifd_short(262, 3), shorts(320, std::vector<uint16_t>(kMap, kMap + 6))},
         {1, 0, 0, 0, 44, 1, 0, 0},
         {0x22, 0x44, 0x66, 0x11, 0x33, 0x55, 0x22, 0x44, 0x66, 0x11, 0x33, 0x55}},
        {"2-bit min-is-white", {ifd_short(258, 2), ifd_short(262, 0)}, {0x1B},
         {255, 255, 255, 170, 170, 170, 85, 85, 85, 0, 0, 0}},
        {"CMYK: white, cyan, black, a product of two inks", {ifd_short(262, 5), ifd_short(277, 4)},
         {0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 255, 0, 0, 128, 51},
         {255, 255, 255, 0, 255, 255, 0, 0, 0, 204, 204, 101}},
        {"inks other than CMYK show the first as gray", {ifd_short(262, 5), ifd_short(277, 4), ifd_short(332, 2)},
         {9, 1, 1, 1, 8, 1, 1, 1, 7, 1, 1, 1, 6, 1, 1, 1}, {9, 9, 9, 8, 8, 8, 7, 7, 7, 6, 6, 6}},
        {"FillOrder 2 leaves 8-bit samples alone", {ifd_short(266, 2)}, {1, 2, 3, 4}, {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4}},
        {"no predictor on 4-bit samples", {ifd_short(258, 4), ifd_short(317, 2)}, {0x12, 0x34},
         {17, 17, 17, 34, 34, 34, 51, 51, 51, 68, 68, 68}},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_EQ(decode_rgb(page(with(sides(4, 1), c.fields), c.strip), &message), c.want) << c.what << ": " << message;
    }
    // One plane per sample of 16 bits.
    Bytes planes = blocks_page(with(sides(2, 1), {ifd_short(258, 16), ifd_short(262, 2), ifd_short(277, 3),
                                                  ifd_short(284, 2)}),
                               false, {{255, 255, 0, 0}, {0, 0, 255, 255}, {0, 128, 0, 128}});
    std::string message;
    EXPECT_EQ(decode_rgb(planes, &message), (Bytes{255, 0, 128, 0, 255, 128})) << message;
    // Two 16 x 16 tiles for a page 20 wide; the second lies past the end of the file.
    Bytes tile(256);
    for (size_t i = 0; i < tile.size(); ++i) tile[i] = (uint8_t)(i + 1);
    Bytes tiled = blocks_page(with(sides(20, 2), {ifd_short(322, 16), ifd_short(323, 16)}), true, {tile, tile}, {1});
    Bytes have = decode_rgb(tiled, &message);
    ASSERT_EQ(have.size(), 20u * 2 * 3) << message;
    EXPECT_EQ(message, "");
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(have[3 * (20 * y + x)], x < 16 ? tile[16 * y + x] : 0) << x << "," << y;
}

// Every 16-bit sample in both byte orders rounds to (v * 255 + 32767) / 65535.
TEST(Tiff, SixteenBitSamplesRoundToTheNearestLevel) {
    for (bool little : {true, false}) {
        Bytes in;
        for (uint32_t v = 0; v < 65536; ++v) put16(in, v, little);
        Bytes out(65536);
        tiff_widen_samples(in.data(), out.data(), out.size(), 16, little, false);
        for (uint32_t v = 0; v < 65536; ++v)
            ASSERT_EQ(out[v], (v * 255 + 32767) / 65535) << v << (little ? " II" : " MM");
    }
}
