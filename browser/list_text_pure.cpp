#include "browser/list_text_pure.h"

#include <stdio.h>
#include <string.h>

#include "core/formats.h"
#include "platform/text.h"

namespace {

const int kExtensionShown = 8;  // longer extensions are cut in the Type column

struct IconType {
    const char* extension;  // with its dot
    int type;
};

// The own icon lists hold one picture per type, in this numbering.
const IconType kIconTypes[] = {
    {".bmp", 1},  {".dib", 1},  {".rle", 1},   {".jpg", 2}, {".jpeg", 2}, {".jpe", 2},  {".png", 3},
    {".gif", 4},  {".tif", 5},  {".tiff", 5},  {".tga", 6}, {".targa", 6}, {".psd", 7}, {".pic", 8},
    {".pct", 8},  {".pict", 8}, {".pnm", 9},   {".ppm", 9}, {".pgm", 9},  {".pbm", 9},  {".pcx", 10},
    {".dcx", 11}, {".iff", 12}, {".ilbm", 12}, {".lbm", 12}, {".wmf", 13}, {".pcd", 14}, {".webp", 15},
};

// The last '.' of the file name (not of a folder above it), or none.
const char* name_extension(const char* path) { return strrchr(file_name_part(path), '.'); }

}  // namespace

void format_kb(char* out, size_t size, uint32_t bytes) {
    unsigned long kb = bytes / 1024;
    if (bytes > 0 && kb == 0) kb = 1;
    snprintf(out, size, "%lu KB", kb);
}

void type_name_of(char* out, size_t size, const char* path) {
    if (!size) return;
    int id = file_type_text(path);
    if (id >= 0) {
        snprintf(out, size, "%s", tr((TextId)id));
        return;
    }
    const char* dot = name_extension(path);
    if (!dot || !dot[1]) {
        snprintf(out, size, "%s", tr(kTextWordFile));
        return;
    }
    char upper[kExtensionShown + 1];
    int n = 0;
    for (const char* c = dot + 1; *c && n < kExtensionShown; ++c, ++n)
        upper[n] = (*c >= 'a' && *c <= 'z') ? (char)(*c - 'a' + 'A') : *c;
    upper[n] = 0;
    snprintf(out, size, "%s %s", upper, tr(kTextWordFile));
}

int icon_type_of(const char* path) {
    const char* dot = name_extension(path);
    if (!dot) return 0;
    for (const IconType& t : kIconTypes)
        if (extension_equal(dot, t.extension)) return t.type;
    return 0;
}
