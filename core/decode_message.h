// The reasons decoders leave in the caller's message buffer. They are fixed
// Turkish ASCII texts, shown to the user under a localized heading.
#pragma once
#include <stddef.h>

// Callers provide at least this many bytes for a decoder's message.
const size_t kMessageBytes = 128;

extern const char kMsgOpenFailed[];
extern const char kMsgNoMemory[];
extern const char kMsgReadFailed[];
extern const char kMsgUnknownFormat[];
extern const char kMsgBmpBadHeader[];
extern const char kMsgBmpNoInfo[];
extern const char kMsgBmpCompressed[];
extern const char kMsgBmpBadDepth[];
extern const char kMsgBmpNoPalette[];
// The stb_image adapter and the GIF frame loader.
extern const char kMsgBadDimensions[];
extern const char kMsgStbFailed[];
extern const char kMsgGifInvalid[];
extern const char kMsgGifFailed[];
extern const char kMsgGifBadDimensions[];
extern const char kMsgPnmInvalid[];
// The TIFF reader.
extern const char kMsgTiffInvalid[];
extern const char kMsgTiffBadHeader[];
extern const char kMsgTiffBadVersion[];
extern const char kMsgTiffBadIfd[];
extern const char kMsgTiffTooManyStrips[];
extern const char kMsgTiffPaletteTooLarge[];
extern const char kMsgTiffPlanar[];
extern const char kMsgTiffNoSize[];
extern const char kMsgTiffTooLarge[];
extern const char kMsgTiffSamples[];
extern const char kMsgTiffBits[];
extern const char kMsgTiffCompression[];
extern const char kMsgTiffNoStrips[];
extern const char kMsgTiffNoPage[];
// The PCX and DCX readers.
extern const char kMsgPcxInvalid[];
extern const char kMsgPcxUnsupported[];
extern const char kMsgPcxBadDepth[];
extern const char kMsgPcxLineTooLarge[];
extern const char kMsgPcxShortLine[];
extern const char kMsgDcxInvalid[];
extern const char kMsgDcxNoPage[];
// The IFF reader.
extern const char kMsgIffInvalid[];
extern const char kMsgIffUnsupportedType[];
extern const char kMsgIffUnsupported[];
extern const char kMsgIffTooLarge[];
// The Photo CD reader.
extern const char kMsgPcdNoBase[];
extern const char kMsgPcdNoSignature[];
// The metafile renderer.
extern const char kMsgWmfInvalid[];
extern const char kMsgWmfFailed[];

// Copies at most kMessageBytes - 1 characters of text; a null buffer is skipped.
void set_message(char* message, const char* text);
inline void clear_message(char* message) {
    if (message) message[0] = 0;
}
