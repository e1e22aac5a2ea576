// The reasons decoders leave in the caller's message buffer. They are fixed
// Turkish ASCII texts, shown to the user under a localized heading.
#pragma once
#include <stddef.h>

// Callers provide at least this many bytes for a decoder's message.
const size_t kMessageBytes = 128;

extern const char kMsgOpenFailed[];       // "Dosya acilamadi."
extern const char kMsgNoMemory[];         // "Bellek yetersiz."
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

// Copies at most kMessageBytes - 1 characters of text; a null buffer is skipped.
void set_message(char* message, const char* text);
inline void clear_message(char* message) {
    if (message) message[0] = 0;
}
