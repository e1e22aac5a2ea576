// The EXIF reader over blocks written here, in both byte orders, and over
// files tagged by exiftool and ImageMagick.
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/exif.h"
#include "tests/support/scratch.h"

namespace {

std::string data_path(const std::string& name) { return std::string(LUMORA_TEST_DATA) + "/" + name; }

struct Entry {
    uint16_t tag;
    uint16_t type;
    uint32_t count;
    uint32_t value;            // a number, or an offset filled in for `text`
    std::string text;          // ASCII values: stored in the entry when 4 bytes or fewer
    bool sub_ifd = false;      // value: the offset of the sub-IFD
};

Entry number(uint16_t tag, uint32_t value) { return {tag, 3, 1, value, "", false}; }
Entry ascii(uint16_t tag, const std::string& text) { return {tag, 2, (uint32_t)text.size() + 1, 0, text, false}; }

// A JPEG whose APP1 segment holds a TIFF structure with IFD0 and, when
// `exif` is not empty, an EXIF sub-IFD named by IFD0; the scan follows.
struct ExifBuilder {
    bool little = true;
    std::vector<Entry> ifd0, exif;

    void put16(std::vector<uint8_t>* b, size_t at, uint32_t v) const {
        (*b)[at] = (uint8_t)(little ? v : v >> 8);
        (*b)[at + 1] = (uint8_t)(little ? v >> 8 : v);
    }
    void put32(std::vector<uint8_t>* b, size_t at, uint32_t v) const {
        for (int i = 0; i < 4; ++i) (*b)[at + i] = (uint8_t)(v >> (little ? 8 * i : 24 - 8 * i));
    }

    // Writes one IFD at `at` in the TIFF block; its long texts go to the end.
    void write_ifd(std::vector<uint8_t>* t, size_t at, std::vector<Entry> entries, uint32_t sub_offset) const {
        put16(t, at, (uint32_t)entries.size());
        for (size_t j = 0; j < entries.size(); ++j) {
            Entry e = entries[j];
            size_t p = at + 2 + 12 * j;
            put16(t, p, e.tag);
            put16(t, p + 2, e.type);
            put32(t, p + 4, e.count);
            if (e.sub_ifd) {
                put32(t, p + 8, sub_offset);
            } else if (e.type == 2 && e.text.size() + 1 <= 4) {
                memcpy(t->data() + p + 8, e.text.c_str(), e.text.size() + 1);
            } else if (e.type == 2) {
                put32(t, p + 8, (uint32_t)t->size());
                t->insert(t->end(), e.text.begin(), e.text.end());
                t->push_back(0);
            } else if (e.type == 3) {
                put16(t, p + 8, e.value);  // a short sits in the first two bytes of the field
            } else {
                put32(t, p + 8, e.value);
            }
        }
    }

    std::vector<uint8_t> tiff() const {
        std::vector<Entry> first = ifd0;
        if (!exif.empty()) first.push_back({34665, 4, 1, 0, "", true});
        size_t ifd0_size = 2 + 12 * first.size() + 4;
        size_t exif_at = 8 + ifd0_size;
        size_t exif_size = exif.empty() ? 0 : 2 + 12 * exif.size() + 4;
        std::vector<uint8_t> t(8 + ifd0_size + exif_size, 0);
        t[0] = t[1] = little ? 'I' : 'M';
        put16(&t, 2, 42);
        put32(&t, 4, 8);
        write_ifd(&t, 8, first, (uint32_t)exif_at);
        if (!exif.empty()) write_ifd(&t, exif_at, exif, 0);
        return t;
    }

    std::vector<uint8_t> jpeg() const {
        std::vector<uint8_t> t = tiff();
        std::vector<uint8_t> b = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
        size_t length = 2 + 6 + t.size();
        b.insert(b.end(), {0xFF, 0xE1, (uint8_t)(length >> 8), (uint8_t)length, 'E', 'x', 'i', 'f', 0, 0});
        b.insert(b.end(), t.begin(), t.end());
        b.insert(b.end(), {0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0, 0x12, 0x34, 0xFF, 0xD9});
        return b;
    }
};

struct Exif {
    int orientation = -1;
    char date[40], make[64], model[64];
    Exif() {
        strcpy(date, "stale");
        strcpy(make, "stale");
        strcpy(model, "stale");
    }
};

void read(const std::vector<uint8_t>& bytes, Exif* out) {
    read_exif_data(bytes.data(), bytes.size(), &out->orientation, out->date, sizeof out->date, out->make,
                   sizeof out->make, out->model, sizeof out->model);
}

void read_file(const std::string& path, Exif* out) {
    read_exif(path.c_str(), &out->orientation, out->date, sizeof out->date, out->make, sizeof out->make, out->model,
              sizeof out->model);
}

}  // namespace

TEST(Exif, OrientationInBothByteOrders) {
    for (bool little : {true, false}) {
        for (int o = 1; o <= 8; ++o) {
            SCOPED_TRACE(std::string(little ? "II " : "MM ") + std::to_string(o));
            ExifBuilder b;
            b.little = little;
            b.ifd0 = {number(271, 0) /* not ASCII: skipped */, number(274, o)};
            b.ifd0[0].type = 3;
            Exif e;
            read(b.jpeg(), &e);
            EXPECT_EQ(e.orientation, o);
            EXPECT_STREQ(e.make, "");
            EXPECT_STREQ(e.date, "");
        }
    }
}

TEST(Exif, OrientationOutsideOneToEightLeavesOne) {
    for (int o : {0, 9, 255, 0x100 + 6}) {
        for (bool little : {true, false}) {
            ExifBuilder b;
            b.little = little;
            b.ifd0 = {number(274, o)};
            Exif e;
            read(b.jpeg(), &e);
            EXPECT_EQ(e.orientation, 1) << o;
        }
    }
}

TEST(Exif, TextsWithTrailingSpacesAndShortOnes) {
    for (bool little : {true, false}) {
        ExifBuilder b;
        b.little = little;
        b.ifd0 = {ascii(271, "Harbour Optics   "), ascii(272, "X7 "), ascii(306, "2020:01:02 03:04:05")};
        Exif e;
        read(b.jpeg(), &e);
        EXPECT_STREQ(e.make, "Harbour Optics");
        EXPECT_STREQ(e.model, "X7");  // four bytes with its zero: inside the entry
        EXPECT_STREQ(e.date, "2020:01:02 03:04:05");
        EXPECT_EQ(e.orientation, 1);
    }
}

TEST(Exif, DateTimeWinsOverDateTimeOriginal) {
    ExifBuilder b;
    b.ifd0 = {ascii(306, "2020:01:02 03:04:05")};
    b.exif = {ascii(36867, "2019:09:09 09:09:09")};
    Exif e;
    read(b.jpeg(), &e);
    EXPECT_STREQ(e.date, "2020:01:02 03:04:05");

    ExifBuilder only_original;
    only_original.little = false;
    only_original.exif = {ascii(36867, "2019:09:09 09:09:09"), number(274, 3)};
    Exif o;
    read(only_original.jpeg(), &o);
    EXPECT_STREQ(o.date, "2019:09:09 09:09:09");
    EXPECT_EQ(o.orientation, 3);  // the tag counts in the sub-IFD as well
}

TEST(Exif, TextsOverTwoHundredCharactersAreSkipped) {
    ExifBuilder b;
    b.ifd0 = {ascii(272, std::string(300, 'm')), ascii(271, std::string(199, 'k'))};
    Exif e;
    read(b.jpeg(), &e);
    EXPECT_STREQ(e.model, "");
    EXPECT_EQ(strlen(e.make), 63u);  // 200 characters with its zero: taken, cut to the buffer
}

TEST(Exif, TextsAreCutToTheBufferAndOutputsMayBeAbsent) {
    ExifBuilder b;
    b.ifd0 = {ascii(271, "Harbour"), number(274, 6)};
    std::vector<uint8_t> bytes = b.jpeg();
    char make[5] = "xxxx";
    read_exif_data(bytes.data(), bytes.size(), nullptr, nullptr, 0, make, sizeof make, nullptr, 0);
    EXPECT_STREQ(make, "Harb");
    int orientation = 0;
    char none[1] = {'x'};
    read_exif_data(bytes.data(), bytes.size(), &orientation, none, 0, none, 0, none, 0);
    EXPECT_EQ(orientation, 6);
    EXPECT_EQ(none[0], 'x');  // a buffer of size 0 is not touched
}

TEST(Exif, TextOutsideTheFileIsSkipped) {
    ExifBuilder b;
    b.ifd0 = {ascii(271, "Harbour Optics")};
    std::vector<uint8_t> bytes = b.jpeg();
    // Point the text past the end of the file.
    size_t entry = 2 + 18 + 10 + 8 + 2;  // SOI, APP0, APP1 head, TIFF header, count
    bytes[entry + 8] = 0xF0;
    bytes[entry + 9] = 0xFF;
    Exif e;
    read(bytes, &e);
    EXPECT_STREQ(e.make, "");
}

TEST(Exif, MoreThanFiveHundredEntriesIsMalformed) {
    ExifBuilder b;
    for (int i = 0; i < 500; ++i) b.ifd0.push_back(number(1000, 0));
    b.ifd0.push_back(number(274, 8));
    Exif e;
    read(b.jpeg(), &e);
    EXPECT_EQ(e.orientation, 1);

    b.ifd0.erase(b.ifd0.begin());  // 500 entries: read
    Exif f;
    read(b.jpeg(), &f);
    EXPECT_EQ(f.orientation, 8);
}

TEST(Exif, SubIfdPointingBackIsVisitedOnceOnly) {
    // IFD0 names itself as the EXIF sub-IFD: at most two visits, and the
    // date, filled on the first, is not taken again.
    ExifBuilder b;
    b.ifd0 = {ascii(306, "2020:01:02 03:04:05"), {34665, 4, 1, 8, "", false}};
    Exif e;
    read(b.jpeg(), &e);
    EXPECT_STREQ(e.date, "2020:01:02 03:04:05");
}

TEST(Exif, NoExifSegmentLeavesTheDefaults) {
    Exif e;
    read({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xDA, 0, 4, 0, 0}, &e);
    EXPECT_EQ(e.orientation, 1);
    EXPECT_STREQ(e.date, "");
    EXPECT_STREQ(e.make, "");
    EXPECT_STREQ(e.model, "");

    // Not a JPEG; too short; the scan comes before the EXIF segment.
    ExifBuilder b;
    b.ifd0 = {number(274, 6)};
    std::vector<uint8_t> bytes = b.jpeg();
    std::vector<uint8_t> png = bytes;
    png[0] = 0x89;
    Exif p, s, late;
    read(png, &p);
    EXPECT_EQ(p.orientation, 1);
    read(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 11), &s);
    EXPECT_EQ(s.orientation, 1);
    std::vector<uint8_t> scan_first = {0xFF, 0xD8, 0xFF, 0xDA, 0, 4, 0, 0};
    scan_first.insert(scan_first.end(), bytes.begin() + 2, bytes.end());
    read(scan_first, &late);
    EXPECT_EQ(late.orientation, 1);
}

TEST(Exif, CutAnywhereNeverReadsPastTheEnd) {
    ExifBuilder b;
    b.little = false;
    b.ifd0 = {ascii(271, "Harbour Optics"), number(274, 6)};
    b.exif = {ascii(36867, "2019:09:09 09:09:09")};
    std::vector<uint8_t> bytes = b.jpeg();
    for (size_t n = 0; n <= bytes.size(); ++n) {
        // A copy of exactly n bytes, so the sanitizer sees any read past it.
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + n);
        Exif e;
        read_exif_data(n ? cut.data() : nullptr, n, &e.orientation, e.date, sizeof e.date, e.make, sizeof e.make,
                       e.model, sizeof e.model);
        EXPECT_TRUE(e.orientation == 1 || e.orientation == 6);
    }
}

TEST(Exif, FilesAboveThirtyMillionBytesAreNotRead) {
    ExifBuilder b;
    b.ifd0 = {number(274, 6)};
    std::vector<uint8_t> bytes = b.jpeg();
    bytes.resize(kMaxExifFileBytes, 0);
    Exif at_limit, above;
    read_file(write_scratch("exif-at-limit.jpg", bytes), &at_limit);
    EXPECT_EQ(at_limit.orientation, 6);
    bytes.push_back(0);
    read_file(write_scratch("exif-above-limit.jpg", bytes), &above);
    EXPECT_EQ(above.orientation, 1);
    EXPECT_STREQ(above.make, "");
    remove(scratch_path("exif-at-limit.jpg").c_str());
    remove(scratch_path("exif-above-limit.jpg").c_str());

    Exif missing;
    read_file(scratch_path("exif-missing.jpg"), &missing);
    EXPECT_EQ(missing.orientation, 1);
    EXPECT_STREQ(missing.date, "");
}

TEST(Exif, ExiftoolFilesInBothByteOrders) {
    for (const char* order : {"II", "MM"}) {
        for (int o = 1; o <= 8; ++o) {
            std::string name = std::string("exif-") + order + "-" + std::to_string(o) + ".jpg";
            SCOPED_TRACE(name);
            Exif e;
            read_file(data_path(name), &e);
            EXPECT_EQ(e.orientation, o);
        }
        Exif t;
        read_file(data_path(std::string("exif-") + order + "-texts.jpg"), &t);
        EXPECT_STREQ(t.make, "Harbour Optics");
        EXPECT_STREQ(t.model, "HX-200");
        EXPECT_STREQ(t.date, "2019:03:04 05:06:07");  // DateTime of IFD0, not DateTimeOriginal
    }
    Exif original;
    read_file(data_path("exif-original-only.jpg"), &original);
    EXPECT_STREQ(original.date, "2017:07:08 09:10:11");
    Exif plain;
    read_file(data_path("exif-plain.jpg"), &plain);
    EXPECT_EQ(plain.orientation, 1);
    EXPECT_STREQ(plain.make, "");
}

TEST(Exif, ImageMagickRewrittenOrientation) {
    Exif six, eight;
    read_file(data_path("exif-im-6.jpg"), &six);
    read_file(data_path("exif-im-8.jpg"), &eight);
    EXPECT_EQ(six.orientation, 6);
    EXPECT_EQ(eight.orientation, 8);
}

// Straightening, checked on a grid of labels: a camera stores an upright
// picture U (H rows, W columns) by its orientation as EXIF defines it (where
// the stored first row and first column lie in U); the steps must give U back.
namespace {

typedef std::vector<std::vector<int>> Grid;

Grid stored_by_orientation(const Grid& u, int o) {
    int h = (int)u.size(), w = (int)u[0].size();
    bool swap = o >= 5;
    Grid s(swap ? w : h, std::vector<int>(swap ? h : w));
    for (int r = 0; r < (int)s.size(); ++r) {
        for (int c = 0; c < (int)s[0].size(); ++c) {
            switch (o) {
            case 1: s[r][c] = u[r][c]; break;
            case 2: s[r][c] = u[r][w - 1 - c]; break;                  // first column is the right side
            case 3: s[r][c] = u[h - 1 - r][w - 1 - c]; break;          // first row is the bottom
            case 4: s[r][c] = u[h - 1 - r][c]; break;
            case 5: s[r][c] = u[c][r]; break;                          // first row is the left side, top first
            case 6: s[r][c] = u[c][w - 1 - r]; break;                  // first row is the right side, top first
            case 7: s[r][c] = u[h - 1 - c][w - 1 - r]; break;          // first row is the right side, bottom first
            case 8: s[r][c] = u[h - 1 - c][r]; break;                  // first row is the left side, bottom first
            }
        }
    }
    return s;
}

Grid apply_step(const Grid& g, ExifStep step) {
    int h = (int)g.size(), w = (int)g[0].size();
    bool turn = step == kExifStepRotateCw || step == kExifStepRotateCcw;
    Grid out(turn ? w : h, std::vector<int>(turn ? h : w));
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            switch (step) {
            case kExifStepNone: out[r][c] = g[r][c]; break;
            case kExifStepMirror: out[r][w - 1 - c] = g[r][c]; break;
            case kExifStepFlip: out[h - 1 - r][c] = g[r][c]; break;
            case kExifStepRotate180: out[h - 1 - r][w - 1 - c] = g[r][c]; break;
            case kExifStepRotateCw: out[c][h - 1 - r] = g[r][c]; break;
            case kExifStepRotateCcw: out[w - 1 - c][r] = g[r][c]; break;
            }
        }
    }
    return out;
}

}  // namespace

TEST(Exif, UprightStepsUndoEveryOrientation) {
    Grid upright(2, std::vector<int>(3));
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) upright[r][c] = 10 * r + c;
    for (int o = 1; o <= 8; ++o) {
        ExifUpright steps = exif_upright_steps(o);
        Grid g = apply_step(apply_step(stored_by_orientation(upright, o), steps.first), steps.second);
        EXPECT_EQ(g, upright) << "orientation " << o;
    }
    for (int o : {0, 9, -1}) {
        ExifUpright steps = exif_upright_steps(o);
        EXPECT_EQ(steps.first, kExifStepNone);
        EXPECT_EQ(steps.second, kExifStepNone);
    }
    // The single-step orientations use the one transform a viewer has for them.
    EXPECT_EQ(exif_upright_steps(6).first, kExifStepRotateCw);
    EXPECT_EQ(exif_upright_steps(8).first, kExifStepRotateCcw);
    EXPECT_EQ(exif_upright_steps(2).first, kExifStepMirror);
    EXPECT_EQ(exif_upright_steps(4).first, kExifStepFlip);
}
