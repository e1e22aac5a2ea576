// The JPEG decoder's own rules: files cut short, files the library cannot
// start, smaller decodes, memory. Whole files against ImageMagick are in the
// corpus manifest.
#include <gtest/gtest.h>

#include "core/jpeg.h"
#include "core/load_set.h"
#include "core/loader.h"
#include "core/stb_adapter.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

// The bytes in a block of exactly their size, so the sanitizer sees any read past it.
Decoded* decode(const std::vector<uint8_t>& bytes, Decoded* out, int reduction = 1) {
    out->image = decode_jpeg_or_stb(bytes.empty() ? nullptr : bytes.data(), bytes.size(), reduction, out->message);
    return out;
}

std::vector<uint8_t> first_bytes(const std::vector<uint8_t>& all, size_t n) {
    return std::vector<uint8_t>(all.begin(), all.begin() + (ptrdiff_t)n);
}

// The first row in which two same-sized pictures differ; the height when none.
int first_differing_row(const Image* a, const Image* b) {
    for (int y = 0; y < a->height; ++y)
        if (memcmp(image_row(a, y), image_row(b, y), (size_t)a->width * 3) != 0) return y;
    return a->height;
}

bool all_gray_from(const Image* image, int first) {
    for (int y = first; y < image->height; ++y)
        for (int x = 0; x < image->width * 3; ++x)
            if (image_row(image, y)[x] != 0x80) return false;
    return true;
}

// Where the first scan's SOS marker stands, walking the header segments.
size_t scan_marker(const std::vector<uint8_t>& b) {
    for (size_t i = 2; i + 3 < b.size(); i += 2 + (size_t)(b[i + 2] << 8 | b[i + 3]))
        if (b[i] == 0xFF && b[i + 1] == 0xDA) return i;
    return 0;
}

// Where its entropy-coded data starts: just past the SOS segment.
size_t scan_start(const std::vector<uint8_t>& b) {
    size_t i = scan_marker(b);
    return i ? i + 2 + (size_t)(b[i + 2] << 8 | b[i + 3]) : 0;
}

}  // namespace

TEST(Jpeg, CutFilesShowTheirTopRowsAndTheRestGray) {
    for (const char* name : {"jpeg-photo.jpg", "jpeg-photo-prog.jpg", "jpeg-rst-mcu.jpg"}) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> bytes = read_whole(data_path(name));
        Decoded whole;
        ASSERT_NE(decode(bytes, &whole)->image, nullptr) << whole.message;
        const bool progressive = strstr(name, "prog") != nullptr;
        const size_t scan = scan_start(bytes);
        ASSERT_GT(scan, 0u);
        int last_good = 0;
        for (size_t n = scan; n < bytes.size(); n += (bytes.size() - scan) / 60 + 1) {
            SCOPED_TRACE(n);
            Decoded cut;
            ASSERT_NE(decode(first_bytes(bytes, n), &cut)->image, nullptr) << cut.message;
            EXPECT_STREQ(cut.message, "");
            ASSERT_EQ(cut.image->width, whole.image->width);
            ASSERT_EQ(cut.image->height, whole.image->height);
            if (progressive) continue;  // a cut progressive file is all there, only coarser
            // Whole rows as far as the data went, the same as the whole file's,
            // and past the MCU row being decoded (16 rows, one more for the
            // smoothing of its colour into the next) mid gray.
            int good = first_differing_row(cut.image, whole.image);
            EXPECT_GE(good, last_good);
            EXPECT_TRUE(all_gray_from(cut.image, (good / 16 + 3) * 16));
            last_good = good;
        }
        // Without its end marker alone the file is whole.
        Decoded no_end;
        ASSERT_NE(decode(first_bytes(bytes, bytes.size() - 2), &no_end)->image, nullptr);
        EXPECT_TRUE(same_picture(no_end.image, whole.image));
    }
}

TEST(Jpeg, FilesTheLibraryCannotStartGetStbsAnswer) {
    std::vector<uint8_t> photo = read_whole(data_path("jpeg-photo.jpg"));
    std::vector<uint8_t> cmyk = read_whole(data_path("jpeg-cmyk.jpg"));
    std::vector<uint8_t> wide = photo;
    // The frame header's width, 30001: beyond any picture.
    for (size_t i = 2; i + 8 < wide.size(); ++i)
        if (wide[i] == 0xFF && wide[i + 1] == 0xC0) {
            wide[i + 7] = 30001 >> 8;
            wide[i + 8] = 30001 & 0xFF;
            break;
        }
    const std::vector<std::vector<uint8_t>> cases = {
        {0xFF, 0xD8, 0xFF},
        first_bytes(photo, scan_start(photo) - 20),  // cut inside the headers
        first_bytes(cmyk, scan_marker(cmyk)),  // all headers but the scan's
        {0xFF, 0xD8, 0xFF, 0xD9},  // nothing between start and end
        wide,
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        Decoded turbo, stb;
        decode(cases[i], &turbo);
        stb.image = decode_with_stb(cases[i].data(), cases[i].size(), stb.message);
        EXPECT_EQ(turbo.image, nullptr);
        EXPECT_STRNE(turbo.message, "");
        EXPECT_STREQ(turbo.message, stb.message);
    }
    // Through the file loader too, with the reason stb_image gives.
    Decoded by_path;
    by_path.image = load_image(write_scratch("headers-only.jpg", cases[1]).c_str(), by_path.message);
    EXPECT_EQ(by_path.image, nullptr);
    Decoded stb;
    stb.image = load_with_stb(scratch_path("headers-only.jpg").c_str(), stb.message);
    EXPECT_STREQ(by_path.message, stb.message);
}

TEST(Jpeg, SmallerDecodesKeepTheLargerSideAtLeastTheNeed) {
    const struct {
        int larger, need, reduction;
    } rules[] = {{4000, 96, 8}, {4000, 256, 8}, {4000, 501, 4}, {400, 96, 4}, {192, 96, 2},
                 {191, 96, 1}, {150, 96, 1}, {96, 96, 1}, {0, 96, 1}, {4000, 4000, 1}};
    for (const auto& r : rules)
        EXPECT_EQ(jpeg_reduction_for(r.larger, r.need), r.reduction) << r.larger << " for " << r.need;

    // Against ImageMagick's own smaller decodes of the same files.
    const struct {
        const char *file, *reference;
        int need;
    } files[] = {{"jpeg-photo.jpg", "jpeg-photo-quarter.ref.ppm", 40},
                 {"jpeg-photo-prog.jpg", "jpeg-photo-prog-half.ref.ppm", 61},
                 {"webp-photo.webp", "webp-photo-quarter.ref.ppm", 40}};  // dwebp -scale
    for (const auto& f : files) {
        SCOPED_TRACE(f.file);
        Decoded small;
        RefPicture want;
        ASSERT_TRUE(read_ppm(data_path(f.reference), &want));
        small.image = load_image_reduced(data_path(f.file).c_str(), f.need, small.message);
        ASSERT_NE(small.image, nullptr) << small.message;
        EXPECT_EQ(compare_with_reference(small.image, want, 3), "");
    }
    // Pictures less than twice the need, and other formats, come whole and the same.
    for (const char* name : {"jpeg-photo.jpg", "exif-II-6.jpg", "stb-png-rgb.png", "webp-lossy.webp", "webp-anim.webp"}) {
        Decoded reduced, whole;
        reduced.image = load_upright_image_reduced(data_path(name).c_str(), 81, reduced.message);
        whole.image = load_upright_image(data_path(name).c_str(), whole.message);
        EXPECT_TRUE(same_picture(reduced.image, whole.image)) << name;
    }
}

TEST(Jpeg, MemoryShortIsSaidAndNotPassedOn) {
    image_fail_allocations_from(1);
    Decoded short_of_memory;
    decode(read_whole(data_path("jpeg-cmyk.jpg")), &short_of_memory);
    image_fail_allocations_from(0);
    EXPECT_EQ(short_of_memory.image, nullptr);
    EXPECT_STREQ(short_of_memory.message, kMsgNoMemory);
    // The library's working memory capped below what a progressive file holds:
    // it cannot start, and stb_image decodes it.
    jpeg_cap_work_bytes(1024);
    Decoded capped;
    decode(read_whole(data_path("jpeg-photo-prog.jpg")), &capped);
    jpeg_cap_work_bytes(0);
    EXPECT_NE(capped.image, nullptr) << capped.message;
}
