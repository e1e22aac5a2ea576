// The cursors the decoders of codes and tag tables read through: the bit
// reader and the IFD reader at its limits (plain entries in either byte order
// are read by the TIFF and EXIF tests). Each is given a block of exactly its
// size, so the sanitizer sees any read past it.
#include <gtest/gtest.h>

#include "core/bit_reader.h"
#include "core/ifd.h"
#include "tests/support/bytes.h"

TEST(BitReader, MostSignificantBitFirstAcrossBytes) {
    std::vector<uint8_t> data = {0xA5, 0x3C, 0xF0, 0x0F, 0x81};  // 10100101 00111100 11110000 00001111 10000001
    BitReader r = bits_make(data.data(), data.size());
    EXPECT_EQ(bits_left(&r), 40u);
    EXPECT_EQ(bits_read(&r, 3), 0x5u);    // 101
    EXPECT_EQ(bits_peek(&r, 9), 0x053u);  // 00101 0011: a peek does not move
    EXPECT_EQ(bits_read(&r, 9), 0x053u);
    EXPECT_EQ(bits_left(&r), 28u);
    EXPECT_EQ(bits_read(&r, 12), 0xCF0u);
    EXPECT_EQ(bits_read(&r, 0), 0u);
    bits_align(&r);  // at a byte already: stays
    EXPECT_EQ(bits_read(&r, 1), 0u);
    bits_align(&r);
    EXPECT_EQ(bits_left(&r), 8u);
    r.pos = 4;
    EXPECT_EQ(bits_read(&r, 32), 0x53CF00F8u);
}

TEST(BitReader, ZerosPastTheEndAndNoBitsLeft) {
    std::vector<uint8_t> data = {0xFF};
    BitReader r = bits_make(data.data(), data.size());
    EXPECT_EQ(bits_read(&r, 12), 0xFF0u);
    EXPECT_EQ(bits_left(&r), 0u);
    EXPECT_EQ(bits_read(&r, 32), 0u);
    EXPECT_EQ(bits_left(&r), 0u);
    BitReader empty = bits_make(nullptr, 0);
    EXPECT_EQ(bits_read(&empty, 7), 0u);
}

TEST(Ifd, ChainsThatLoopOrNeverEndStop) {
    auto directories_opened = [](const std::vector<uint8_t>& b) {
        IfdReader reader;
        Ifd ifd;
        int opened = 0;
        for (uint32_t at = ifd_begin(&reader, b.data(), b.size(), 10); ifd_open(&reader, at, &ifd); at = ifd_next(&reader, &ifd))
            ++opened;
        return opened;
    };
    // Two empty directories (at 8 and 14) naming each other.
    std::vector<uint8_t> b = tiff_structure({{}, {}}, true, true);
    b[14 + 2] = 8;  // the second one's next offset: back to the first
    EXPECT_EQ(directories_opened(b), 2);
    // More directories than a chain may hold.
    EXPECT_EQ(directories_opened(tiff_structure(std::vector<std::vector<IfdField>>(kMaxIfdChain + 5), false, true)),
              kMaxIfdChain);
}

TEST(Ifd, EverythingOutsideTheDataIsRefused) {
    std::vector<uint8_t> b = tiff_structure({{ifd_short(1, 1), ifd_ascii(2, "outside")}}, true, false);
    IfdReader reader;
    Ifd ifd;
    uint32_t first = ifd_begin(&reader, b.data(), b.size(), 1);
    EXPECT_FALSE(ifd_open(&reader, first, &ifd));  // two entries, one allowed
    first = ifd_begin(&reader, b.data(), b.size(), 2);
    EXPECT_FALSE(ifd_open(&reader, 0, &ifd));
    EXPECT_FALSE(ifd_open(&reader, (uint32_t)b.size() - 1, &ifd));
    ASSERT_TRUE(ifd_open(&reader, first, &ifd));
    EXPECT_FALSE(ifd_open(&reader, first, &ifd));  // seen before
    IfdEntry e;
    ASSERT_TRUE(ifd_entry(&reader, &ifd, 1, &e));
    const uint8_t* text = nullptr;
    size_t length = 0;
    std::vector<uint8_t> cut(b.begin(), b.end() - 1);  // the text loses its last byte
    ifd_begin(&reader, cut.data(), cut.size(), 2);
    EXPECT_FALSE(ifd_value_bytes(&reader, &e, &text, &length));
    e.value = 0xFFFFFFF0u;
    EXPECT_FALSE(ifd_value_bytes(&reader, &e, &text, &length));
    // The directory cut inside its second entry.
    std::vector<uint8_t> short_dir(b.begin(), b.begin() + 8 + 2 + 12 + 6);
    ifd_begin(&reader, short_dir.data(), short_dir.size(), 2);
    ASSERT_TRUE(ifd_open(&reader, 8, &ifd));
    EXPECT_TRUE(ifd_entry(&reader, &ifd, 0, &e));
    EXPECT_FALSE(ifd_entry(&reader, &ifd, 1, &e));
    EXPECT_EQ(ifd_next(&reader, &ifd), 0u);
    EXPECT_EQ(ifd_begin(&reader, b.data(), 7, 2), 0u);  // no room for the header
}
