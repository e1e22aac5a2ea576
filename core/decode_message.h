// The reasons decoders leave in the caller's message buffer. They are fixed
// Turkish ASCII texts, shown to the user under a localized heading.
#pragma once
#include <stddef.h>

// Callers provide at least this many bytes for a decoder's message.
const size_t kMessageBytes = 128;

extern const char kMsgOpenFailed[];       // "Dosya acilamadi."
extern const char kMsgNoMemory[];         // "Bellek yetersiz."
extern const char kMsgReadFailed[];       // "Okuma hatasi."
extern const char kMsgUnknownFormat[];    // "Taninmayan goruntu bicimi."
extern const char kMsgBmpBadHeader[];     // "Gecersiz BMP basligi."
extern const char kMsgBmpNoInfo[];        // "BMP bilgi basligi okunamadi."
extern const char kMsgBmpCompressed[];    // "Sikistirilmis BMP (RLE) henuz desteklenmiyor."
extern const char kMsgBmpBadDepth[];      // "Desteklenmeyen BMP bit derinligi."
extern const char kMsgBmpNoPalette[];     // "BMP paleti okunamadi."
// The stb_image adapter and the GIF frame loader.
extern const char kMsgBadDimensions[];    // "Goruntu boyutlari cok buyuk veya gecersiz."
extern const char kMsgStbFailed[];        // "stb_image: cozumlenemedi."
extern const char kMsgGifInvalid[];       // "Gecersiz GIF."
extern const char kMsgGifFailed[];        // "GIF cozulemedi."
extern const char kMsgGifBadDimensions[]; // "GIF boyutlari cok buyuk veya gecersiz."
extern const char kMsgPnmInvalid[];       // "Gecersiz PNM."
// The TIFF reader.
extern const char kMsgTiffInvalid[];          // "Gecersiz TIFF."
extern const char kMsgTiffBadHeader[];        // "Gecersiz TIFF basligi."
extern const char kMsgTiffBadVersion[];       // "Gecersiz TIFF surumu."
extern const char kMsgTiffBadIfd[];           // "Bozuk IFD."
extern const char kMsgTiffTooManyStrips[];    // "TIFF strip sayisi cok buyuk."
extern const char kMsgTiffPaletteTooLarge[];  // "TIFF palet boyutu cok buyuk."
extern const char kMsgTiffPlanar[];           // "Planar TIFF desteklenmiyor."
extern const char kMsgTiffNoSize[];           // "TIFF boyutlari okunamadi."
extern const char kMsgTiffTooLarge[];         // "TIFF boyutlari cok buyuk."
extern const char kMsgTiffSamples[];          // "Desteklenmeyen TIFF ornek sayisi."
extern const char kMsgTiffBits[];             // "Sadece 8 bit/ornek TIFF destekleniyor."
extern const char kMsgTiffCompression[];      // "Desteklenmeyen TIFF sikistirmasi."
extern const char kMsgTiffNoStrips[];         // "TIFF strip bilgisi yok."
extern const char kMsgTiffNoPage[];           // "TIFF sayfasi cozulemedi."
// The PCX and DCX readers.
extern const char kMsgPcxInvalid[];           // "Gecersiz PCX."
extern const char kMsgPcxUnsupported[];       // "Desteklenmeyen PCX."
extern const char kMsgPcxBadDepth[];          // "Desteklenmeyen PCX bit derinligi."
extern const char kMsgPcxLineTooLarge[];      // "PCX satiri cok buyuk."
extern const char kMsgPcxShortLine[];         // "Bozuk PCX (BytesPerLine cok kucuk)."
extern const char kMsgDcxInvalid[];           // "Gecersiz DCX."
extern const char kMsgDcxNoPage[];            // "DCX sayfasi cozulemedi."
// The IFF reader.
extern const char kMsgIffInvalid[];           // "Gecersiz IFF."
extern const char kMsgIffUnsupportedType[];   // "Desteklenmeyen IFF turu."
extern const char kMsgIffUnsupported[];       // "Desteklenmeyen IFF."
extern const char kMsgIffTooLarge[];          // "IFF cok buyuk."
// The Photo CD reader.
extern const char kMsgPcdNoBase[];            // "PCD'de Base cozunurluk yok / dosya kesik."
extern const char kMsgPcdNoSignature[];       // "Gecersiz PCD (PCD_IPI imzasi yok)."
// The metafile renderer.
extern const char kMsgWmfInvalid[];           // "Gecersiz WMF."
extern const char kMsgWmfFailed[];            // "WMF cozulemedi."

// Copies at most kMessageBytes - 1 characters of text; a null buffer is skipped.
void set_message(char* message, const char* text);
inline void clear_message(char* message) {
    if (message) message[0] = 0;
}
