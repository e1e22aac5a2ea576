// One entry point from a path to one picture, whatever the format: the header
// is sniffed first, then the extension decides.
#pragma once
#include "core/image.h"

typedef Image* (*ImageLoader)(const char* path, char* message);
typedef int (*SizeProbe)(const char* path, int* width, int* height);

// The decoders load_image can hand a file to.
enum DecoderKind {
    kDecoderNone = 0,
    kDecoderBmp,
    kDecoderStb,   // JPEG, PNG, GIF (first frame), PSD, PNM, TGA, PIC
    kDecoderTiff,  // first page
    kDecoderDcx,   // first page
    kDecoderWmf,
    kDecoderIff,
    kDecoderPcx,
    kDecoderPcd,
    kDecoderKindCount
};

// message: at least kMessageBytes, or null. Empty on success.
Image* load_image(const char* path, char* message);
// Nonzero when both sides could be read and lie in 1..kMaxImageSide; never decodes pixels.
int probe_image_size(const char* path, int* width, int* height);

// The text from the last '.' of the whole path to its end, or "".
const char* path_extension(const char* path);
// ASCII letters equal regardless of case; both texts must end together.
bool extension_equal(const char* a, const char* b);
// The decoder the extension table names for this path, or kDecoderNone. The
// folder list uses it to tell pictures from other files.
DecoderKind decoder_for_extension(const char* path);
// The decoder the header-sniffing table names for the first 8 bytes of a file.
DecoderKind decoder_for_header(const unsigned char head[8]);
