// The EXIF reader over blocks written here, in both byte orders, and over
// files tagged by exiftool and ImageMagick. How the orientation turns the
// picture is tested on load_image_set.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include "core/exif.h"
#include "tests/support/bytes.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

const uint16_t kMake = 271, kModel = 272, kOrientation = 274, kDateTime = 306, kExifIfd = 34665,
               kDateTimeOriginal = 36867;

// A JPEG whose APP1 segment holds the TIFF structure; a JFIF header before
// it, the scan after it.
std::vector<uint8_t> exif_jpeg(const std::vector<uint8_t>& tiff) {
    std::vector<uint8_t> b = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
    size_t length = 2 + 6 + tiff.size();
    b.insert(b.end(), {0xFF, 0xE1, (uint8_t)(length >> 8), (uint8_t)length, 'E', 'x', 'i', 'f', 0, 0});
    b.insert(b.end(), tiff.begin(), tiff.end());
    b.insert(b.end(), {0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0, 0x12, 0x34, 0xFF, 0xD9});
    return b;
}

// IFD0 and, when `sub` is not empty, the EXIF sub-IFD it names.
std::vector<uint8_t> exif_jpeg(std::vector<IfdField> ifd0, const std::vector<IfdField>& sub = {}, bool little = true) {
    if (!sub.empty()) ifd0.push_back(ifd_pointer(kExifIfd, 1));
    std::vector<std::vector<IfdField>> dirs = {ifd0};
    if (!sub.empty()) dirs.push_back(sub);
    return exif_jpeg(tiff_structure(dirs, little, false));
}

struct Exif {
    int orientation = -1;
    char date[40] = "stale", make[64] = "stale", model[64] = "stale";
    // All four as "orientation|date|make|model", so one check shows what came out.
    std::string all() const { return std::to_string(orientation) + "|" + date + "|" + make + "|" + model; }
};

Exif read(const std::vector<uint8_t>& bytes) {
    Exif e;
    read_exif_data(bytes.data(), bytes.size(), &e.orientation, e.date, sizeof e.date, e.make, sizeof e.make, e.model,
                   sizeof e.model);
    return e;
}

Exif read_file(const std::string& path) {
    Exif e;
    read_exif(path.c_str(), &e.orientation, e.date, sizeof e.date, e.make, sizeof e.make, e.model, sizeof e.model);
    return e;
}

}  // namespace

TEST(Exif, OrientationOutsideOneToEightLeavesOne) {
    for (bool little : {true, false})
        for (int o : {0, 9, 255, 0x100 + 6})
            EXPECT_EQ(read(exif_jpeg({ifd_short(kOrientation, o)}, {}, little)).orientation, 1) << o;
    // The orientation counts in the sub-IFD too, and a make that is not text is skipped.
    EXPECT_EQ(read(exif_jpeg({ifd_short(kMake, 5)}, {ifd_short(kOrientation, 3)}, false)).all(), "3|||");
}

// Trailing spaces and both byte orders: exiftool's files, below.
TEST(Exif, ShortTextInsideTheEntry) {
    EXPECT_EQ(read(exif_jpeg({ifd_ascii(kModel, "X7 ")}, {}, false)).all(), "1|||X7");  // "X7 " and its zero
}

TEST(Exif, TextLimitsAndBuffers) {
    Exif e = read(exif_jpeg({ifd_ascii(kModel, std::string(300, 'm')), ifd_ascii(kMake, std::string(199, 'k'))}));
    EXPECT_STREQ(e.model, "");       // over 200 characters: skipped
    EXPECT_EQ(strlen(e.make), 63u);  // 200 with its zero: taken, cut to the buffer

    std::vector<uint8_t> bytes = exif_jpeg({ifd_ascii(kMake, "Harbour"), ifd_short(kOrientation, 6)});
    char make[5] = "xxxx";
    read_exif_data(bytes.data(), bytes.size(), nullptr, nullptr, 0, make, sizeof make, nullptr, 0);
    EXPECT_STREQ(make, "Harb");
    int orientation = 0;
    char none[1] = {'x'};
    read_exif_data(bytes.data(), bytes.size(), &orientation, none, 0, none, 0, none, 0);
    EXPECT_EQ(orientation, 6);
    EXPECT_EQ(none[0], 'x');  // a buffer of size 0 is not touched
}

TEST(Exif, MalformedBlocksLeaveTheDefaults) {
    // A text pointing past the segment.
    std::vector<uint8_t> far = exif_jpeg({ifd_ascii(kMake, "Harbour Optics")});
    size_t entry = 20 + 10 + 8 + 2;  // SOI and JFIF, APP1 head, TIFF header, entry count
    far[entry + 8] = 0xF0;
    far[entry + 9] = 0xFF;
    EXPECT_STREQ(read(far).make, "");
    // More than 500 entries; exactly 500 are read.
    std::vector<IfdField> many(500, ifd_short(1000, 0));
    many.push_back(ifd_short(kOrientation, 8));
    EXPECT_EQ(read(exif_jpeg(many)).orientation, 1);
    many.erase(many.begin());
    EXPECT_EQ(read(exif_jpeg(many)).orientation, 8);
    // No EXIF segment; not a JPEG; too short; the scan before the EXIF segment.
    EXPECT_EQ(read({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xDA, 0, 4, 0, 0}).all(), "1|||");
    std::vector<uint8_t> bytes = exif_jpeg({ifd_short(kOrientation, 6)});
    std::vector<uint8_t> png = bytes, scan_first = {0xFF, 0xD8, 0xFF, 0xDA, 0, 4, 0, 0};
    png[0] = 0x89;
    scan_first.insert(scan_first.end(), bytes.begin() + 2, bytes.end());
    EXPECT_EQ(read(png).orientation, 1);
    EXPECT_EQ(read(scan_first).orientation, 1);
    EXPECT_EQ(read(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 11)).orientation, 1);
}

TEST(Exif, CutAnywhereNeverReadsPastTheEnd) {
    std::vector<uint8_t> bytes = exif_jpeg({ifd_ascii(kMake, "Harbour Optics"), ifd_short(kOrientation, 6)},
                                           {ifd_ascii(kDateTimeOriginal, "2019:09:09 09:09:09")}, false);
    for (size_t n = 0; n <= bytes.size(); ++n) {
        // A copy of exactly n bytes, so the sanitizer sees any read past it.
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + n);
        int o = read(cut).orientation;
        EXPECT_TRUE(o == 1 || o == 6) << n;
    }
    EXPECT_EQ(read(bytes).orientation, 6);
}

TEST(Exif, LargePhotoIsReadFromItsHeadOnly) {
    // 40 MB, all but the head a hole in the file: only the first segments are read.
    std::vector<uint8_t> bytes = exif_jpeg({ifd_short(kOrientation, 6), ifd_ascii(kModel, "HX-200")});
    std::string path = write_scratch("exif-large.jpg", bytes);
    FILE* f = fopen(path.c_str(), "r+b");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(fseek(f, 40000000, SEEK_SET), 0);
    fputc(0xD9, f);
    fclose(f);
    EXPECT_EQ(read_file(path).all(), "6|||HX-200");
    remove(path.c_str());
    EXPECT_EQ(read_file(scratch_path("exif-missing.jpg")).all(), "1|||");
}

TEST(Exif, FilesOfOtherWriters) {
    // DateTime of IFD0 wins over DateTimeOriginal; without it, DateTimeOriginal counts.
    for (const char* order : {"II", "MM"})
        EXPECT_EQ(read_file(data_path(std::string("exif-") + order + "-texts.jpg")).all(),
                  "1|2019:03:04 05:06:07|Harbour Optics|HX-200")
            << order;
    EXPECT_STREQ(read_file(data_path("exif-original-only.jpg")).date, "2017:07:08 09:10:11");
    EXPECT_EQ(read_file(data_path("exif-plain.jpg")).orientation, 1);
    EXPECT_EQ(read_file(data_path("exif-im-6.jpg")).orientation, 6);  // ImageMagick's own writer
    EXPECT_EQ(read_file(data_path("exif-im-8.jpg")).orientation, 8);
}
