// What the metafile renderer decides before GDI sees a byte: the picture's
// size and mapping, and which records play. The drawing itself is tested
// under Wine (tests/win32/wmf_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/wmf.h"
#include "tests/support/reference.h"
#include "tests/support/wmf_writer.h"

namespace {

// Bytes as the parameter words of a record (an odd count gets a zero).
std::vector<uint16_t> words_of(WmfBytes bytes) {
    if (bytes.size() % 2) bytes.push_back(0);
    std::vector<uint16_t> words;
    for (size_t i = 0; i < bytes.size(); i += 2) words.push_back((uint16_t)(bytes[i] | bytes[i + 1] << 8));
    return words;
}

std::vector<uint16_t> operator+(std::vector<uint16_t> a, const std::vector<uint16_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A 40-byte bitmap information header.
std::vector<uint16_t> info_header(int32_t width, int32_t height, uint16_t bits, uint32_t compression = 0,
                                  uint32_t packed = 0, uint32_t colors = 0) {
    WmfBytes b;
    put32(b, 40);
    put32(b, (uint32_t)width);
    put32(b, (uint32_t)height);
    put16(b, 1);
    put16(b, bits);
    put32(b, compression);
    put32(b, packed);
    put32(b, 0);
    put32(b, 0);
    put32(b, colors);
    put32(b, 0);
    return words_of(b);
}

std::vector<uint16_t> zeros(size_t words) { return std::vector<uint16_t>(words, 0); }

}  // namespace

TEST(WmfFrame, BoxUnitsRoundingLimitsAndDirection) {
    struct Case {
        const char* name;
        WmfBox box;
        int width, height, extent_x, extent_y;
    } cases[] = {
        {"1440 per inch", {0, 0, 2880, 1440, 1440}, 192, 96, 2880, 1440},
        {"0 per inch is 1440", {-1440, 0, 1440, 720, 0}, 192, 48, 2880, 720},
        {"half a pixel rounds up", {0, 0, 3, 3, 192}, 2, 2, 3, 3},
        {"just under half rounds down", {0, 0, 3, 3, 193}, 1, 1, 3, 3},
        {"zero box: one pixel, extent the picture", {7, 9, 7, 9, 96}, 1, 1, 1, 1},
        {"beyond 3000 is 3000", {-30000, -30000, 30000, 30000, 96}, 3000, 3000, 60000, 60000},
        {"drawn bottom to top keeps its signs", {40, 30, 0, 0, 96}, 40, 30, -40, -30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WmfBytes file = wmf_file({}, &c.box);
        WmfFrame f = wmf_frame(file.data(), file.size());
        EXPECT_EQ(std::make_pair(f.width, f.height), std::make_pair(c.width, c.height));
        EXPECT_EQ(std::make_pair(f.origin_x, f.origin_y), std::make_pair((int)c.box.left, (int)c.box.top));
        EXPECT_EQ(std::make_pair(f.extent_x, f.extent_y), std::make_pair(c.extent_x, c.extent_y));
        EXPECT_EQ(std::make_pair(f.metafile_at, f.metafile_bytes), std::make_pair((size_t)22, file.size() - 22));
    }
    WmfBytes plain = wmf_file({}, nullptr);
    WmfFrame f = wmf_frame(plain.data(), plain.size());
    EXPECT_EQ(std::make_pair(f.width, f.height), std::make_pair(640, 480));
    EXPECT_EQ(std::make_pair(f.extent_x, f.extent_y), std::make_pair(640, 480));
    EXPECT_EQ(std::make_pair(f.metafile_at, f.metafile_bytes), std::make_pair((size_t)0, plain.size()));
}

// Records whose declared contents fit play; the rest would have GDI read
// beyond them, or outside its table of objects (2 entries here).
TEST(WmfRecord, DeclaredContentsMustFitInTheRecord) {
    const std::vector<uint16_t> rgb_2x2 = info_header(2, 2, 24) + zeros(8);  // rows of 8 bytes
    struct Case {
        const char* name;
        WmfBytes record;
        bool fits;
    } cases[] = {
        {"polygon of 2 points", wmf_record(0x0324, {2, 0, 0, 5, 5}), true},
        {"polygon claiming 3", wmf_record(0x0324, {3, 0, 0, 5, 5}), false},
        {"polyline claiming 30000", wmf_record(0x0325, {30000, 0, 0, 5, 5, 6, 6}), false},
        {"polypolygon 1 + 2 points", wmf_record(0x0538, {2, 1, 2, 0, 0, 1, 1, 2, 2}), true},
        {"polypolygon a word short", wmf_record(0x0538, {2, 1, 2, 0, 0, 1, 1, 2}), false},
        {"polypolygon claiming 65535 polygons", wmf_record(0x0538, {65535, 1}), false},
        {"text of 5 with its place", wmf_record(0x0521, {5, 0x6261, 0x6463, 0x65, 7, 8}), true},
        {"text without its x", wmf_record(0x0521, {5, 0x6261, 0x6463, 0x65, 7}), false},
        {"extended text", wmf_record(0x0A32, {7, 8, 3, 0, 0x6261, 0x63}), true},
        {"extended opaque text without its box", wmf_record(0x0A32, {7, 8, 3, 2, 0x6261, 0x63}), false},
        {"extended opaque text with its box", wmf_record(0x0A32, {7, 8, 3, 2, 0, 0, 9, 9, 0x6261, 0x63}), true},
        {"extended text, spacing of 3", wmf_record(0x0A32, {7, 8, 3, 0, 0x6261, 0x63, 4, 4, 4}), true},
        {"extended text, spacing of 1 of 3", wmf_record(0x0A32, {7, 8, 3, 0, 0x6261, 0x63, 4}), false},
        {"region of one scan", wmf_record(0x06FF, zeros(5) + std::vector<uint16_t>{1} + zeros(5) + std::vector<uint16_t>{2, 0, 9, 1, 5, 2}), true},
        {"region claiming 2 scans", wmf_record(0x06FF, zeros(5) + std::vector<uint16_t>{2} + zeros(5) + std::vector<uint16_t>{2, 0, 9, 1, 5, 2}), false},
        {"region scan longer than the record", wmf_record(0x06FF, zeros(5) + std::vector<uint16_t>{1} + zeros(5) + std::vector<uint16_t>{60, 0, 9, 1, 5, 2}), false},
        {"stretched bitmap 2x2", wmf_record(0x0F43, zeros(11) + rgb_2x2), true},
        {"stretched bitmap claiming 3 rows", wmf_record(0x0F43, zeros(11) + info_header(2, -3, 24) + zeros(8)), false},
        {"8-bit bitmap without its colours", wmf_record(0x0F43, zeros(11) + info_header(2, 2, 8) + zeros(4)), false},
        {"8-bit bitmap of 2 colours", wmf_record(0x0F43, zeros(11) + info_header(4, 1, 8, 0, 0, 2) + zeros(6)), true},
        {"packed bitmap bigger than its record", wmf_record(0x0F43, zeros(11) + info_header(2, 2, 8, 1, 400, 1) + zeros(8)), false},
        {"header longer than the record", wmf_record(0x0F43, zeros(11) + std::vector<uint16_t>{200, 0} + zeros(20)), false},
        {"bit block without a bitmap", wmf_record(0x0940, zeros(9)), true},
        {"bit block with a bitmap", wmf_record(0x0940, zeros(8) + rgb_2x2), true},
        {"bit block with a bitmap cut short", wmf_record(0x0940, zeros(8) + info_header(2, 2, 24) + zeros(3)), false},
        {"one scan of two to the device", wmf_record(0x0D33, std::vector<uint16_t>{0, 1} + zeros(7) + info_header(2, 2, 24) + zeros(4)), true},
        {"two scans of two to the device", wmf_record(0x0D33, std::vector<uint16_t>{0, 2} + zeros(7) + info_header(2, 2, 24) + zeros(4)), false},
        {"pattern brush, old header, 8x8 1-bit", wmf_record(0x0142, std::vector<uint16_t>{5, 0, 12, 0, 8, 8, 1, 1} + zeros(3 + 16)), true},
        {"pattern brush, old header, cut short", wmf_record(0x0142, std::vector<uint16_t>{5, 0, 12, 0, 8, 8, 1, 1} + zeros(3 + 15)), false},
        {"device bitmap brush 16x8 1-bit", wmf_record(0x01F9, std::vector<uint16_t>{0, 16, 8, 2, 0x0101} + zeros(9 + 8)), true},
        {"device bitmap brush cut short", wmf_record(0x01F9, std::vector<uint16_t>{0, 16, 8, 2, 0x0101} + zeros(9 + 7)), false},
        {"palette of 2", wmf_record(0x00F7, {0x300, 2, 0, 0, 0, 0}), true},
        {"palette claiming 3", wmf_record(0x00F7, {0x300, 3, 0, 0, 0, 0}), false},
        {"font with a name", wmf_record(0x02FB, zeros(9) + words_of({'A', 'r', 'i', 'a', 'l', 0})), true},
        {"font whose name runs out", wmf_record(0x02FB, zeros(9) + words_of({'A', 'r', 'i', 'a'})), false},
        {"select object 1", wmf_record(0x012D, {1}), true},
        {"select object 2 of 2", wmf_record(0x012D, {2}), false},
        {"delete object 60000", wmf_record(0x01F0, {60000}), false},
        {"fill region with brush 2", wmf_record(0x0228, {0, 2}), false},
        {"rectangle", wmf_record(0x041B, {1, 2, 3, 4}), true},
    };
    for (const Case& c : cases) EXPECT_EQ(wmf_record_fits(c.record.data(), c.record.size(), 2), c.fits) << c.name;
}

// Along a file: escapes and records that do not fit are skipped; the end
// record, sizes under 3 words or past the end stop it, and nothing follows a stop.
TEST(WmfWalk, PlaysSkipsAndStops) {
    struct Case {
        const char* name;
        WmfBytes bad;
        std::vector<WmfVerdict> verdicts;  // of: pen, select, bad, rectangle, and one more step
    } cases[] = {
        {"escape", wmf_escape(), {kWmfPlay, kWmfPlay, kWmfSkip, kWmfPlay, kWmfStop}},
        {"polygon too long", wmf_record(0x0324, {30000, 1, 2}), {kWmfPlay, kWmfPlay, kWmfSkip, kWmfPlay, kWmfStop}},
        {"size 0", wmf_record(0x041B, {1, 2, 3, 4}, 0), {kWmfPlay, kWmfPlay, kWmfStop, kWmfStop, kWmfStop}},
        {"size 2", wmf_record(0x041B, {1, 2, 3, 4}, 2), {kWmfPlay, kWmfPlay, kWmfStop, kWmfStop, kWmfStop}},
        {"size 2^31", wmf_record(0x041B, {1, 2, 3, 4}, 0x80000000u), {kWmfPlay, kWmfPlay, kWmfStop, kWmfStop, kWmfStop}},
        {"end record", wmf_record(0, {}), {kWmfPlay, kWmfPlay, kWmfStop, kWmfStop, kWmfStop}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WmfBytes file = wmf_file({wmf_null_pen(), c.bad, wmf_rectangle(1, 2, 3, 4)}, nullptr);
        WmfWalk walk = wmf_walk(file.data(), file.size());
        for (size_t i = 0; i < c.verdicts.size(); ++i) {
            WmfRecord record;
            EXPECT_EQ(wmf_next_record(&walk, &record), c.verdicts[i]) << "record " << i;
        }
    }
    // A last record reaching past the end by as little as 2 bytes stops; a
    // header of another size plays nothing.
    WmfBytes file = wmf_file({wmf_record(0x041B, {1, 2, 3, 4}, 8)}, nullptr, false);
    WmfWalk walk = wmf_walk(file.data(), file.size());
    WmfRecord record;
    EXPECT_FALSE(wmf_has_next_record(&walk));
    EXPECT_EQ(wmf_next_record(&walk, &record), kWmfStop);
    file = wmf_file({wmf_null_pen()}, nullptr);
    file[2] = 8;  // eight header words: not the header GDI walks from
    walk = wmf_walk(file.data(), file.size());
    EXPECT_FALSE(wmf_has_next_record(&walk));
}

TEST(WmfRender, SizeRuleAndNoPlayerInThisBuild) {
    Decoded short_file, plain;
    WmfBytes tiny(25, 0), file = wmf_file({wmf_null_pen()}, nullptr);
    short_file.image = render_wmf_data(tiny.data(), tiny.size(), short_file.message);
    EXPECT_STREQ(short_file.message, kMsgWmfInvalid);
    plain.image = render_wmf_data(file.data(), file.size(), plain.message);
    EXPECT_EQ(plain.image, nullptr);
    EXPECT_STREQ(plain.message, kMsgWmfFailed);
}
