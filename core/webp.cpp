#include "core/webp.h"

#include <stdlib.h>
#include <string.h>

#include "core/byte_reader.h"
#include "core/checked.h"
#include "core/color_profile.h"
#include "core/decode_message.h"
#include "core/file_bytes.h"
#include "core/jpeg.h"
#include "webp/decode.h"
#include "webp/demux.h"

namespace {

bool side_ok(int side) { return side >= 1 && side <= kMaxImageSide; }

bool is_tag(const uint8_t* tag, const char* name) { return tag && memcmp(tag, name, 4) == 0; }

uint32_t reader_u24le(ByteReader* r) {
    uint32_t low = reader_u16le(r);
    return low | (uint32_t)reader_u8(r) << 16;
}

// The first chunk's header: VP8X (extended: canvas and flags), "VP8 " (a
// lossy key frame) or VP8L (lossless), as the WebP container format lays
// them out. `r` holds what the data have of the chunk's payload.
bool read_first_chunk(const uint8_t* tag, ByteReader* r, WebpLayout* l) {
    if (is_tag(tag, "VP8X")) {
        const uint8_t flags = reader_u8(r);
        reader_skip(r, 3);
        l->width = (int)reader_u24le(r) + 1;
        l->height = (int)reader_u24le(r) + 1;
        l->alpha = (flags & 0x10) != 0;
        l->animated = (flags & 0x02) != 0;
    } else if (is_tag(tag, "VP8 ")) {
        reader_skip(r, 3);  // frame tag
        const uint8_t* start = reader_take(r, 3);
        if (!start || start[0] != 0x9D || start[1] != 0x01 || start[2] != 0x2A) return false;
        l->width = reader_u16le(r) & 0x3FFF;  // the top two bits are a scale hint
        l->height = reader_u16le(r) & 0x3FFF;
    } else if (is_tag(tag, "VP8L")) {
        if (reader_u8(r) != 0x2F) return false;
        const uint32_t bits = reader_u32le(r);
        l->width = (int)(bits & 0x3FFF) + 1;
        l->height = (int)((bits >> 14) & 0x3FFF) + 1;
        l->alpha = ((bits >> 28) & 1) != 0;
    } else {
        return false;
    }
    return !r->failed;
}

// The file's status as the user's message.
void say_status(VP8StatusCode status, char* message) {
    set_message(message, status == VP8_STATUS_OUT_OF_MEMORY ? kMsgNoMemory : kMsgUnknownFormat);
}

// A still picture straight into a new picture of its sides, through the
// incremental decoder, which keeps the rows decoded before a cut or damage.
Image* decode_still(const uint8_t* data, size_t size, int reduction, char* message) {
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) {  // a library of another interface version
        set_message(message, kMsgUnknownFormat);
        return nullptr;
    }
    VP8StatusCode status = WebPGetFeatures(data, size, &config.input);
    if (status != VP8_STATUS_OK) {
        say_status(status, message);
        return nullptr;
    }
    int width = config.input.width, height = config.input.height;
    if (!side_ok(width) || !side_ok(height)) {
        set_message(message, kMsgBadDimensions);
        return nullptr;
    }
    if (reduction > 1) {
        width = (width + reduction - 1) / reduction;
        height = (height + reduction - 1) / reduction;
        config.options.use_scaling = 1;
        config.options.scaled_width = width;
        config.options.scaled_height = height;
    }
    Image* image = image_create(width, height);
    if (!image) {
        set_message(message, kMsgNoMemory);
        return nullptr;
    }
    config.output.colorspace = MODE_BGR;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = image->pixels;
    config.output.u.RGBA.stride = image->stride;
    config.output.u.RGBA.size = (size_t)image->stride * (size_t)image->height;
    config.options.flip = 1;  // the picture's rows run bottom-up
    WebPIDecoder* decoder = WebPIDecode(nullptr, 0, &config);
    int rows = 0;
    status = decoder ? WebPIUpdate(decoder, data, size) : VP8_STATUS_OUT_OF_MEMORY;
    if (decoder && status != VP8_STATUS_OK && !WebPIDecGetRGB(decoder, &rows, nullptr, nullptr, nullptr)) rows = 0;
    WebPIDelete(decoder);
    if (status == VP8_STATUS_OK) return image;
    if (rows > 0 && status != VP8_STATUS_OUT_OF_MEMORY) {
        image_gray_rows_from(image, rows);
        return image;
    }
    image_free(image);
    say_status(status, message);
    return nullptr;
}

// The data up to the last whole chunk with the container's length saying so:
// the animation decoder reads only complete files.
uint8_t* whole_chunks_copy(const uint8_t* data, const WebpLayout& layout) {
    uint8_t* copy = (uint8_t*)malloc(layout.whole_length);
    if (!copy) return nullptr;
    memcpy(copy, data, layout.whole_length);
    const uint32_t length = (uint32_t)(layout.whole_length - 8);
    for (int i = 0; i < 4; ++i) copy[4 + i] = (uint8_t)(length >> (8 * i));
    return copy;
}

// Up to `most` frames of an animation as its canvas shows them, each with
// the time it stays; more than kMaxWebpFrames refuse the file. The caller
// has checked the canvas's sides.
bool decode_animation(const uint8_t* data, size_t size, const WebpLayout& layout, int most, ImageSet* set,
                      char* message) {
    uint8_t* copy = layout.cut ? whole_chunks_copy(data, layout) : nullptr;
    if (copy) {
        data = copy;
        size = layout.whole_length;
    }
    // The first frame's picture before the decoder's canvas: a canvas too
    // large for memory fails here, before the library allocates two of them.
    Image* first = layout.cut && !copy ? nullptr : image_create(layout.width, layout.height);
    WebPAnimDecoderOptions options;
    WebPAnimDecoder* decoder = nullptr;
    WebPAnimInfo info = {};
    if (first && WebPAnimDecoderOptionsInit(&options)) {
        options.color_mode = MODE_RGBA;
        options.use_threads = 0;
        const WebPData whole = {data, size};
        decoder = WebPAnimDecoderNew(&whole, &options);
    }
    const char* reason = first ? nullptr : kMsgNoMemory;
    if (!reason && (!decoder || !WebPAnimDecoderGetInfo(decoder, &info) || info.frame_count < 1 ||
                    info.frame_count > (uint32_t)kMaxWebpFrames || (int)info.canvas_width != layout.width ||
                    (int)info.canvas_height != layout.height))
        reason = kMsgUnknownFormat;
    const int count = reason ? 0 : (int)info.frame_count < most ? (int)info.frame_count : most;
    size_t frame_bytes = 0, all_bytes = 0;
    if (!reason && !(image_pixel_bytes(layout.width, layout.height, &frame_bytes) &&
                     checked_pixel_bytes(frame_bytes, (size_t)count, &all_bytes)))
        reason = kMsgBadDimensions;
    if (!reason) {
        set->frames = (Image**)calloc((size_t)count, sizeof(Image*));
        set->delays = (int32_t*)calloc((size_t)count, sizeof(int32_t));
        if (!set->frames || !set->delays) reason = kMsgNoMemory;
    }
    int done = 0;
    uint8_t* canvas = nullptr;
    // A frame the library cannot decode ends the animation there.
    for (int timestamp = 0, before = 0; !reason && done < count && WebPAnimDecoderGetNext(decoder, &canvas, &timestamp);
         ++done, before = timestamp) {
        Image* frame = done == 0 ? first : image_create(layout.width, layout.height);
        if (frame) image_copy_rgb_rows(frame, canvas, 4);  // null: memory short for this one
        set->frames[done] = frame;
        set->delays[done] = timestamp - before;
    }
    WebPAnimDecoderDelete(decoder);
    free(copy);
    set->count = done;
    if (done > 0) return true;
    image_free(first);
    image_set_free(set);
    set_message(message, reason ? reason : kMsgUnknownFormat);
    return false;
}

}  // namespace

bool webp_read_layout(const uint8_t* data, size_t size, WebpLayout* layout) {
    WebpLayout l = {};
    ByteReader r = reader_make(data, size);
    const uint8_t* riff = reader_take(&r, 4);
    const uint32_t riff_length = reader_u32le(&r);
    const uint8_t* form = reader_take(&r, 4);
    if (!is_tag(riff, "RIFF") || !is_tag(form, "WEBP")) return false;
    // The container ends where its length says, or where the data do.
    size_t end = 0;
    if (!checked_add((size_t)riff_length, 8, &end) || end > size) {
        end = size;
        l.cut = true;
    }
    if (end < r.pos) return false;  // a length shorter than the form type
    l.whole_length = r.pos;
    bool seen_first = false, extended = false;
    while (end - r.pos >= 8) {
        const size_t at = r.pos;
        const uint8_t* tag = reader_take(&r, 4);
        const size_t length = reader_u32le(&r);
        const size_t present = end - r.pos < length ? end - r.pos : length;
        if (!seen_first) {
            ByteReader chunk = reader_make(r.data + r.pos, present);
            if (!read_first_chunk(tag, &chunk, &l)) return false;
            seen_first = true;
            extended = is_tag(tag, "VP8X");
        }
        if (present < length) break;
        // A chunk of odd length has a pad byte, which the last may lack.
        const bool padded = (length & 1) && end - r.pos > length;
        reader_skip(&r, length + (padded ? 1 : 0));
        l.whole_length = r.pos;
        if (extended && is_tag(tag, "ICCP") && l.icc_length == 0) {
            l.icc_offset = at + 8;
            l.icc_length = length;
        }
    }
    if (!seen_first) return false;
    *layout = l;
    return true;
}

bool webp_icc_profile(const uint8_t* data, size_t size, size_t* offset, size_t* length) {
    WebpLayout layout;
    if (!webp_read_layout(data, size, &layout) || layout.icc_length == 0) return false;
    *offset = layout.icc_offset;
    *length = layout.icc_length;
    return true;
}

namespace {

// Pictures in the colours of the file's ICCP profile, converted to sRGB.
void convert_by_profile(const uint8_t* data, const WebpLayout& layout, Image** images, int32_t count) {
    for (int32_t i = 0; layout.icc_length && i < count; ++i)
        if (images[i]) color_profile_convert(images[i], data + layout.icc_offset, layout.icc_length);
}

Image* converted(const uint8_t* data, const WebpLayout& layout, Image* image) {
    convert_by_profile(data, layout, &image, 1);
    return image;
}

}  // namespace

Image* decode_webp(const uint8_t* data, size_t size, int reduction, char* message) {
    clear_message(message);
    WebpLayout layout;
    if (!data || !webp_read_layout(data, size, &layout)) {
        set_message(message, kMsgUnknownFormat);
        return nullptr;
    }
    if (!layout.animated) return converted(data, layout, decode_still(data, size, reduction, message));
    if (!side_ok(layout.width) || !side_ok(layout.height)) {
        set_message(message, kMsgBadDimensions);
        return nullptr;
    }
    ImageSet set = {};
    if (!decode_animation(data, size, layout, 1, &set, message)) return nullptr;
    Image* image = set.frames[0];
    set.frames[0] = nullptr;
    image_set_free(&set);
    return converted(data, layout, image);
}

bool decode_webp_frames(const uint8_t* data, size_t size, ImageSet* set, char* message) {
    *set = ImageSet{};
    clear_message(message);
    WebpLayout layout;
    if (!data || !webp_read_layout(data, size, &layout)) {
        set_message(message, kMsgUnknownFormat);
        return false;
    }
    if (layout.animated) {
        if (side_ok(layout.width) && side_ok(layout.height)) {
            bool ok = decode_animation(data, size, layout, kMaxWebpFrames, set, message);
            convert_by_profile(data, layout, set->frames, set->count);
            return ok;
        }
        set_message(message, kMsgBadDimensions);
        return false;
    }
    Image* image = converted(data, layout, decode_still(data, size, 1, message));
    int32_t capacity = 0;
    if (image && !image_set_append(set, &capacity, image)) set_message(message, kMsgNoMemory);
    return set->count == 1;
}

Image* load_webp_reduced(const char* path, int need, char* message) {
    clear_message(message);
    FileBytes file;
    if (!file_bytes_read_for_decoder(path, kMaxBlockBytes, &file, message)) return nullptr;
    WebpLayout layout;
    int reduction = 1;
    if (need > 0 && webp_read_layout(file.data, file.size, &layout))
        reduction = jpeg_reduction_for(layout.width > layout.height ? layout.width : layout.height, need);
    Image* image = decode_webp(file.data, file.size, reduction, message);
    file_bytes_free(&file);
    return image;
}

Image* load_webp(const char* path, char* message) { return load_webp_reduced(path, 0, message); }

bool load_webp_frames(const char* path, ImageSet* set, char* message) {
    *set = ImageSet{};
    clear_message(message);
    FileBytes file;
    if (!file_bytes_read_for_decoder(path, kMaxBlockBytes, &file, message)) return false;
    bool ok = decode_webp_frames(file.data, file.size, set, message);
    file_bytes_free(&file);
    return ok;
}

bool probe_webp_size(const char* path, int* width, int* height) {
    uint8_t head[kWebpHeadBytes];
    WebpLayout layout;
    const int got = file_read_head(path, head, sizeof head);
    if (got < 0 || !webp_read_layout(head, (size_t)got, &layout)) return false;
    *width = layout.width;
    *height = layout.height;
    return true;
}
