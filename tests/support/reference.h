// Helpers shared by the native and the Windows tests: reading the reference
// decodes of independent tools and comparing an Image with them.
#pragma once
#include <dirent.h>
#include <stdio.h>

#include <algorithm>

#include <string>
#include <vector>

#include "core/image.h"

struct RefPicture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // top-down, red green blue
};

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

// "" when equal; otherwise where the first difference is, with both values.
inline std::string compare_with_reference(const Image* image, const RefPicture& ref) {
    char text[160];
    if (image->width != ref.width || image->height != ref.height) {
        snprintf(text, sizeof text, "want %dx%d, have %dx%d", ref.width, ref.height, image->width, image->height);
        return text;
    }
    for (int y = 0; y < ref.height; ++y) {
        const unsigned char* row = image_row(image, y);
        for (int x = 0; x < ref.width; ++x) {
            const unsigned char* want = &ref.rgb[((size_t)y * ref.width + x) * 3];
            const unsigned char* have = row + 3 * x;
            if (have[2] != want[0] || have[1] != want[1] || have[0] != want[2]) {
                snprintf(text, sizeof text, "pixel (%d,%d): want rgb %d,%d,%d, have %d,%d,%d", x, y, want[0], want[1],
                         want[2], have[2], have[1], have[0]);
                return text;
            }
        }
        for (int p = 3 * ref.width; p < image->stride; ++p) {
            if (row[p] != 0) {
                snprintf(text, sizeof text, "row %d: padding byte %d is %d, not 0", y, p, row[p]);
                return text;
            }
        }
    }
    return "";
}

// Names of the independent encoders' BMP files in the test data folder, sorted.
inline std::vector<std::string> list_reference_bmps(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* e = readdir(dir)) {
            std::string name = e->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0) names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}
