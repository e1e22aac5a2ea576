// The IFF reader on files built here, for what no encoder writes on purpose:
// hostile headers and chunk sizes, the display modes at their edges, repeated
// chunks, cuts at every length. netpbm's files are in the corpus manifest.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "core/iff.h"
#include "tests/support/bytes.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

typedef std::vector<std::vector<int>> Indices;  // rows of palette indices, top first
typedef std::vector<uint32_t> Colors;           // 0xRRGGBB per pixel, rows top first

const uint32_t kHam = 0x800, kEhb = 0x80;

Bytes chunk(const char* id, const Bytes& data, uint64_t declared = ~0ull) {
    Bytes b(id, id + 4);
    put32(b, declared == ~0ull ? (uint32_t)data.size() : (uint32_t)declared, false);
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() % 2) b.push_back(0xEE);
    return b;
}

Bytes bmhd(uint16_t w, uint16_t h, uint8_t planes, uint8_t masking = 0, uint8_t compression = 0, size_t size = 20) {
    Bytes d;
    put16(d, w, false);
    put16(d, h, false);
    d.insert(d.end(), {0, 0, 0, 0, planes, masking, compression});
    d.resize(size, 0);
    return chunk("BMHD", d);
}

Bytes camg(uint32_t mode) {
    Bytes d;
    put32(d, mode, false);
    return chunk("CAMG", d);
}

Bytes cmap(const Colors& entries) {
    Bytes d;
    for (uint32_t c : entries) d.insert(d.end(), {(uint8_t)(c >> 16), (uint8_t)(c >> 8), (uint8_t)c});
    return chunk("CMAP", d);
}

Bytes form(const char* type, const std::vector<Bytes>& chunks) {
    Bytes inner(type, type + 4);
    for (const Bytes& c : chunks) inner.insert(inner.end(), c.begin(), c.end());
    Bytes b = {'F', 'O', 'R', 'M'};
    put32(b, (uint32_t)inner.size(), false);
    b.insert(b.end(), inner.begin(), inner.end());
    return b;
}

// ILBM rows bit by bit: plane p holds bit p of each index, words of 16 pixels.
Bytes planar(const Indices& rows, int planes) {
    size_t words = (rows[0].size() + 15) / 16 * 2;
    Bytes body;
    for (const std::vector<int>& row : rows) {
        for (int p = 0; p < planes; ++p) {
            Bytes line(words, 0);
            for (size_t x = 0; x < row.size(); ++x)
                if (row[x] & (1 << p)) line[x / 8] |= (uint8_t)(0x80 >> (x % 8));
            body.insert(body.end(), line.begin(), line.end());
        }
    }
    return body;
}

Bytes renamed(Bytes b, const char* id) {
    memcpy(b.data(), id, 4);
    return b;
}
Bytes cut(const Bytes& b, size_t n) { return Bytes(b.begin(), b.begin() + n); }

Colors colors_of(const Image* image) {
    Colors out;
    RefPicture ref = reference_of(image);
    for (size_t i = 0; i + 2 < ref.rgb.size(); i += 3)
        out.push_back(ref.rgb[i] << 16 | ref.rgb[i + 1] << 8 | ref.rgb[i + 2]);
    return out;
}

Colors decode_colors(const Bytes& file, std::string* message) {
    Decoded d;
    d.image = decode_iff(file.data(), file.size(), d.message);
    *message = d.message;
    return d.image ? colors_of(d.image) : Colors();
}

uint32_t half(uint32_t c) { return (c >> 1) & 0x7F7F7F; }

// Random entries: a wrong entry or a wrong component shows.
Colors palette(int n, uint32_t seed = 1) {
    std::mt19937 rng(seed);
    Colors p;
    for (int i = 0; i < n; ++i) p.push_back(rng() & 0xFFFFFF);
    return p;
}

}  // namespace

TEST(Iff, RefusalsCarryTheirMessages) {
    Bytes body = chunk("BODY", Bytes(64, 0));
    image_fail_allocations_from(1);  // the sides that pass their limits stop at the picture
    const struct { const char* what; Bytes file; const char* message; } cases[] = {
        {"31 bytes", cut(form("ILBM", {bmhd(1, 1, 1), body}), 31), kMsgIffInvalid},
        {"LIST, not FORM", renamed(form("ILBM", {bmhd(1, 1, 1), body}), "LIST"), kMsgIffInvalid},
        {"FORM PBM without its space", form("PBMX", {bmhd(1, 1, 8), body}), kMsgIffUnsupportedType},
        {"no BMHD", form("ILBM", {cmap({1, 2}), body}), kMsgIffUnsupported},
        {"a BMHD of 19 bytes", form("ILBM", {bmhd(1, 1, 1, 0, 0, 19), body}), kMsgIffUnsupported},
        {"no BODY", form("ILBM", {bmhd(1, 1, 1), cmap(Colors(40, 7))}), kMsgIffUnsupported},
        {"width 0", form("ILBM", {bmhd(0, 1, 1), body}), kMsgIffUnsupported},
        {"height 0", form("PBM ", {bmhd(1, 0, 8), body}), kMsgIffUnsupported},
        {"0 planes", form("ILBM", {bmhd(1, 1, 0), body}), kMsgIffUnsupported},
        {"24 planes", form("ILBM", {bmhd(1, 1, 24), body}), kMsgIffUnsupported},
        {"width 30001", form("PBM ", {bmhd(30001, 1, 8), body}), kMsgIffUnsupported},
        {"height 65535", form("ILBM", {bmhd(1, 65535, 1), body}), kMsgIffUnsupported},
        {"a BMHD past an oversized chunk", form("ILBM", {chunk("ANNO", {}, 0xFFFFFFFF), bmhd(1, 1, 1), body}),
         kMsgIffUnsupported},
        // 8000 x 8000 bytes is the most a BODY may unpack to.
        {"PBM of 64000000 bytes", form("PBM ", {bmhd(8000, 8000, 8), body}), kMsgNoMemory},
        {"PBM of 64016000 bytes", form("PBM ", {bmhd(8001, 8000, 8), body}), kMsgIffTooLarge},
        {"7 planes and the mask: 2000 x 8 x 4000 bytes", form("ILBM", {bmhd(16000, 4000, 7, 1), body}), kMsgNoMemory},
        {"8 planes and the mask: 2000 x 9 x 4000 bytes", form("ILBM", {bmhd(16000, 4000, 8, 1), body}),
         kMsgIffTooLarge},
        {"8 planes, masking 2 adds no line", form("ILBM", {bmhd(16000, 4000, 8, 2), body}), kMsgNoMemory},
        {"30000 x 30000, one plane", form("ILBM", {bmhd(30000, 30000, 1), body}), kMsgIffTooLarge},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_TRUE(decode_colors(c.file, &message).empty()) << c.what;
        EXPECT_EQ(message, c.message) << c.what;
    }
    image_fail_allocations_from(0);
}

TEST(Iff, FilesThatCannotBeRead) {
    Bytes head = form("ILBM", {bmhd(2, 1, 1), cmap({0, 0xFFFFFF}), chunk("BODY", {0x40, 0}, 0xFFFFFFFF)});
    std::string at_limit = write_scratch("limit.iff", head), over = write_scratch("over.iff", head);
    ASSERT_EQ(truncate(at_limit.c_str(), (off_t)kMaxIffFileBytes), 0);
    ASSERT_EQ(truncate(over.c_str(), (off_t)kMaxIffFileBytes + 1), 0);
    const struct { const char* what; std::string path; const char* message; } cases[] = {
        {"a file of the largest size", at_limit, ""},
        {"one byte more", over, kMsgIffInvalid},
        {"no such file", scratch_path("no such.iff"), kMsgOpenFailed},
        {"a file that opens but fails to read", "/proc/self/mem", kMsgReadFailed},
    };
    for (const auto& c : cases) {
        Decoded d;
        d.image = load_iff(c.path.c_str(), d.message);
        EXPECT_EQ(d.image != nullptr, !c.message[0]) << c.what;
        EXPECT_STREQ(d.message, c.message) << c.what;
        if (d.image) EXPECT_EQ(colors_of(d.image), Colors({0, 0xFFFFFF})) << c.what;
    }
}

TEST(Iff, ModesChunksAndDamage) {
    const Colors p16 = palette(16), p32 = palette(32), p64 = palette(64, 2), p4 = palette(4, 3), p2 = palette(2, 6);
    const uint32_t e0 = p16[0];
    Bytes pbm_rows = {1, 2, 3, 99, 3, 2, 1, 77};  // width 3: each row has a fourth byte
    Colors longer = palette(32, 4);
    const struct { const char* what; Bytes file; Colors want; } cases[] = {
        {"PBM of width 3 reads 4 bytes a row", form("PBM ", {bmhd(3, 2, 8), cmap(p4), chunk("BODY", pbm_rows)}),
         {p4[1], p4[2], p4[3], p4[3], p4[2], p4[1]}},
        {"ILBM without CMAP is black", form("ILBM", {bmhd(3, 1, 2), chunk("BODY", planar({{1, 2, 3}}, 2))}), {0, 0, 0}},
        {"5 planes, 16 entries: index 20 takes entry 0",
         form("ILBM", {bmhd(2, 1, 5), cmap(p16), chunk("BODY", planar({{20, 3}}, 5))}), {e0, p16[3]}},
        {"EHB with 32 entries",
         form("ILBM", {bmhd(4, 1, 6), camg(kEhb), cmap(p32), chunk("BODY", planar({{5, 40, 63, 32}}, 6))}),
         {p32[5], half(p32[8]), half(p32[31]), half(p32[0])}},
        {"EHB with 64 entries halves the lower ones",
         form("ILBM", {bmhd(3, 1, 6), camg(kEhb), cmap(p64), chunk("BODY", planar({{5, 40, 33}}, 6))}),
         {p64[5], half(p64[8]), half(p64[1])}},
        {"the EHB bit with 5 planes halves nothing",
         form("PBM ", {bmhd(2, 1, 5), camg(kEhb), cmap(p64), chunk("BODY", {40, 33})}), {p64[40], p64[33]}},
        {"HAM6: control 2, value 15 first", form("ILBM", {bmhd(4, 1, 6), camg(kHam), cmap(p16),
                                                          chunk("BODY", planar({{0x2F, 0x1F, 0x33, 0x05}}, 6))}),
         {(e0 & 0x00FFFF) | 0xF00000, (e0 & 0x00FF00) | 0xF000F0, 0xF030F0, p16[5]}},
        {"HAM and EHB bits with 6 planes: HAM", form("ILBM", {bmhd(1, 1, 6), camg(kHam | kEhb), cmap(p16),
                                                              chunk("BODY", planar({{0x2F}}, 6))}),
         {(e0 & 0x00FFFF) | 0xF00000}},
        {"the HAM bit with 7 planes",
         form("ILBM", {bmhd(1, 1, 7), camg(kHam), cmap(p64), chunk("BODY", planar({{0x2F}}, 7))}),
         {p64[0x2F]}},
        {"masking 2: no mask line",
         form("ILBM", {bmhd(2, 2, 2, 2), cmap(p4), chunk("BODY", planar({{1, 2}, {3, 0}}, 2))}),
         {p4[1], p4[2], p4[3], p4[0]}},
        {"BODY before BMHD and CMAP, odd chunks skipped with their pad",
         form("ILBM", {chunk("ANNO", {'a'}), chunk("BODY", planar({{3}}, 2)), chunk("AUTH", {1, 2, 3}), bmhd(1, 1, 2),
                       cmap(p4)}),
         {p4[3]}},
        {"a BODY declaring more than the file holds",
         form("PBM ", {bmhd(2, 2, 8), cmap(p4), chunk("BODY", {2, 3, 1}, 0xFFFFFFFF)}), {p4[2], p4[3], p4[1], p4[0]}},
        {"a later BMHD wins, one of 19 bytes does not count",
         form("PBM ", {bmhd(1, 1, 8), bmhd(2, 1, 8), bmhd(9, 9, 8, 0, 0, 19), cmap(p4), chunk("BODY", {1, 2})}),
         {p4[1], p4[2]}},
        {"a CAMG of 3 bytes does not count",
         form("PBM ", {bmhd(1, 1, 6), camg(kHam), chunk("CAMG", {0, 0, 0}), cmap(p16), chunk("BODY", {0x2F, 0})}),
         {(e0 & 0x00FFFF) | 0xF00000}},
        // The later, shorter CMAP is the palette: what only the earlier gave is black.
        {"a shorter later CMAP, plain", form("PBM ", {bmhd(2, 1, 8), cmap(longer), cmap(p2), chunk("BODY", {1, 9})}),
         {p2[1], p2[0]}},
        {"a shorter later CMAP under EHB", form("PBM ", {bmhd(2, 1, 6), camg(kEhb), cmap(longer), cmap(p2),
                                                          chunk("BODY", {35, 33})}),
         {0, half(p2[1])}},
        {"a shorter later CMAP under HAM", form("PBM ", {bmhd(2, 1, 6), camg(kHam), cmap(longer), cmap(p2),
                                                          chunk("BODY", {9, 0x01})}),
         {0, p2[1]}},
        {"a CMAP of more than 256 entries", form("PBM ", {bmhd(1, 1, 8), cmap(palette(300)), chunk("BODY", {255, 0})}),
         {palette(300)[255]}},
        // ByteRun1: -128 skipped, a repeat, a literal cut by the end; the rest 0.
        {"ByteRun1 cut short",
         form("PBM ", {bmhd(4, 2, 8, 0, 1), cmap(p4), chunk("BODY", {0x80, 0xFD, 2, 0x02, 1, 3})}),
         {p4[2], p4[2], p4[2], p4[2], p4[1], p4[3], p4[0], p4[0]}},
        {"a repeat without its byte repeats 0",
         form("PBM ", {bmhd(2, 1, 8, 0, 1), cmap(p4), chunk("BODY", {0x00, 3, 0xFF})}), {p4[3], p4[0]}},
        {"compression 2 is read as stored", form("PBM ", {bmhd(2, 1, 8, 0, 2), cmap(p4), chunk("BODY", {0xFF, 3})}),
         {p4[0], p4[3]}},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_EQ(decode_colors(c.file, &message), c.want) << c.what << ": " << message;
        EXPECT_EQ(message, "") << c.what;
    }
}

// A file cut anywhere in its BODY reads as the whole file with the lost
// bytes 0; cut before, it is refused. netpbm's files, stored and packed.
TEST(Iff, CutAtEveryLength) {
    for (const char* name : {"iff-ham6-byterun1.iff", "iff-p4-none-w61.iff", "iff-maskplane.iff"}) {
        Bytes file = read_whole(data_path(name));
        ASSERT_GT(file.size(), 100u) << name;
        const char kBody[] = "BODY";  // netpbm writes it last
        size_t body = std::search(file.begin(), file.end(), kBody, kBody + 4) - file.begin() + 8;
        ASSERT_LT(body, file.size()) << name;
        for (size_t n = 0; n <= file.size(); ++n) {
            Bytes zeroed = file;
            std::fill(zeroed.begin() + n, zeroed.end(), 0);
            std::string message, want_message;
            Colors have = decode_colors(cut(file, n), &message);
            Colors want = n < body ? Colors() : decode_colors(zeroed, &want_message);
            const char* refusal = n < body ? (n < kMinIffFileBytes ? kMsgIffInvalid : kMsgIffUnsupported) : "";
            ASSERT_EQ(message, refusal) << name << " cut to " << n;
            ASSERT_EQ(have, want) << name << " cut to " << n;
        }
    }
}

TEST(Iff, SizeProbe) {
    std::vector<Bytes> chunks63(63, chunk("ANNO", {'x'}));
    auto with_bmhd = [](std::vector<Bytes> chunks) {
        chunks.push_back(bmhd(300, 20, 1));
        return form("ILBM", chunks);
    };
    const struct { const char* what; Bytes file; int w, h; } cases[] = {
        {"BMHD first", form("ILBM", {bmhd(30000, 1, 1)}), 30000, 1},
        {"the 64th chunk, after odd ones and their pads", with_bmhd(chunks63), 300, 20},
        {"the 65th chunk", with_bmhd(std::vector<Bytes>(64, chunk("ANNO", {'x'}))), 0, 0},
        {"any form type, and a BMHD of 4 bytes", form("ACBM", {chunk("BMHD", {0, 7, 0, 9})}), 7, 9},
        {"width 0", form("ILBM", {bmhd(0, 5, 1)}), 0, 0},
        {"height 30001", form("ILBM", {bmhd(5, 30001, 1)}), 0, 0},
        {"a BMHD of 3 bytes at the end", cut(form("ILBM", {bmhd(1, 1, 1)}), 23), 0, 0},
        {"11 bytes", cut(form("ILBM", {bmhd(1, 1, 1)}), 11), 0, 0},
        {"a chunk past the end first", form("ILBM", {chunk("ANNO", {}, 0xFFFFFFFF), bmhd(5, 5, 1)}), 0, 0},
        {"LIST, not FORM", renamed(form("ILBM", {bmhd(5, 5, 1)}), "LIST"), 0, 0},
    };
    for (const auto& c : cases) {
        int w = 0, h = 0, fw = 0, fh = 0;
        EXPECT_EQ(probe_iff_data(c.file.data(), c.file.size(), &w, &h), c.w > 0) << c.what;
        EXPECT_EQ(probe_iff_size(write_scratch("probe.iff", c.file).c_str(), &fw, &fh), c.w > 0) << c.what;
        EXPECT_EQ(std::vector<int>({w, h, fw, fh}), std::vector<int>({c.w, c.h, c.w, c.h})) << c.what;
    }
}
