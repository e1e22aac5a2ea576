// The one picture format of Lumora: a 24-bit blue-green-red buffer laid out as a
// bottom-up device-independent bitmap, so GDI can draw, print and copy it as is.
#pragma once
#include <stddef.h>
#include <stdint.h>

const int kMaxImageSide = 30000;

struct Image {
    int32_t width;   // 1..kMaxImageSide
    int32_t height;  // 1..kMaxImageSide
    int32_t stride;  // (3 * width + 3) & ~3
    uint8_t* pixels; // stride * height bytes, row y at (height - 1 - y) * stride
};

// Every frame or page of a file. `delays` (milliseconds per frame) is present
// only for animated GIF and WebP files.
struct ImageSet {
    Image** frames;
    int32_t count;
    int32_t* delays;
};

// The 40-byte bitmap information header, field for field the one GDI takes.
// Kept here so the core needs no Windows header.
struct BitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40, "bitmap header must be 40 bytes");

inline int32_t image_stride_for(int32_t width) { return (3 * width + 3) & ~3; }

// The pixel bytes of a picture of these sides, stride * height; false when a
// side is outside 1..kMaxImageSide or the block would pass kMaxBlockBytes.
// Every pixel buffer is sized here, by image_create and image_adopt_packed.
bool image_pixel_bytes(int32_t width, int32_t height, size_t* bytes);
// None when a side is outside 1..kMaxImageSide or memory is short; all black.
Image* image_create(int32_t width, int32_t height);
// Makes a malloc block that starts with `height` packed rows of 3 * width
// bytes (bottom-up blue, green, red, or anything the caller converts in place
// afterwards) the pixels of a new picture: grown to the padded stride and the
// rows spread out, padding zeroed. Spares a second buffer and a copy of large
// decoded pictures. None when the sides are refused or memory is short; the
// block is then still the caller's, unchanged.
Image* image_adopt_packed(uint8_t* block, int32_t width, int32_t height);
void image_free(Image* image);
// Test hook: the nth picture the calling thread allocates from now on and
// every later one fails, as when memory runs out; 0 lets them succeed again.
void image_fail_allocations_from(int n);
// Fuzzing hook: pictures of more pixel bytes than this fail as when memory is
// short, so a fuzzer spends its time in the parsers rather than in filling
// pictures of millions of pixels; 0 lifts the cap.
void image_cap_pixel_bytes(size_t bytes);
void image_fill_bitmap_header(const Image* image, BitmapInfoHeader* header);
// No bounds check: callers stay inside the picture. y counts from the top.
void image_set_pixel(Image* image, int32_t x, int32_t y, uint8_t blue, uint8_t green, uint8_t red);

inline uint8_t* image_row(const Image* image, int32_t y) {
    return image->pixels + (size_t)(image->height - 1 - y) * (size_t)image->stride;
}

// Packed top-down rows of red, green, blue (and, with 4 channels, alpha) as a
// library gives them, copied into a picture of the same sides. Alpha is
// dropped: a picture with transparency shows its colours as stored, PNG, GIF
// and WebP alike.
void image_copy_rgb_rows(Image* image, const uint8_t* rgb, int channels);
// What the rows from `first` down show when a cut or damaged file never
// reached them: mid gray, as a broken download shows.
const uint8_t kMissingRowGray = 0x80;
void image_gray_rows_from(Image* image, int32_t first);

// Adds a frame to a set without delays whose frame array holds *capacity
// pointers, doubling it (from 8) when full. When it cannot grow the frame is
// freed and the result is false; the set keeps what it had.
bool image_set_append(ImageSet* set, int32_t* capacity, Image* frame);
// Frees every frame, the frame array and the delays, and empties the set.
void image_set_free(ImageSet* set);
