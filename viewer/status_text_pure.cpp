#include "viewer/status_text_pure.h"

#include <stdio.h>
#include <string.h>

namespace {

// Extensions and the text id of their type name.
struct FileTypeRow {
    const char* extension;
    int text_id;
};

const FileTypeRow kFileTypes[] = {
    {"bmp", 156}, {"dib", 156},                              // Bitmap Image
    {"jpg", 157}, {"jpeg", 157}, {"jpe", 157},               // JPEG Image
    {"png", 158},                                            // PNG Image
    {"gif", 159},                                            // GIF Image
    {"tif", 160}, {"tiff", 160},                             // TIFF Image
    {"tga", 161},                                            // Targa Image
    {"psd", 162},                                            // Photoshop Image
    {"pic", 163},                                            // PIC Image
    {"pnm", 164}, {"pbm", 164}, {"pgm", 164}, {"ppm", 164},  // PNM Image
    {"pcx", 165},                                            // PC Paintbrush Image
    {"dcx", 166},                                            // Multipage PCX (DCX)
    {"iff", 167}, {"lbm", 167}, {"ilbm", 167},               // Amiga IFF Image
    {"wmf", 168},                                            // Windows Metafile
    {"pcd", 169},                                            // Kodak Photo CD
};

bool same_ignoring_case(const char* a, const char* b) {
    for (;; ++a, ++b) {
        char x = (*a >= 'A' && *a <= 'Z') ? (char)(*a + 32) : *a;
        char y = (*b >= 'A' && *b <= 'Z') ? (char)(*b + 32) : *b;
        if (x != y) return false;
        if (!x) return true;
    }
}

}  // namespace

const char* FileNamePart(const char* path) {
    if (!path) return "";
    const char* slash = strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

int FileTypeTextId(const char* path) {
    const char* name = FileNamePart(path);
    const char* dot = strrchr(name, '.');
    if (!dot) return -1;
    for (const FileTypeRow& row : kFileTypes)
        if (same_ignoring_case(dot + 1, row.extension)) return row.text_id;
    return -1;
}

void FormatStatusName(char* out, size_t size, const char* path, int list_index, int list_count, int frame_index,
                      int frame_count, const char* frame_word) {
    if (!size) return;
    const char* name = FileNamePart(path);
    if (list_count >= 2)
        snprintf(out, size, "%s  (%d/%d)", name, list_index + 1, list_count);
    else
        snprintf(out, size, "%s", name);
    if (frame_count > 1) {
        size_t used = strlen(out);
        snprintf(out + used, size - used, "  [%s %d/%d]", frame_word ? frame_word : "", frame_index + 1, frame_count);
    }
}

uint64_t KilobytesRoundedUp(uint64_t bytes) { return bytes / 1024 + (bytes % 1024 ? 1 : 0); }

void FormatKilobytes(char* out, size_t size, uint64_t bytes) {
    snprintf(out, size, "%llu KB", (unsigned long long)KilobytesRoundedUp(bytes));
}

void FormatDimensions(char* out, size_t size, int width, int height) { snprintf(out, size, "%d x %d", width, height); }

void FormatPercent(char* out, size_t size, int percent) { snprintf(out, size, "%d%%", percent); }

void FormatTitle(char* out, size_t size, const char* path, bool edited, const char* edited_format,
                 const char* product) {
    if (!size) return;
    if (!path || !path[0]) {
        snprintf(out, size, "%s", product);
        return;
    }
    const char* name = FileNamePart(path);
    if (edited)
        snprintf(out, size, edited_format, name, product);
    else
        snprintf(out, size, "%s - %s", name, product);
}
