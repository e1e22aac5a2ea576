#include "core/formats.h"

#include <string.h>

#include "core/bmp.h"
#include "core/iff.h"
#include "core/jpeg.h"
#include "core/pcx.h"
#include "core/photo_cd.h"
#include "core/stb_adapter.h"
#include "core/tiff.h"
#include "core/webp.h"
#include "core/wmf.h"

namespace {

constexpr ByteRange is(uint8_t b) { return ByteRange{b, b}; }
constexpr ByteRange kAny = {0x00, 0xFF};

unsigned char ascii_lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? (unsigned char)(c + 32) : c; }

bool signature_matches(const Signature& signature, const uint8_t* head) {
    if (signature.length == 0) return false;
    for (int i = 0; i < signature.length; ++i)
        if (head[i] < signature.bytes[i].lo || head[i] > signature.bytes[i].hi) return false;
    return true;
}

}  // namespace

// No two signatures match the same header and no extension stands in two
// rows (tests/native/formats_test.cpp proves both), so walking the rows in
// order finds the one row there is.
const FormatRow kFormats[] = {
    {"BMP", {{{is('B'), is('M')}, 2}}, {".bmp", ".dib"}, kTextTypeBitmap,
     read_bmp, nullptr, probe_bmp_size, "*.bmp;*.dib", false, kSaveBmp, nullptr},
    // .jpe opens, but the Open dialog does not offer it.
    {"JPEG", {{{is(0xFF), is(0xD8)}, 2}}, {".jpg", ".jpeg", ".jpe"}, kTextTypeJpeg,
     load_jpeg, nullptr, nullptr, "*.jpg;*.jpeg", true, kSaveJpeg, load_jpeg_reduced},
    {"PNG", {{{is(0x89), is('P')}, 2}}, {".png"}, kTextTypePng,
     load_png, nullptr, nullptr, "*.png", false, kSavePng, nullptr},
    {"GIF", {{{is('G'), is('I'), is('F')}, 3}}, {".gif"}, kTextTypeGif,
     load_with_stb, load_gif_frames, nullptr, "*.gif", false, 0, nullptr},
    {"TIFF", {{{is('I'), is('I')}, 2}, {{is('M'), is('M')}, 2}}, {".tif", ".tiff"}, kTextTypeTiff,
     load_tiff_first_page, load_tiff_pages, probe_tiff_size, "*.tif;*.tiff", false, 0, nullptr},
    {"TGA", {}, {".tga"}, kTextTypeTarga,
     load_tga, nullptr, nullptr, "*.tga", false, 0, nullptr},
    {"PSD", {{{is('8'), is('B'), is('P'), is('S')}, 4}}, {".psd"}, kTextTypePhotoshop,
     load_with_stb, nullptr, nullptr, "*.psd", false, 0, nullptr},
    {"PIC", {}, {".pic"}, kTextTypePic,
     load_with_stb, nullptr, nullptr, "*.pic", false, 0, nullptr},
    {"PNM", {{{is('P'), {'1', '6'}}, 2}}, {".pnm", ".pbm", ".pgm", ".ppm"}, kTextTypePnm,
     load_with_stb, nullptr, nullptr, "*.pnm;*.pbm;*.pgm;*.ppm", false, 0, nullptr},
    {"PCX", {{{is(0x0A), kAny, {0, 1}}, 3}}, {".pcx"}, kTextTypePcx,
     load_pcx, nullptr, probe_pcx_size, "*.pcx", false, 0, nullptr},
    {"DCX", {{{is(0xB1), is(0x68), is(0xDE), is(0x3A)}, 4}}, {".dcx"}, kTextTypeDcx,
     load_dcx_first_page, load_dcx_pages, nullptr, "*.dcx", false, 0, nullptr},
    {"PCD", {}, {".pcd"}, kTextTypePhotoCd,
     load_photo_cd, nullptr, probe_photo_cd_size, "*.pcd", false, 0, nullptr},
    {"IFF", {{{is('F'), is('O'), is('R'), is('M')}, 4}}, {".iff", ".lbm", ".ilbm"}, kTextTypeIff,
     load_iff, nullptr, probe_iff_size, "*.iff;*.lbm;*.ilbm", false, 0, nullptr},
    {"WMF", {{{is(0xD7), is(0xCD), is(0xC6), is(0x9A)}, 4}}, {".wmf"}, kTextTypeWmf,
     render_wmf, nullptr, nullptr, "*.wmf", false, 0, nullptr},
    // A RIFF container whose form type is WEBP; its length may be anything.
    {"WebP", {{{is('R'), is('I'), is('F'), is('F'), kAny, kAny, kAny, kAny, is('W'), is('E'), is('B'), is('P')}, 12}},
     {".webp"}, kTextTypeWebp, load_webp, load_webp_frames, probe_webp_size, "*.webp", false, 0, load_webp_reduced},
};
const int kFormatCount = sizeof kFormats / sizeof kFormats[0];

int save_format_for_path(const char* path) {
    const FormatRow* row = format_for_extension(path);
    return row ? row->save_format : 0;
}

const char* path_extension(const char* path) {
    const char* dot = strrchr(path, '.');
    return dot ? dot : path + strlen(path);
}

bool extension_equal(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (ascii_lower((unsigned char)*a) != ascii_lower((unsigned char)*b)) return false;
        if (!*a) return true;
    }
}

const FormatRow* format_for_header(const uint8_t head[kMaxSignatureBytes]) {
    for (const FormatRow& row : kFormats)
        for (const Signature& signature : row.signatures)
            if (signature_matches(signature, head)) return &row;
    return nullptr;
}

const FormatRow* format_for_extension(const char* path) {
    const char* ext = path_extension(path);
    for (const FormatRow& row : kFormats)
        for (const char* known : row.extensions)
            if (known && extension_equal(ext, known)) return &row;
    return nullptr;
}

const FormatRow* format_for_file(const uint8_t head[kMaxSignatureBytes], const char* path) {
    const FormatRow* row = format_for_header(head);
    return row ? row : format_for_extension(path);
}

const char* open_dialog_patterns() {
    static char patterns[256];
    if (!patterns[0]) {
        size_t used = 0;
        for (const FormatRow& row : kFormats) {
            size_t n = strlen(row.open_patterns);
            if (used + n + 2 > sizeof patterns) break;  // a longer table needs a larger buffer
            if (used) patterns[used++] = ';';
            memcpy(patterns + used, row.open_patterns, n + 1);
            used += n;
        }
    }
    return patterns;
}

const char* file_name_part(const char* path) {
    if (!path) return "";
    const char* slash = strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

TextId file_type_text(const char* path) {
    const FormatRow* row = format_for_extension(file_name_part(path));
    return row ? row->type_name : kTextNone;
}
