// The layer between the stb libraries and Lumora's pictures: JPEG, PNG, GIF,
// TGA, PSD, Softimage PIC and PNM files are decoded by stb_image, PNG, JPEG and
// BMP files written by stb_image_write. Each loader has a memory form (what the
// fuzzers call) and a thin file wrapper.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/image.h"

// save_image formats; any other value writes BMP.
const int kSavePng = 1;
const int kSaveJpeg = 2;
const int kSaveBmp = 3;
// Quality used for a JPEG when the caller gives none (below 1).
const int kDefaultJpegQuality = 90;
// At most this many characters of the library's own failure reason are kept.
const size_t kLibraryReasonChars = 120;
// More frames than this are refused as a corrupt file.
const int kMaxGifFrames = 10000;

// One picture; a GIF gives its first frame. message: at least kMessageBytes, or null.
Image* load_with_stb(const char* path, char* message);
Image* decode_with_stb(const uint8_t* data, size_t size, char* message);

// A TGA file: the library's picture, mirrored when the file stores its
// pixels right to left (the library reads only the top-to-bottom bit).
Image* load_tga(const char* path, char* message);

// A PNG file: the library's picture, converted from the colours of its
// embedded profile to sRGB (core/color_profile.h). decode_with_stb does the
// same for PNG data.
Image* load_png(const char* path, char* message);

// True when the library understands the header and both sides lie in
// 1..kMaxImageSide. Reads only as much of the file as the header needs.
bool probe_with_stb(const char* path, int* width, int* height);
bool probe_stb_data(const uint8_t* data, size_t size, int* width, int* height);

// Every frame of an animated GIF, composed as it is to be shown, with its
// delay in milliseconds; the set (empty on entry) belongs to the caller. An
// entry may be null when its picture could not be had. False with the set
// empty and the reason in message when the file gives no frame.
bool load_gif_frames(const char* path, ImageSet* set, char* message);
bool decode_gif_frames(const uint8_t* data, size_t size, ImageSet* set, char* message);
// What decode_gif_frames does with the library's result: `rgba` holds
// `frames` pictures of width x height, 4 bytes a pixel, top-down; both blocks
// are taken over (freed, or handed to the set as its delays). Sizes whose
// product the library could not have allocated are refused.
bool adopt_gif_frames(uint8_t* rgba, int* delays, int width, int height, int frames, ImageSet* set, char* message);

// Writes kSavePng, kSaveJpeg (quality 1..100; below 1 means kDefaultJpegQuality)
// or, for any other format, BMP. The file at path is replaced only by a
// complete one: on any failure it stays as it was.
bool save_image(const char* path, const Image* image, int format, int quality);

// The library's reason cut to kLibraryReasonChars, or fallback when it gave none.
void set_library_reason(char* message, const char* reason, const char* fallback);
