#include "core/stb_adapter.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>

#include "core/checked.h"
#include "core/color_profile.h"
#include "core/decode_message.h"
#include "core/file_bytes.h"
#include "core/file_write.h"
#include "core/png_profile.h"
#include "core/pnm_plain.h"
#include "core/stb_impl.h"
#include "stb_image.h"
#include "stb_image_write.h"

static_assert(sizeof(int) == sizeof(int32_t), "the library's delays are handed on as int32_t");

namespace {

// The library takes lengths as int.
const size_t kMaxStbFileBytes = kMaxBlockBytes < (size_t)INT_MAX ? kMaxBlockBytes : (size_t)INT_MAX;

// Enough of a plain netpbm file for its header.
const size_t kPlainPnmHeadBytes = 1024;

bool side_ok(int side) { return side >= 1 && side <= kMaxImageSide; }

// Row a becomes row b with red and blue swapped, and row b row a; a and b may
// be the same row.
void swap_rows_rgb_to_bgr(uint8_t* a, uint8_t* b, size_t row) {
    for (size_t x = 0; x < row; x += 3) {
        uint8_t a0 = a[x], a1 = a[x + 1], a2 = a[x + 2];
        a[x] = b[x + 2];
        a[x + 1] = b[x + 1];
        a[x + 2] = b[x];
        b[x] = a2;
        b[x + 1] = a1;
        b[x + 2] = a0;
    }
}

// Makes the library's packed, top-down red-green-blue block the pixels of a
// picture, in place: spread to the padded stride, then rows swapped end for
// end and red swapped with blue in one pass. Taking the block over spares a
// second buffer of the picture's size and the copy into it, which cost as much
// as a fifth of the decoding time of a large photo. None when the picture is
// refused or memory is short; the block is then still the caller's.
Image* adopt_rgb(uint8_t* rgb, int32_t width, int32_t height) {
    Image* image = image_adopt_packed(rgb, width, height);
    if (!image) return nullptr;
    size_t row = (size_t)width * 3, stride = (size_t)image->stride;
    for (int32_t top = 0, bottom = height - 1; top <= bottom; ++top, --bottom)
        swap_rows_rgb_to_bgr(image->pixels + (size_t)top * stride, image->pixels + (size_t)bottom * stride, row);
    return image;
}

// Each row end for end, in place.
void mirror_rows(Image* image) {
    for (int32_t y = 0; y < image->height; ++y) {
        uint8_t* row = image_row(image, y);
        for (int32_t l = 0, r = image->width - 1; l < r; ++l, --r)
            for (int c = 0; c < 3; ++c) {
                uint8_t t = row[3 * l + c];
                row[3 * l + c] = row[3 * r + c];
                row[3 * r + c] = t;
            }
    }
}

// What the size query says decides before any pixel is allocated: sides out
// of range, or a picture too large for one block. A header the query does not
// understand is left to the decoder. True when the picture is refused.
bool refused_by_header(bool understood, int w, int h, char* message) {
    if (!understood) return false;
    size_t bytes = 0;
    if (!side_ok(w) || !side_ok(h)) {
        set_message(message, kMsgBadDimensions);
        return true;
    }
    if (!image_pixel_bytes(w, h, &bytes)) {
        set_message(message, kMsgNoMemory);
        return true;
    }
    return false;
}

// Reads a whole file for the library; false with the message set.
bool read_for_stb(const char* path, FileBytes* file, char* message) {
    return file_bytes_read_for_decoder(path, kMaxStbFileBytes, file, message);
}

}  // namespace

void set_library_reason(char* message, const char* reason, const char* fallback) {
    if (!message) return;
    if (!reason || !*reason) {
        set_message(message, fallback);
        return;
    }
    size_t n = strnlen(reason, kLibraryReasonChars);
    memcpy(message, reason, n);
    message[n] = 0;
}

namespace {

// What the library's loader gave, checked and turned into a picture; the
// block is released on every failure.
Image* finish_stb_load(uint8_t* rgb, int w, int h, char* message) {
    if (!rgb) {
        set_library_reason(message, stbi_failure_reason(), kMsgStbFailed);
        return nullptr;
    }
    if (!side_ok(w) || !side_ok(h)) {
        stbi_image_free(rgb);
        set_message(message, kMsgBadDimensions);
        return nullptr;
    }
    // The library's blocks come from malloc (core/stb_impl.cpp), as pictures' pixels do.
    Image* image = adopt_rgb(rgb, w, h);
    if (!image) {
        stbi_image_free(rgb);
        set_message(message, kMsgNoMemory);
    }
    return image;
}

}  // namespace

Image* decode_with_stb(const uint8_t* data, size_t size, char* message) {
    clear_message(message);
    // The library reads only the byte kinds of netpbm (P5, P6).
    if (is_pnm_plain(data, size)) return decode_pnm_plain(data, size, message);
    if (size > kMaxStbFileBytes) {
        set_message(message, kMsgNoMemory);
        return nullptr;
    }
    int len = (int)size;
    int w = 0, h = 0, channels = 0;
    // Asked on a line of its own: the sizes it fills are passed on by value.
    bool understood = stbi_info_from_memory(data, len, &w, &h, &channels) != 0;
    if (refused_by_header(understood, w, h, message)) return nullptr;
    stb_clear_failure_reason();
    w = h = 0;
    uint8_t* rgb = stbi_load_from_memory(data, len, &w, &h, &channels, 3);
    Image* image = finish_stb_load(rgb, w, h, message);
    uint8_t* profile = nullptr;
    size_t length = 0;
    if (image && color_profiles_enabled() && png_icc_profile(data, size, &profile, &length))
        color_profile_convert(image, profile, length);
    free(profile);
    return image;
}

// The same steps, with the library reading the file itself: a large PNG then
// needs no copy of the whole file besides the picture.
Image* load_with_stb(const char* path, char* message) {
    clear_message(message);
    uint8_t head[kPlainPnmHeadBytes];
    int got = file_read_head_for_decoder(path, head, sizeof head, message);
    if (got < 0) return nullptr;
    if (is_pnm_plain(head, (size_t)got)) {
        FileBytes file;
        if (!read_for_stb(path, &file, message)) return nullptr;
        Image* image = decode_pnm_plain(file.data, file.size, message);
        file_bytes_free(&file);
        return image;
    }
    int w = 0, h = 0, channels = 0;
    bool understood = stbi_info(path, &w, &h, &channels) != 0;
    if (refused_by_header(understood, w, h, message)) return nullptr;
    stb_clear_failure_reason();
    w = h = 0;
    uint8_t* rgb = stbi_load(path, &w, &h, &channels, 3);
    return finish_stb_load(rgb, w, h, message);
}

Image* load_tga(const char* path, char* message) {
    Image* image = load_with_stb(path, message);
    // The header's image type (colour-mapped, true-colour or gray, raw or
    // run-length coded) and its descriptor, whose bit 4 says right to left.
    uint8_t head[18];
    if (!image || file_read_head(path, head, sizeof head) < (int)sizeof head) return image;
    const uint8_t type = head[2] & ~8;
    if (type >= 1 && type <= 3 && (head[17] & 0x10)) mirror_rows(image);
    return image;
}

Image* load_png(const char* path, char* message) {
    Image* image = load_with_stb(path, message);
    uint8_t* profile = nullptr;
    size_t length = 0;
    if (image && color_profiles_enabled() && png_icc_profile_of_file(path, &profile, &length))
        color_profile_convert(image, profile, length);
    free(profile);
    return image;
}

bool probe_stb_data(const uint8_t* data, size_t size, int* width, int* height) {
    if (is_pnm_plain(data, size)) return probe_pnm_plain(data, size, width, height);
    int w = 0, h = 0, channels = 0;
    if (size > kMaxStbFileBytes || !stbi_info_from_memory(data, (int)size, &w, &h, &channels)) return false;
    if (!side_ok(w) || !side_ok(h)) return false;
    *width = w;
    *height = h;
    return true;
}

bool probe_with_stb(const char* path, int* width, int* height) {
    // A plain netpbm header is text of a few numbers and perhaps comments.
    uint8_t head[kPlainPnmHeadBytes];
    int got = file_read_head(path, head, sizeof head);
    if (got >= 2 && is_pnm_plain(head, (size_t)got)) return probe_pnm_plain(head, (size_t)got, width, height);
    int w = 0, h = 0, channels = 0;
    if (!stbi_info(path, &w, &h, &channels) || !side_ok(w) || !side_ok(h)) return false;
    *width = w;
    *height = h;
    return true;
}

bool adopt_gif_frames(uint8_t* rgba, int* delays, int width, int height, int frames, ImageSet* set, char* message) {
    *set = ImageSet{};
    size_t frame_bytes = 0, total = 0;
    bool sizes_ok = side_ok(width) && side_ok(height) && frames >= 1 && frames <= kMaxGifFrames &&
                    checked_mul((size_t)width * 4, (size_t)height, &frame_bytes) &&
                    checked_mul(frame_bytes, (size_t)frames, &total) && total <= (size_t)INT_MAX;
    set->frames = sizes_ok ? (Image**)calloc((size_t)frames, sizeof(Image*)) : nullptr;
    if (!set->frames) {
        stbi_image_free(rgba);
        free(delays);
        set_message(message, sizes_ok ? kMsgNoMemory : kMsgGifBadDimensions);
        return false;
    }
    for (int f = 0; f < frames; ++f) {
        Image* image = image_create(width, height);
        if (!image) continue;  // a frame short of memory stays null; the others may still fit
        image_copy_rgb_rows(image, rgba + (size_t)f * frame_bytes, 4);
        set->frames[f] = image;
    }
    stbi_image_free(rgba);
    set->delays = (int32_t*)delays;
    set->count = frames;
    return true;
}

bool decode_gif_frames(const uint8_t* data, size_t size, ImageSet* set, char* message) {
    *set = ImageSet{};
    clear_message(message);
    if (size == 0) {
        set_message(message, kMsgGifInvalid);
        return false;
    }
    if (size > kMaxStbFileBytes) {
        set_message(message, kMsgNoMemory);
        return false;
    }
    int* delays = nullptr;
    int w = 0, h = 0, frames = 0, channels = 0;
    stb_clear_failure_reason();
    uint8_t* rgba = stbi_load_gif_from_memory(data, (int)size, &delays, &w, &h, &frames, &channels, 4);
    if (!rgba) {
        free(delays);  // the library leaves it null when it has freed it
        set_library_reason(message, stbi_failure_reason(), kMsgGifFailed);
        return false;
    }
    return adopt_gif_frames(rgba, delays, w, h, frames, set, message);
}

bool load_gif_frames(const char* path, ImageSet* set, char* message) {
    *set = ImageSet{};
    clear_message(message);
    FileBytes file;
    if (!read_for_stb(path, &file, message)) return false;
    bool ok = decode_gif_frames(file.data, file.size, set, message);
    file_bytes_free(&file);
    return ok;
}

namespace {

struct EncodeJob {
    int format, quality, width, height, row;
    const uint8_t* rgb;
};

void sink_bytes(void* context, void* data, int size) {
    if (size > 0) file_sink_write((FileSink*)context, data, (size_t)size);
}

bool encode_to_sink(FileSink* sink, void* context) {
    const EncodeJob& job = *(const EncodeJob*)context;
    if (job.format == kSaveJpeg)
        return stbi_write_jpg_to_func(sink_bytes, sink, job.width, job.height, 3, job.rgb, job.quality) != 0;
    if (job.format == kSavePng)
        return stbi_write_png_to_func(sink_bytes, sink, job.width, job.height, 3, job.rgb, job.row) != 0;
    return stbi_write_bmp_to_func(sink_bytes, sink, job.width, job.height, 3, job.rgb) != 0;
}

}  // namespace

bool save_image(const char* path, const Image* image, int format, int quality) {
    if (!image || !image->pixels || !side_ok(image->width) || !side_ok(image->height)) return false;
    size_t row = 0, bytes = 0;
    if (!checked_pixel_bytes((size_t)image->width, 3, &row) || !checked_pixel_bytes(row, (size_t)image->height, &bytes))
        return false;
    uint8_t* rgb = (uint8_t*)malloc(bytes);
    if (!rgb) return false;
    for (int32_t y = 0; y < image->height; ++y) {
        const uint8_t* s = image_row(image, y);
        uint8_t* d = rgb + (size_t)y * row;
        for (int32_t x = 0; x < image->width; ++x, s += 3, d += 3) {
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
        }
    }
    EncodeJob job = {format, quality < 1 ? kDefaultJpegQuality : quality, image->width, image->height, (int)row, rgb};
    // The library's own file writers ignore short writes; the sink does not.
    bool ok = write_file_replacing(path, encode_to_sink, &job);
    free(rgb);
    return ok;
}
