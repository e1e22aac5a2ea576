#include <gtest/gtest.h>
#include <string.h>

#include "core/decode_message.h"
#include "core/loader.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/scratch.h"

namespace {

std::vector<uint8_t> tiny_bmp() {
    BmpSpec s;
    s.width = 1;
    s.height = 1;
    std::vector<uint8_t> b = bmp_headers(s);
    b.insert(b.end(), {9, 8, 7, 0});
    return b;
}

DecoderKind sniff(std::initializer_list<int> bytes) {
    unsigned char head[8] = {};
    int i = 0;
    for (int b : bytes) head[i++] = (unsigned char)b;
    return decoder_for_header(head);
}

}  // namespace

TEST(Loader, HeaderTableInOrder) {
    EXPECT_EQ(sniff({'B', 'M'}), kDecoderBmp);
    EXPECT_EQ(sniff({0xFF, 0xD8, 0xFF}), kDecoderStb);
    EXPECT_EQ(sniff({0x89, 'P', 'N', 'G'}), kDecoderStb);
    EXPECT_EQ(sniff({'G', 'I', 'F', '8'}), kDecoderStb);
    EXPECT_EQ(sniff({'I', 'I', 42, 0}), kDecoderTiff);
    EXPECT_EQ(sniff({'M', 'M', 0, 42}), kDecoderTiff);
    EXPECT_EQ(sniff({'8', 'B', 'P', 'S'}), kDecoderStb);
    EXPECT_EQ(sniff({'8', 'B', 'P', 'X'}), kDecoderNone);
    for (char digit = '1'; digit <= '6'; ++digit) EXPECT_EQ(sniff({'P', digit}), kDecoderStb) << digit;
    EXPECT_EQ(sniff({'P', '0'}), kDecoderNone);
    EXPECT_EQ(sniff({'P', '7'}), kDecoderNone);
    EXPECT_EQ(sniff({0xB1, 0x68, 0xDE, 0x3A}), kDecoderDcx);
    EXPECT_EQ(sniff({0xD7, 0xCD, 0xC6, 0x9A}), kDecoderWmf);
    EXPECT_EQ(sniff({'F', 'O', 'R', 'M'}), kDecoderIff);
    EXPECT_EQ(sniff({0x0A, 5, 0}), kDecoderPcx);
    EXPECT_EQ(sniff({0x0A, 5, 1}), kDecoderPcx);
    EXPECT_EQ(sniff({0x0A, 5, 2}), kDecoderNone);
    EXPECT_EQ(sniff({'G', 'I'}), kDecoderNone);
    EXPECT_EQ(sniff({}), kDecoderNone);
}

TEST(Loader, ExtensionIsFromTheLastDotOfTheWholePath) {
    EXPECT_STREQ(path_extension("C:\\pics\\cat.JPG"), ".JPG");
    EXPECT_STREQ(path_extension("C:\\a.b\\picture"), ".b\\picture");
    EXPECT_STREQ(path_extension("noext"), "");
    EXPECT_STREQ(path_extension("archive.tar.gz"), ".gz");
    EXPECT_TRUE(extension_equal(".JpEg", ".jpeg"));
    EXPECT_FALSE(extension_equal(".jpe", ".jpeg"));
    EXPECT_FALSE(extension_equal(".jpeg", ".jpe"));
    EXPECT_FALSE(extension_equal(".[", ".{"));  // only letters fold
}

TEST(Loader, ExtensionTable) {
    const struct { const char* path; DecoderKind kind; } cases[] = {
        {"a.bmp", kDecoderBmp},   {"a.DIB", kDecoderBmp},   {"a.jpg", kDecoderStb},  {"a.JPEG", kDecoderStb},
        {"a.jpe", kDecoderStb},   {"a.png", kDecoderStb},   {"a.gif", kDecoderStb},  {"a.tif", kDecoderTiff},
        {"a.TIFF", kDecoderTiff}, {"a.tga", kDecoderStb},   {"a.psd", kDecoderStb},  {"a.pic", kDecoderStb},
        {"a.pnm", kDecoderStb},   {"a.pbm", kDecoderStb},   {"a.pgm", kDecoderStb},  {"a.ppm", kDecoderStb},
        {"a.pcx", kDecoderPcx},   {"a.pcd", kDecoderPcd},   {"a.dcx", kDecoderDcx},  {"a.wmf", kDecoderWmf},
        {"a.iff", kDecoderIff},   {"a.lbm", kDecoderIff},   {"a.ILBM", kDecoderIff}, {"a.txt", kDecoderNone},
        {"bmp", kDecoderNone},    {"a.bmpx", kDecoderNone}, {"a.", kDecoderNone},
    };
    for (auto c : cases) EXPECT_EQ(decoder_for_extension(c.path), c.kind) << c.path;
}

TEST(Loader, HeaderWinsOverExtension) {
    char message[kMessageBytes];
    std::string path = write_scratch("really-a-bitmap.png", tiny_bmp());
    Image* image = load_image(path.c_str(), message);
    ASSERT_NE(image, nullptr) << message;
    EXPECT_EQ(image->pixels[0], 9);
    image_free(image);
}

TEST(Loader, UnknownHeaderFallsBackToTheExtension) {
    // A bitmap with a damaged magic, named .BMP, still reaches the BMP reader,
    // which then names what is wrong.
    std::vector<uint8_t> bytes = tiny_bmp();
    bytes[0] = 'X';
    char message[kMessageBytes];
    std::string path = write_scratch("damaged.BMP", bytes);
    EXPECT_EQ(load_image(path.c_str(), message), nullptr);
    EXPECT_STREQ(message, kMsgBmpBadHeader);
}

TEST(Loader, NoMatchIsAnUnknownFormat) {
    char message[kMessageBytes];
    std::string plain = write_scratch("notes.txt", {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(load_image(plain.c_str(), message), nullptr);
    EXPECT_STREQ(message, kMsgUnknownFormat);

    // The last dot of the path stands in a folder name: no extension matches.
    std::string folder = scratch_path("a.b");
#ifdef _WIN32
    mkdir(folder.c_str());
#else
    mkdir(folder.c_str(), 0755);
#endif
    std::string inside = write_scratch("a.b/picture", {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(load_image(inside.c_str(), message), nullptr);
    EXPECT_STREQ(message, kMsgUnknownFormat);

    std::string empty = write_scratch("empty.xyz", {});
    EXPECT_EQ(load_image(empty.c_str(), message), nullptr);
    EXPECT_STREQ(message, kMsgUnknownFormat);
}

TEST(Loader, MissingFileCannotBeOpened) {
    char message[kMessageBytes];
    EXPECT_EQ(load_image(scratch_path("missing.bmp").c_str(), message), nullptr);
    EXPECT_STREQ(message, kMsgOpenFailed);
}

TEST(Loader, MessageIsEmptiedOnSuccessAndMayBeAbsent) {
    std::string path = write_scratch("ok.bmp", tiny_bmp());
    char message[kMessageBytes];
    strcpy(message, "left over");
    Image* image = load_image(path.c_str(), message);
    ASSERT_NE(image, nullptr);
    EXPECT_STREQ(message, "");
    image_free(image);
    EXPECT_EQ(load_image(scratch_path("missing.bmp").c_str(), nullptr), nullptr);
}

TEST(Loader, MessagesAreCutToTheBuffer) {
    char message[kMessageBytes + 8];
    memset(message, 'x', sizeof message);
    std::string longer(300, 'a');
    set_message(message, longer.c_str());
    EXPECT_EQ(strlen(message), kMessageBytes - 1);
    EXPECT_EQ(message[kMessageBytes], 'x');  // nothing written past the buffer
}
