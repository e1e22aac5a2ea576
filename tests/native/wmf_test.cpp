// Which records the metafile renderer keeps from GDI: those whose declared
// contents reach beyond their own bytes or outside the table of objects.
// Sizes, stops and drawing are tested under Wine; fuzz_wmf walks any bytes.
#include <gtest/gtest.h>

#include "core/wmf.h"
#include "tests/support/wmf_writer.h"

namespace {

typedef std::vector<uint16_t> Words;

Words operator+(Words a, const Words& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A 40-byte bitmap header (sides below 65536) followed by `words` of colours and bits.
Words bitmap(uint16_t width, int16_t height, uint16_t bits, uint16_t colors, size_t words, uint16_t packed = 0) {
    return Words{40, 0, width, 0, (uint16_t)height, (uint16_t)(height < 0 ? 0xFFFF : 0), 1, bits,
                 (uint16_t)(packed ? 1 : 0), 0, packed, 0, 0, 0, 0, 0, colors, 0, 0, 0} + Words(words, 0);
}

}  // namespace

TEST(WmfRecord, DeclaredContentsMustFitInTheRecord) {
    const Words none(11, 0), region = Words(5, 0) + Words{1} + Words(5, 0);
    struct Case {
        const char* name;
        WmfBytes record;
        bool fits;
    } cases[] = {
        {"polygon claiming 3", wmf_record(0x0324, {3, 0, 0, 5, 5}), false},
        {"polypolygon claiming 65535", wmf_record(0x0538, {65535, 1}), false},
        {"opaque text with its box", wmf_record(0x0A32, {7, 8, 3, 2, 0, 0, 9, 9, 0x6261, 0x63}), true},
        {"text with 1 of 3 spacings", wmf_record(0x0A32, {7, 8, 3, 0, 0x6261, 0x63, 4}), false},
        {"region scan past the end", wmf_record(0x06FF, region + Words{60, 0, 9, 1, 5, 2}), false},
        {"2x2 bitmap", wmf_record(0x0F43, none + bitmap(2, 2, 24, 0, 8)), true},
        {"bitmap of 3 top-down rows", wmf_record(0x0F43, none + bitmap(2, -3, 24, 0, 8)), false},
        {"8-bit bitmap without colours", wmf_record(0x0F43, none + bitmap(2, 2, 8, 0, 4)), false},
        {"packed bits past the end", wmf_record(0x0F43, none + bitmap(2, 2, 8, 1, 8, 400)), false},
        {"one scan of two to the device", wmf_record(0x0D33, Words{0, 1} + Words(7, 0) + bitmap(2, 2, 24, 0, 4)), true},
        {"font whose name runs out", wmf_record(0x02FB, Words(9, 0) + Words{0x7241, 0x6169}), false},
        {"select object 2 of 2", wmf_record(0x012D, {2}), false},
    };
    for (const Case& c : cases) EXPECT_EQ(wmf_record_fits(c.record.data(), c.record.size(), 2), c.fits) << c.name;
}

// A box in any direction has its size; the signed extent turns the drawing.
TEST(WmfFrame, BoxesInEveryDirection) {
    const struct { WmfBox box; std::vector<int> frame; } cases[] = {  // 1440 units to the inch
        {{100, -50, 2980, 1390, 1440}, {192, 96, 100, -50, 2880, 1440}},
        {{2980, -50, 100, 1390, 1440}, {192, 96, 2980, -50, -2880, 1440}},
        {{100, 1390, 2980, -50, 1440}, {192, 96, 100, 1390, 2880, -1440}},
        {{2980, 1390, 100, -50, 1440}, {192, 96, 2980, 1390, -2880, -1440}},
    };
    for (const auto& c : cases) {
        WmfBytes file = wmf_file({}, &c.box);
        WmfFrame f = wmf_frame(file.data(), file.size());
        EXPECT_EQ(std::vector<int>({f.width, f.height, f.origin_x, f.origin_y, f.extent_x, f.extent_y}), c.frame)
            << c.box.left << "," << c.box.top << " to " << c.box.right << "," << c.box.bottom;
    }
}
