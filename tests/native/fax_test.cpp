// The fax decoder against libtiff's decodes of pages written by three
// independent encoders, whole and cut short, and over hand-coded strips:
// byte-aligned modified Huffman rows, a vertical code that steps back past
// a0, and a page wide enough to expose work that grows with the square of
// the width.
#include <gtest/gtest.h>
#include <string.h>

#include "core/fax.h"
#include "core/ifd.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

struct FaxPage {
    int32_t width = 0, height = 0, photometric = 1, strips = 0;
    FaxCoding coding = kFaxGroup4;
    std::vector<uint8_t> strip;
};

// The single strip of a fax TIFF and what its decoder needs, read with the IFD reader alone.
bool read_fax_page(const std::vector<uint8_t>& file, FaxPage* page) {
    IfdReader reader;
    Ifd ifd;
    if (!ifd_open(&reader, ifd_begin(&reader, file.data(), file.size(), 65535), &ifd)) return false;
    uint32_t compression = 0, t4 = 0, offset = 0, count = 0;
    IfdEntry e;
    for (uint32_t i = 0; ifd_entry(&reader, &ifd, i, &e); ++i) {
        uint32_t v = e.type == 3 ? e.value_short : e.value;
        if (e.tag == 256) page->width = (int32_t)v;
        if (e.tag == 257) page->height = (int32_t)v;
        if (e.tag == 259) compression = v;
        if (e.tag == 262) page->photometric = (int)v;
        if (e.tag == 292) t4 = v;
        if (e.tag == 273) page->strips = (int32_t)e.count, offset = v;
        if (e.tag == 279) count = v;
    }
    page->coding = compression == 2 ? kFaxModifiedHuffman
                   : compression == 4 ? kFaxGroup4
                   : (t4 & 1)         ? kFaxGroup3TwoD
                                      : kFaxGroup3OneD;
    if (page->strips != 1 || offset > file.size() || count > file.size() - offset) return false;
    page->strip.assign(file.begin() + offset, file.begin() + offset + count);
    return compression >= 2 && compression <= 4;
}

// The first row that differs from the expected picture, rows when none does.
int32_t first_wrong_row(const std::vector<uint8_t>& got, const std::vector<uint8_t>& want, int32_t width) {
    for (size_t y = 0; y * width < want.size(); ++y)
        if (memcmp(&got[y * width], &want[y * width], width) != 0) return (int32_t)y;
    return (int32_t)(want.size() / width);
}

bool all_white_from(const std::vector<uint8_t>& got, int32_t row, int32_t width) {
    for (size_t i = (size_t)row * width; i < got.size(); ++i)
        if (got[i] != 255) return false;
    return true;
}

TEST(FaxDecoder, EqualsLibtiffForEveryEncoderAndEveryCut) {
    std::vector<uint8_t> list = read_whole(data_path("fax-pages.txt"));
    std::string names(list.begin(), list.end());
    int pages = 0;
    for (size_t at = 0, end; (end = names.find('\n', at)) != std::string::npos; at = end + 1) {
        std::string name = names.substr(at, end - at);
        FaxPage page;
        RefPicture ref;
        ASSERT_TRUE(read_fax_page(read_whole(data_path(name)), &page)) << name << ": not a one-strip fax page";
        std::string ref_name = name.substr(0, name.size() - 4) + ".ref.ppm";
        ASSERT_TRUE(read_ppm(data_path(ref_name), &ref)) << ref_name;
        ASSERT_EQ(ref.width, page.width) << name;
        std::vector<uint8_t> want((size_t)page.width * page.height), got(want.size());
        for (size_t i = 0; i < want.size(); ++i) want[i] = ref.rgb[3 * i];
        ASSERT_TRUE(decode_fax_strip(page.strip.data(), page.strip.size(), page.width, page.height, page.coding,
                                     page.photometric, got.data()));
        EXPECT_EQ(first_wrong_row(got, want, page.width), page.height) << name << ": first row unlike libtiff's";
        // Cut short: the rows before the cut as libtiff has them, then only white.
        size_t step = page.strip.size() / 150 + 1;
        for (size_t length = 0; length < page.strip.size(); length += step) {
            std::vector<uint8_t> cut(page.strip.begin(), page.strip.begin() + length);
            memset(got.data(), 0x77, got.size());
            decode_fax_strip(cut.data(), cut.size(), page.width, page.height, page.coding, page.photometric,
                             got.data());
            int32_t wrong = first_wrong_row(got, want, page.width);
            ASSERT_TRUE(all_white_from(got, wrong, page.width))
                << name << " cut at " << length << ": row " << wrong << " on is not all white";
        }
        ++pages;
    }
    EXPECT_GE(pages, 90) << "fax pages listed in fax-pages.txt";
}

// '0' and '1' characters as bytes, most significant bit first, the last byte padded with zeros.
std::vector<uint8_t> bits_to_bytes(const std::string& bits) {
    std::vector<uint8_t> bytes((bits.size() + 7) / 8);
    for (size_t i = 0; i < bits.size(); ++i)
        if (bits[i] == '1') bytes[i / 8] |= (uint8_t)(0x80 >> (i % 8));
    return bytes;
}

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(FaxDecoder, HandCodedStrips) {
    const std::string kHorizontal = "001", kV0 = "1", kVL3 = "0000010", kWhite2 = "0111", kBlack2 = "11";
    struct Case {
        const char* what;
        FaxCoding coding;
        int32_t width;
        int photometric;
        std::vector<uint8_t> strip;
        std::vector<std::string> rows;  // '.' white, '#' black
    } cases[] = {
        // White 0, black 5, four padding zeros per row: no end-of-line must be seen in them.
        {"modified Huffman, photometric 1", kFaxModifiedHuffman, 5, 1, {0x35, 0x30, 0x35, 0x30, 0x35, 0x30},
         {".....", ".....", "....."}},
        {"modified Huffman, photometric 0", kFaxModifiedHuffman, 5, 0, {0x35, 0x30, 0x35, 0x30, 0x35, 0x30},
         {"#####", "#####", "#####"}},
        {"one vertical-0 code", kFaxGroup4, 100, 0, {0x80}, {std::string(100, '.')}},
        // Row 1: vertical 0 to b1 = 2, then vertical-left 3 from b1 = 4 lands on 1, before a0 = 2;
        // codes that would paint black follow.
        {"vertical-left past a0", kFaxGroup4, 8, 0,
         bits_to_bytes(kHorizontal + kWhite2 + kBlack2 + kV0 + kV0 + kVL3 + kHorizontal + "000111" "10" + kV0),
         {"..##....", "........"}},
        {"codes run out in row 2", kFaxGroup4, 8, 0, bits_to_bytes(kHorizontal + kWhite2 + kBlack2 + kV0 + kV0),
         {"..##....", "........"}},
    };
    for (const Case& c : cases) {
        int32_t rows = (int32_t)c.rows.size();
        std::vector<uint8_t> got((size_t)c.width * rows, 0x77);
        ASSERT_TRUE(decode_fax_strip(c.strip.data(), c.strip.size(), c.width, rows, c.coding, c.photometric,
                                     got.data()));
        std::string shown;
        for (size_t i = 0; i < got.size(); ++i) shown += got[i] == 255 ? '.' : got[i] == 0 ? '#' : '?';
        std::string want;
        for (const std::string& r : c.rows) want += r;
        EXPECT_EQ(shown, want) << c.what;
    }
}

TEST(FaxDecoder, RefusesBadSizesWithoutWriting) {
    uint8_t strip[1] = {0x80}, out[4] = {7, 7, 7, 7};
    EXPECT_FALSE(decode_fax_strip(strip, 1, 0, 1, kFaxGroup4, 0, out));
    EXPECT_FALSE(decode_fax_strip(strip, 1, 30001, 1, kFaxGroup4, 0, out));
    EXPECT_FALSE(decode_fax_strip(strip, 1, 4, 0, kFaxGroup4, 0, out));
    EXPECT_EQ(out[0] + out[1] + out[2] + out[3], 28) << "output written on refusal";
}

// 15000 black pixels one apart, then rows of nothing but vertical-0 codes,
// each following 30000 changing elements of the row above.
TEST(FaxDecoder, WidestPageOfAlternatingCodes) {
    const int32_t kWidth = 30000, kRows = 40;
    std::string bits = repeat("001" "000111" "010", kWidth / 2) + repeat(repeat("1", kWidth), kRows - 1);
    std::vector<uint8_t> strip = bits_to_bytes(bits), got((size_t)kWidth * kRows);
    ASSERT_TRUE(decode_fax_strip(strip.data(), strip.size(), kWidth, kRows, kFaxGroup4, 0, got.data()));
    for (size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(got[i], (i % 2) ? 0 : 255) << "pixel " << i % kWidth << " of row " << i / kWidth;
}

}  // namespace
