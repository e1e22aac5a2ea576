#include "core/photo_cd.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/byte_reader.h"
#include "core/decode_message.h"
#include "core/transform.h"

namespace {

const char kSignature[] = "PCD_IPI";
const size_t kSignatureBytes = 7;

// Every value the conversion can reach lies in kClampLow..kClampHigh - 1 (the
// asserts work out the extremes), so clamping is one lookup rather than two
// comparisons per byte.
const int kClampLow = -352, kClampHigh = 576;
static_assert((1391 * 0 + 2271 * (0 - 156)) >> 10 >= kClampLow, "blue at its least");
static_assert((1391 * 0 - 441 * (255 - 156) - 949 * (255 - 137)) >> 10 >= kClampLow, "green at its least");
static_assert((1391 * 0 + 1865 * (0 - 137)) >> 10 >= kClampLow, "red at its least");
static_assert((1391 * 255 + 2271 * (255 - 156)) >> 10 < kClampHigh, "blue at its most");
static_assert((1391 * 255 - 441 * (0 - 156) - 949 * (0 - 137)) >> 10 < kClampHigh, "green at its most");
static_assert((1391 * 255 + 1865 * (255 - 137)) >> 10 < kClampHigh, "red at its most");

struct ClampTable {
    uint8_t bytes[kClampHigh - kClampLow];
};
constexpr ClampTable make_clamp_table() {
    ClampTable t{};
    for (int v = kClampLow; v < kClampHigh; ++v) t.bytes[v - kClampLow] = (uint8_t)(v < 0 ? 0 : v > 255 ? 255 : v);
    return t;
}
constexpr ClampTable kClamp = make_clamp_table();

uint8_t clamp_byte(int v) { return kClamp.bytes[v - kClampLow]; }

// One luma row and the chroma rows it shares with its neighbour, as blue,
// green, red. The colour terms of each chroma pair are worked out once for
// the two pixels that share them.
void convert_row(const uint8_t* luma, const uint8_t* c1_row, const uint8_t* c2_row, uint8_t* d) {
    for (int i = 0; i < kPhotoCdWidth / 2; ++i) {
        int c1 = c1_row[i] - 156, c2 = c2_row[i] - 137;
        int blue = 2271 * c1, green = -441 * c1 - 949 * c2, red = 1865 * c2;
        for (int k = 0; k < 2; ++k, d += 3) {
            int y = 1391 * luma[2 * i + k];
            d[0] = clamp_byte((y + blue) >> 10);
            d[1] = clamp_byte((y + green) >> 10);
            d[2] = clamp_byte((y + red) >> 10);
        }
    }
}

// The Base image from the first `have` bytes of a pack `length` bytes long;
// groups the bytes do not reach stay black.
Image* decode_pack(const uint8_t* data, size_t have, uint64_t length, char* message) {
    clear_message(message);
    if (length < kPhotoCdBaseEnd) {
        set_message(message, kMsgPcdNoBase);
        return nullptr;
    }
    ByteReader r = reader_make(data, have);
    reader_seek(&r, kPhotoCdSignatureAt);
    const uint8_t* signature = reader_take(&r, kSignatureBytes);
    if (!signature || memcmp(signature, kSignature, kSignatureBytes) != 0) {
        set_message(message, kMsgPcdNoSignature);
        return nullptr;
    }
    reader_seek(&r, kPhotoCdOrientationAt);
    int orientation = reader_u8(&r) & 3;
    Image* image = image_create(kPhotoCdWidth, kPhotoCdHeight);
    if (!image) {
        set_message(message, kMsgNoMemory);
        return nullptr;
    }
    r = reader_make(data, have);
    reader_seek(&r, kPhotoCdBaseAt);
    for (int g = 0; g < kPhotoCdHeight / 2; ++g) {
        const uint8_t* group = reader_take(&r, kPhotoCdGroupBytes);
        if (!group) break;
        const uint8_t* c1 = group + 2 * kPhotoCdWidth;
        const uint8_t* c2 = c1 + kPhotoCdWidth / 2;
        convert_row(group, c1, c2, image_row(image, 2 * g));
        convert_row(group + kPhotoCdWidth, c1, c2, image_row(image, 2 * g + 1));
    }
    // The pack says how the scan lies: 1 turns back counter-clockwise, 3 clockwise.
    if (orientation == 1 || orientation == 3) {
        if (Image* turned = image_rotate90(image, orientation == 3)) {
            image_free(image);
            image = turned;
        }
    }
    return image;
}

}  // namespace

Image* decode_photo_cd(const uint8_t* data, size_t size, char* message) {
    return decode_pack(data, size, size, message);
}

Image* load_photo_cd(const char* path, char* message) {
    clear_message(message);
    FILE* f = fopen(path, "rb");
    if (!f) {
        set_message(message, kMsgOpenFailed);
        return nullptr;
    }
    // Only the first 768 KB matter: the higher resolutions that follow are never read.
    long length = fseek(f, 0, SEEK_END) == 0 ? ftell(f) : -1;
    uint8_t* head = (uint8_t*)malloc(kPhotoCdBaseEnd);
    Image* image = nullptr;
    if (!head) {
        set_message(message, kMsgNoMemory);
    } else {
        size_t have = fseek(f, 0, SEEK_SET) == 0 ? fread(head, 1, kPhotoCdBaseEnd, f) : 0;
        // A length the library cannot tell (past 2 GB) is long enough.
        image = decode_pack(head, have, length < 0 ? kPhotoCdBaseEnd : (uint64_t)length, message);
    }
    free(head);
    fclose(f);
    return image;
}

bool probe_photo_cd_size(const char* path, int* width, int* height) {
    uint8_t head[kPhotoCdOrientationAt + 1];
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    size_t have = fread(head, 1, sizeof head, f);
    fclose(f);
    if (have < kPhotoCdSignatureAt + kSignatureBytes ||
        memcmp(head + kPhotoCdSignatureAt, kSignature, kSignatureBytes) != 0)
        return false;
    int orientation = have > kPhotoCdOrientationAt ? head[kPhotoCdOrientationAt] & 3 : 0;
    bool turned = orientation == 1 || orientation == 3;
    *width = turned ? kPhotoCdHeight : kPhotoCdWidth;
    *height = turned ? kPhotoCdWidth : kPhotoCdHeight;
    return true;
}
