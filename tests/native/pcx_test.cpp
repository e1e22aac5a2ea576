// The PCX and DCX readers on files built here, for what no encoder writes on
// purpose: hostile headers, every bit layout at its edges, broken or short
// run-length data, and DCX tables out of order, too long or
// pointing nowhere. Independent encoders' files are in the corpus manifest.
#include <gtest/gtest.h>
#include <stdio.h>

#include "core/pcx.h"
#include "tests/support/bytes.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

struct Layout {
    uint8_t bits, planes;
    uint16_t width, height, bytes_per_line;
    Bytes palette = {};  // header palette, red green blue per entry
    uint16_t xmin = 0;
};

Bytes pcx(const Layout& l, const Bytes& data) {
    Bytes b = {10, 5, 1, l.bits};
    put16(b, l.xmin), put16(b, 0), put16(b, (uint32_t)(l.xmin + l.width - 1)), put16(b, l.height - 1u);
    b.resize(16, 0);
    b.insert(b.end(), l.palette.begin(), l.palette.end());
    b.resize(65, 0);
    b.push_back(l.planes);
    put16(b, l.bytes_per_line);
    b.resize(kPcxHeaderBytes, 0);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

// Line bytes as run-length data: bytes from 192 up go as runs of one.
Bytes literal(const Bytes& line) {
    Bytes out;
    for (uint8_t v : line) v >= 0xC0 ? out.insert(out.end(), {0xC1, v}) : out.insert(out.end(), v);
    return out;
}

Bytes decode_rgb(const Bytes& file, std::string* message) {
    Decoded d;
    d.image = decode_pcx(file.data(), file.size(), d.message);
    *message = d.message;
    return d.image ? reference_of(d.image).rgb : Bytes();
}

Bytes gray(const Bytes& values) {
    Bytes rgb;
    for (uint8_t v : values) rgb.insert(rgb.end(), {v, v, v});
    return rgb;
}

// A sparse file of this size whose first byte is `first`.
std::string sized_file(const char* name, long size, uint8_t first) {
    std::string path = scratch_path(name);
    FILE* f = fopen(path.c_str(), "wb");
    if (f && fputc(first, f) != EOF && fseek(f, size - 1, SEEK_SET) == 0) fputc(0, f);
    if (f) fclose(f);
    return path;
}

}  // namespace

TEST(Pcx, RefusalsCarryTheirMessages) {
    Bytes one = {1}, short_file = pcx({8, 1, 1, 1, 1}, one), manufacturer = short_file;
    short_file.resize(kPcxHeaderBytes - 1);
    manufacturer[0] = 11;
    const struct { const char* what; Bytes file; const char* message; } cases[] = {
        {"127 bytes", short_file, kMsgPcxInvalid},
        {"manufacturer 11", manufacturer, kMsgPcxInvalid},
        {"width 0: xmax one below xmin", pcx({8, 1, 0, 1, 1, {}, 5}, one), kMsgPcxUnsupported},
        {"width 30001", pcx({8, 1, 30001, 1, 30001}, one), kMsgPcxUnsupported},
        {"height 30001", pcx({8, 1, 1, 30001, 1}, one), kMsgPcxUnsupported},
        {"no bytes per line", pcx({8, 1, 1, 1, 0}, one), kMsgPcxUnsupported},
        {"no planes", pcx({8, 0, 1, 1, 1}, one), kMsgPcxUnsupported},
        {"five planes", pcx({1, 5, 1, 1, 1}, one), kMsgPcxUnsupported},
        {"2 bits", pcx({2, 1, 1, 1, 1}, one), kMsgPcxBadDepth},
        {"8 bits, 5 wide in 4 bytes", pcx({8, 1, 5, 1, 4}, one), kMsgPcxShortLine},
        {"4 bits, 5 wide in 2 bytes", pcx({4, 1, 5, 1, 2}, one), kMsgPcxShortLine},
        {"1 bit, 9 wide in 1 byte", pcx({1, 4, 9, 1, 1}, one), kMsgPcxShortLine},
        {"more pixels than one block", pcx({8, 3, 30000, 30000, 30000}, one), kMsgNoMemory},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_TRUE(decode_rgb(c.file, &message).empty()) << c.what;
        EXPECT_EQ(message, c.message) << c.what;
    }
    // The file wrappers and the size probe (16 bytes of header).
    const struct { const char* what; std::string path; const char* message; } files[] = {
        {"100 bytes", sized_file("short.pcx", 100, 10), kMsgPcxInvalid},
        {"above 40000000 bytes", sized_file("huge.pcx", (long)kMaxPcxFileBytes + 1, 10), kMsgPcxInvalid},
    };
    for (const auto& f : files) {
        Decoded d;
        EXPECT_EQ(d.image = load_pcx(f.path.c_str(), d.message), nullptr) << f.what;
        EXPECT_STREQ(d.message, f.message) << f.what;
    }
    Bytes head = pcx({8, 1, 640, 480, 640, {}, 3}, one);
    int w = 0, h = 0;
    EXPECT_TRUE(probe_pcx_size(write_scratch("probe.pcx", Bytes(head.begin(), head.begin() + 16)).c_str(), &w, &h));
    EXPECT_FALSE(probe_pcx_size(write_scratch("probe15.pcx", Bytes(head.begin(), head.begin() + 15)).c_str(), &w, &h));
    EXPECT_FALSE(probe_pcx_data(manufacturer.data(), 16, &w, &h));
}

TEST(Pcx, LayoutsToColours) {
    // Header palette entry i is red 10i, green 10i + 1, blue 200 + i.
    Bytes pal;
    for (int i = 0; i < 16; ++i) pal.insert(pal.end(), {(uint8_t)(10 * i), (uint8_t)(10 * i + 1), (uint8_t)(200 + i)});
    auto entries = [&](const Bytes& indexes) {
        Bytes rgb;
        for (uint8_t i : indexes) rgb.insert(rgb.end(), pal.begin() + 3 * i, pal.begin() + 3 * i + 3);
        return rgb;
    };
    Bytes same(48, 0);
    same[0] = same[3] = 90, same[1] = same[4] = 80, same[2] = same[5] = 70;
    Bytes trailing(768, 0);
    trailing[3] = 1, trailing[4] = 2, trailing[5] = 3, trailing[765] = 250;
    Bytes with_palette = literal({0, 1, 255});
    with_palette.push_back(12);
    with_palette.insert(with_palette.end(), trailing.begin(), trailing.end());
    Bytes unmarked = with_palette;
    unmarked[unmarked.size() - 769] = 11;
    const struct { const char* what; Layout layout; Bytes data, want; } cases[] = {
        {"8 bits with the trailing palette", {8, 1, 3, 1, 3}, with_palette, {0, 0, 0, 1, 2, 3, 250, 0, 0}},
        {"8 bits, the mark byte not 12: gray", {8, 1, 3, 1, 3}, unmarked, gray({0, 1, 255})},
        {"8 bits in a short file: gray", {8, 1, 3, 1, 4}, literal({7, 200, 0, 0}), gray({7, 200, 0})},
        {"1 bit, both entries equal: black and white", {1, 1, 3, 1, 1, same}, {0xA0},
         {255, 255, 255, 0, 0, 0, 255, 255, 255}},
        {"2 planes of 8 bits take bit x of each", {8, 2, 3, 1, 3, pal}, {0xA0, 0, 0, 0x40, 0, 0}, entries({1, 2, 1})},
        {"4 planes of 4 bits", {4, 4, 2, 1, 1, pal}, {0x40, 0x80, 0x40, 0x80}, entries({10, 5})},
        {"xmin is not 0", {8, 1, 2, 1, 2, {}, 300}, {5, 6}, gray({5, 6})},
    };
    for (const auto& c : cases) {
        std::string message = "untouched";
        EXPECT_EQ(decode_rgb(pcx(c.layout, c.data), &message), c.want) << c.what;
        EXPECT_EQ(message, "") << c.what;
    }
}

// Gray pictures 4 wide (or 100: lines long enough to be decoded a word at a
// time) and 2 tall, the run-length data as given. The exact size of each
// file lets the sanitizer see a read past the end.
TEST(Pcx, RunLengthEdges) {
    Bytes wide = {1, 2, 3, 4, 5, 6, 7, 8, 200};
    Bytes wide_data = {1, 2, 3, 4, 5, 6, 7, 8, 0xC1, 200, 0xFF, 5, 0xFE, 7, 0xC2, 9, 0xC0, 1, 3};
    wide.resize(72, 5);
    wide.resize(100, 7);
    wide.insert(wide.end(), {9, 9, 3});
    wide.resize(200, 0);
    const struct { const char* what; uint16_t width; Bytes data, want; } cases[] = {
        {"runs", 4, {0xC4, 9, 0xC4, 7}, {9, 9, 9, 9, 7, 7, 7, 7}},
        {"a run of none", 4, {0xC0, 5, 1, 2, 3, 4, 0xC4, 6}, {1, 2, 3, 4, 6, 6, 6, 6}},
        {"a run past the line is cut, its rest dropped", 4, {0xC6, 9, 1, 2, 3, 4}, {9, 9, 9, 9, 1, 2, 3, 4}},
        {"literals from 192 up as runs of one", 4, {0xC1, 0xC0, 0xC1, 0xFF, 0xC2, 0xD0},
         {0xC0, 0xFF, 0xD0, 0xD0, 0, 0, 0, 0}},
        {"data ends mid-line", 4, {1, 2}, {1, 2, 0, 0, 0, 0, 0, 0}},
        {"a run byte last repeats 0", 4, {3, 0xC5}, {3, 0, 0, 0, 0, 0, 0, 0}},
        {"no data", 4, {}, Bytes(8, 0)},
        {"long lines: the same rules", 100, wide_data, wide},
    };
    for (const auto& c : cases) {
        std::string message = "untouched";
        EXPECT_EQ(decode_rgb(pcx({8, 1, c.width, 2, c.width}, c.data), &message), gray(c.want)) << c.what;
        EXPECT_EQ(message, "") << c.what;
    }
}

namespace {

// Three one-pixel gray pages, 10, 20 and 30, after a table of `slots`
// entries; page i starts at at[i]. The table is filled in by the test.
struct Dcx { Bytes file; std::vector<uint32_t> at; };
Dcx dcx(size_t slots) {
    Dcx d;
    d.file = {0xB1, 0x68, 0xDE, 0x3A};
    d.file.resize(4 + 4 * slots, 0);
    for (uint8_t v : {10, 20, 30}) {
        d.at.push_back((uint32_t)d.file.size());
        Bytes page = pcx({8, 1, 1, 1, 1}, {v});
        d.file.insert(d.file.end(), page.begin(), page.end());
    }
    return d;
}

Bytes with_table(Bytes file, const std::vector<uint32_t>& table) {
    for (size_t i = 0; i < table.size(); ++i)
        for (int k = 0; k < 4; ++k) file[4 + 4 * i + k] = (uint8_t)(table[i] >> (8 * k));
    return file;
}

// The gray value of each page that decodes.
Bytes page_values(const Bytes& file, std::string* message) {
    DecodedFrames d;
    Bytes values;
    if (decode_dcx_pages(file.data(), file.size(), &d.set, d.message))
        for (int i = 0; i < d.set.count; ++i) values.push_back(d.set.frames[i]->pixels[0]);
    *message = d.message;
    return values;
}

}  // namespace

TEST(Dcx, TablesAndPages) {
    Dcx d = dcx(32);
    uint32_t p0 = d.at[0], p1 = d.at[1], p2 = d.at[2], size = (uint32_t)d.file.size();
    Bytes damaged = d.file;
    damaged[p1] = 0;  // no manufacturer byte
    const struct { const char* what; Bytes file; std::vector<uint32_t> table; Bytes want; const char* message; } cases[] = {
        {"in order", d.file, {p0, p1, p2}, {10, 20, 30}, ""},
        {"a damaged page is skipped", damaged, {p0, p1, p2}, {10, 30}, kMsgPcxInvalid},
        {"the table ends at a 0", d.file, {p0, 0, p2}, {10}, ""},
        {"descending offsets: each page runs to the end", d.file, {p2, p1, p0}, {30, 20, 10}, ""},
        {"the same page twice", d.file, {p1, p1}, {20, 20}, ""},
        {"offsets past the end, at it, near 2^32 and inside the table", d.file,
         {p0, size, 0xFFFFFFF0, size + 1, 127, 4, p2}, {10, 30}, ""},
        {"the next offset past the end", d.file, {p1, 0xFFFFFF00}, {20}, ""},
        {"no page", d.file, {}, {}, kMsgDcxNoPage},
        {"only pages that fail", damaged, {p1, p1}, {}, kMsgPcxInvalid},
        {"no magic", Bytes(d.file.begin() + 1, d.file.end()), {p0}, {}, kMsgDcxInvalid},
        {"7 bytes", {0xB1, 0x68, 0xDE, 0x3A, 0x80, 0, 0}, {}, {}, kMsgDcxInvalid},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_EQ(page_values(with_table(c.file, c.table), &message), c.want) << c.what;
        EXPECT_EQ(message, c.message) << c.what;
    }
    // 2000 entries, all the first page: 1023 of them are read.
    Dcx big = dcx(2000);
    std::string message;
    EXPECT_EQ(page_values(with_table(big.file, std::vector<uint32_t>(2000, big.at[0])), &message),
              Bytes(kMaxDcxPages, 10));

    // The first page that decodes; the pages after it are not decoded (their
    // reasons would be left in the message).
    const struct { const char* what; std::vector<uint32_t> table; int want; const char* message; } firsts[] = {
        {"the first", {p0, p1, p2}, 10, ""},
        {"a damaged page after it", {p2, p1}, 30, ""},
        {"the first damaged", {p1, p2}, 30, kMsgPcxInvalid},
        {"none", {p1}, -1, kMsgPcxInvalid},
        {"no page", {}, -1, kMsgDcxNoPage},
    };
    for (const auto& c : firsts) {
        Decoded first;
        Bytes file = with_table(damaged, c.table);
        first.image = decode_dcx_first_page(file.data(), file.size(), first.message);
        EXPECT_EQ(first.image ? first.image->pixels[0] : -1, c.want) << c.what;
        EXPECT_STREQ(first.message, c.message) << c.what;
    }

    // A file above 80000000 bytes is not read.
    std::string huge = sized_file("huge.dcx", (long)kMaxDcxFileBytes + 1, 0xB1);
    DecodedFrames pages;
    EXPECT_FALSE(load_dcx_pages(huge.c_str(), &pages.set, pages.message));
    EXPECT_STREQ(pages.message, kMsgDcxInvalid);
    Decoded first;
    EXPECT_EQ(first.image = load_dcx_first_page(huge.c_str(), first.message), nullptr);
    EXPECT_STREQ(first.message, kMsgDcxInvalid);
}
