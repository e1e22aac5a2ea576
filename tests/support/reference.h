// The independent tools' decodes of the test pictures and the comparison of a
// picture with them. Header-only, for the native and the Windows tests.
#pragma once
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/image.h"

#ifndef LUMORA_TEST_DATA
#define LUMORA_TEST_DATA "testdata"
#endif

// A file of the test data folder (scripts/make-test-data.sh); '/' serves Windows too.
inline std::string data_path(const std::string& name) { return std::string(LUMORA_TEST_DATA) + "/" + name; }

// A decoder's picture and message, the picture freed when the test ends.
struct Decoded {
    Image* image = nullptr;
    char message[kMessageBytes] = "untouched";
    ~Decoded() { image_free(image); }
};

// The same for every frame of a file.
struct DecodedFrames {
    ImageSet set = {nullptr, -1, nullptr};
    char message[kMessageBytes] = "untouched";
    ~DecodedFrames() { image_set_free(&set); }
};

struct RefPicture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // top-down, red green blue
};

// A picture of Lumora's as a reference: another picture must equal it.
inline RefPicture reference_of(const Image* image) {
    RefPicture ref;
    ref.width = image->width;
    ref.height = image->height;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
            for (int c = 2; c >= 0; --c) ref.rgb.push_back(image_row(image, y)[3 * x + c]);
    return ref;
}

// Whether two pictures are the same to the byte, padding included.
inline bool same_picture(const Image* a, const Image* b) {
    return a && b && a->width == b->width && a->height == b->height &&
           memcmp(a->pixels, b->pixels, (size_t)a->stride * a->height) == 0;
}

// A binary PPM of 8-bit samples, as the tools write it.
inline bool read_ppm(const std::string& path, RefPicture* out) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    int w = 0, h = 0, maxval = 0;
    bool ok = fscanf(f, "P6 %d %d %d", &w, &h, &maxval) == 3 && maxval == 255 && fgetc(f) != EOF && w > 0 && h > 0;
    if (ok) {
        out->width = w;
        out->height = h;
        out->rgb.resize((size_t)w * h * 3);
        ok = fread(out->rgb.data(), 1, out->rgb.size(), f) == out->rgb.size();
    }
    fclose(f);
    return ok;
}

// The largest difference of any colour byte of same-sized pictures, and
// where it first occurs.
inline int worst_pixel(const Image* image, const RefPicture& ref, int* at_x, int* at_y) {
    int worst = 0;
    for (int y = 0; y < ref.height; ++y) {
        const unsigned char* row = image_row(image, y);
        for (int x = 0; x < ref.width; ++x)
            for (int c = 0; c < 3; ++c) {
                int d = abs((int)row[3 * x + 2 - c] - (int)ref.rgb[((size_t)y * ref.width + x) * 3 + c]);
                if (d > worst) worst = d, *at_x = x, *at_y = y;
            }
    }
    return worst;
}

// "" when every colour byte lies within `tolerance` of the reference and the
// padding of every row is zero; otherwise what differs ("want 61x37, have
// 61x36", the worst pixel with both values, a padding byte).
inline std::string compare_with_reference(const Image* image, const RefPicture& ref, int tolerance = 0) {
    char text[160];
    if (image->width != ref.width || image->height != ref.height) {
        snprintf(text, sizeof text, "want %dx%d, have %dx%d", ref.width, ref.height, image->width, image->height);
        return text;
    }
    int x = 0, y = 0;
    int worst = worst_pixel(image, ref, &x, &y);
    if (worst > tolerance) {
        const unsigned char* want = &ref.rgb[((size_t)y * ref.width + x) * 3];
        const unsigned char* have = image_row(image, y) + 3 * x;
        snprintf(text, sizeof text, "pixel (%d,%d): want rgb %d,%d,%d, have %d,%d,%d (tolerance %d)", x, y, want[0],
                 want[1], want[2], have[2], have[1], have[0], tolerance);
        return text;
    }
    for (int r = 0; r < image->height; ++r)
        for (int p = 3 * image->width; p < image->stride; ++p)
            if (image_row(image, r)[p] != 0) {
                snprintf(text, sizeof text, "row %d: padding byte %d is %d, not 0", r, p, image_row(image, r)[p]);
                return text;
            }
    return "";
}
