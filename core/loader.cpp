#include "core/loader.h"

#include <string.h>

#include "core/bmp.h"
#include "core/decode_message.h"
#include "core/file_bytes.h"
#include "core/stb_adapter.h"

namespace {

// Stands in the rows of decoders this build does not have.
Image* load_unsupported(const char*, char* message) {
    set_message(message, kMsgUnknownFormat);
    return nullptr;
}

int probe_unsupported(const char*, int*, int*) { return 0; }

const ImageLoader kLoaders[kDecoderKindCount] = {
    /* kDecoderNone */ load_unsupported,
    /* kDecoderBmp  */ read_bmp,
    /* kDecoderStb  */ load_with_stb,
    /* kDecoderTiff */ load_unsupported,
    /* kDecoderDcx  */ load_unsupported,
    /* kDecoderWmf  */ load_unsupported,
    /* kDecoderIff  */ load_unsupported,
    /* kDecoderPcx  */ load_unsupported,
    /* kDecoderPcd  */ load_unsupported,
};

// One byte of a header pattern: it matches values lo..hi.
struct ByteRange {
    unsigned char lo, hi;
};
const ByteRange kAny = {0x00, 0xFF};
constexpr ByteRange is(unsigned char b) { return ByteRange{b, b}; }

struct SniffRule {
    ByteRange bytes[4];
    int length;
    DecoderKind decoder;
};

// Tried in order; the first match decides.
const SniffRule kSniffRules[] = {
    {{is('B'), is('M')}, 2, kDecoderBmp},
    {{is(0xFF), is(0xD8)}, 2, kDecoderStb},
    {{is(0x89), is('P')}, 2, kDecoderStb},
    {{is('G'), is('I'), is('F')}, 3, kDecoderStb},
    {{is('I'), is('I')}, 2, kDecoderTiff},
    {{is('M'), is('M')}, 2, kDecoderTiff},
    {{is('8'), is('B'), is('P'), is('S')}, 4, kDecoderStb},
    {{is('P'), {'1', '6'}}, 2, kDecoderStb},
    {{is(0xB1), is(0x68), is(0xDE), is(0x3A)}, 4, kDecoderDcx},
    {{is(0xD7), is(0xCD), is(0xC6), is(0x9A)}, 4, kDecoderWmf},
    {{is('F'), is('O'), is('R'), is('M')}, 4, kDecoderIff},
    {{is(0x0A), kAny, {0, 1}}, 3, kDecoderPcx},
};

struct ExtensionRule {
    const char* extension;
    DecoderKind decoder;
};

const ExtensionRule kExtensionRules[] = {
    {".bmp", kDecoderBmp},  {".dib", kDecoderBmp},
    {".jpg", kDecoderStb},  {".jpeg", kDecoderStb}, {".jpe", kDecoderStb}, {".png", kDecoderStb}, {".gif", kDecoderStb},
    {".tif", kDecoderTiff}, {".tiff", kDecoderTiff},
    {".tga", kDecoderStb},  {".psd", kDecoderStb},  {".pic", kDecoderStb}, {".pnm", kDecoderStb},
    {".pbm", kDecoderStb},  {".pgm", kDecoderStb},  {".ppm", kDecoderStb},
    {".pcx", kDecoderPcx},
    {".pcd", kDecoderPcd},
    {".dcx", kDecoderDcx},
    {".wmf", kDecoderWmf},
    {".iff", kDecoderIff},  {".lbm", kDecoderIff},  {".ilbm", kDecoderIff},
};

// Size probes by extension; every extension not listed asks the stb query.
struct ProbeRule {
    const char* extension;
    SizeProbe probe;
};

const ProbeRule kProbeRules[] = {
    {".tif", probe_unsupported}, {".tiff", probe_unsupported},
    {".pcx", probe_unsupported},
    {".iff", probe_unsupported}, {".lbm", probe_unsupported}, {".ilbm", probe_unsupported},
    {".pcd", probe_unsupported},
};
const SizeProbe kFallbackProbe = probe_with_stb;

bool rule_matches(const SniffRule& rule, const unsigned char* head) {
    for (int i = 0; i < rule.length; ++i) {
        if (head[i] < rule.bytes[i].lo || head[i] > rule.bytes[i].hi) return false;
    }
    return true;
}

unsigned char ascii_lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? (unsigned char)(c + 32) : c; }

}  // namespace

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

DecoderKind decoder_for_header(const unsigned char head[8]) {
    for (const SniffRule& rule : kSniffRules) {
        if (rule_matches(rule, head)) return rule.decoder;
    }
    return kDecoderNone;
}

DecoderKind decoder_for_extension(const char* path) {
    const char* ext = path_extension(path);
    for (const ExtensionRule& rule : kExtensionRules) {
        if (extension_equal(ext, rule.extension)) return rule.decoder;
    }
    return kDecoderNone;
}

Image* load_image(const char* path, char* message) {
    char own_message[kMessageBytes];
    if (!message) message = own_message;
    clear_message(message);

    unsigned char head[8];
    if (file_read_head(path, head, sizeof head) < 0) {
        set_message(message, kMsgOpenFailed);
        return nullptr;
    }
    DecoderKind decoder = decoder_for_header(head);
    if (decoder == kDecoderNone) decoder = decoder_for_extension(path);
    if (decoder == kDecoderNone) {
        set_message(message, kMsgUnknownFormat);
        return nullptr;
    }
    return kLoaders[decoder](path, message);
}

int probe_image_size(const char* path, int* width, int* height) {
    const char* ext = path_extension(path);
    SizeProbe probe = kFallbackProbe;
    for (const ProbeRule& rule : kProbeRules) {
        if (extension_equal(ext, rule.extension)) {
            probe = rule.probe;
            break;
        }
    }
    int w = 0, h = 0;
    if (!probe(path, &w, &h) || w < 1 || w > kMaxImageSide || h < 1 || h > kMaxImageSide) return 0;
    *width = w;
    *height = h;
    return 1;
}
