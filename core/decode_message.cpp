#include "core/decode_message.h"

const char kMsgOpenFailed[] = "Dosya acilamadi.";
const char kMsgNoMemory[] = "Bellek yetersiz.";
const char kMsgReadFailed[] = "Okuma hatasi.";
const char kMsgUnknownFormat[] = "Taninmayan goruntu bicimi.";
const char kMsgBmpBadHeader[] = "Gecersiz BMP basligi.";
const char kMsgBmpNoInfo[] = "BMP bilgi basligi okunamadi.";
const char kMsgBmpCompressed[] = "Sikistirilmis BMP (RLE) henuz desteklenmiyor.";
const char kMsgBmpBadDepth[] = "Desteklenmeyen BMP bit derinligi.";
const char kMsgBmpNoPalette[] = "BMP paleti okunamadi.";
const char kMsgBadDimensions[] = "Goruntu boyutlari cok buyuk veya gecersiz.";
const char kMsgStbFailed[] = "stb_image: cozumlenemedi.";
const char kMsgGifInvalid[] = "Gecersiz GIF.";
const char kMsgGifFailed[] = "GIF cozulemedi.";
const char kMsgGifBadDimensions[] = "GIF boyutlari cok buyuk veya gecersiz.";
const char kMsgPnmInvalid[] = "Gecersiz PNM.";
const char kMsgTiffInvalid[] = "Gecersiz TIFF.";
const char kMsgTiffBadHeader[] = "Gecersiz TIFF basligi.";
const char kMsgTiffBadVersion[] = "Gecersiz TIFF surumu.";
const char kMsgTiffBadIfd[] = "Bozuk IFD.";
const char kMsgTiffTooManyStrips[] = "TIFF strip sayisi cok buyuk.";
const char kMsgTiffPaletteTooLarge[] = "TIFF palet boyutu cok buyuk.";
const char kMsgTiffPlanar[] = "Planar TIFF desteklenmiyor.";
const char kMsgTiffNoSize[] = "TIFF boyutlari okunamadi.";
const char kMsgTiffTooLarge[] = "TIFF boyutlari cok buyuk.";
const char kMsgTiffSamples[] = "Desteklenmeyen TIFF ornek sayisi.";
const char kMsgTiffBits[] = "Sadece 8 bit/ornek TIFF destekleniyor.";
const char kMsgTiffCompression[] = "Desteklenmeyen TIFF sikistirmasi.";
const char kMsgTiffNoStrips[] = "TIFF strip bilgisi yok.";
const char kMsgTiffNoPage[] = "TIFF sayfasi cozulemedi.";
const char kMsgPcxInvalid[] = "Gecersiz PCX.";
const char kMsgPcxUnsupported[] = "Desteklenmeyen PCX.";
const char kMsgPcxBadDepth[] = "Desteklenmeyen PCX bit derinligi.";
const char kMsgPcxLineTooLarge[] = "PCX satiri cok buyuk.";
const char kMsgPcxShortLine[] = "Bozuk PCX (BytesPerLine cok kucuk).";
const char kMsgDcxInvalid[] = "Gecersiz DCX.";
const char kMsgDcxNoPage[] = "DCX sayfasi cozulemedi.";
const char kMsgIffInvalid[] = "Gecersiz IFF.";
const char kMsgIffUnsupportedType[] = "Desteklenmeyen IFF turu.";
const char kMsgIffUnsupported[] = "Desteklenmeyen IFF.";
const char kMsgIffTooLarge[] = "IFF cok buyuk.";
const char kMsgPcdNoBase[] = "PCD'de Base cozunurluk yok / dosya kesik.";
const char kMsgPcdNoSignature[] = "Gecersiz PCD (PCD_IPI imzasi yok).";
const char kMsgWmfInvalid[] = "Gecersiz WMF.";
const char kMsgWmfFailed[] = "WMF cozulemedi.";

void set_message(char* message, const char* text) {
    if (!message) return;
    size_t i = 0;
    for (; text[i] && i < kMessageBytes - 1; ++i) message[i] = text[i];
    message[i] = 0;
}
