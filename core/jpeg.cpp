#include "core/jpeg.h"

#include <stdlib.h>
#include <string.h>

#include "core/byte_reader.h"
#include "core/checked.h"
#include "core/color_profile.h"
#include "core/decode_message.h"
#include "core/file_bytes.h"
#include "core/jpeg_hooks.h"
#include "core/stb_adapter.h"

namespace {

size_t s_work_bytes = 0;  // 0: kJpegWorkBytes

// Rows handed to the library per call: as many as it ever gives at once.
const int kRowsPerRead = 16;

// Adobe's CMYK is stored inverted: each ink times the black, over 255, is
// the light left of that colour; the rounding is the exact one.
inline uint8_t ink_times_black(unsigned ink, unsigned black) {
    unsigned t = ink * black + 128;
    return (uint8_t)((t + (t >> 8)) >> 8);
}

void cmyk_row_to_bgr(const uint8_t* cmyk, uint8_t* bgr, int width) {
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        bgr[0] = ink_times_black(cmyk[2], cmyk[3]);
        bgr[1] = ink_times_black(cmyk[1], cmyk[3]);
        bgr[2] = ink_times_black(cmyk[0], cmyk[3]);
    }
}

// Everything a decode holds that the error jump must still find: locals
// changed after setjmp would be indeterminate after the jump.
struct Decode {
    jpeg_decompress_struct cinfo;
    JpegErrorJump error;
    jpeg_progress_mgr progress;
    Image* image;
    uint8_t* cmyk_rows;  // the library's four-byte rows of a CMYK file, converted after
    int32_t rows_done;   // rows in the picture whole, from the top
    bool started;
    bool no_memory;  // the picture did not fit: a decided failure, no fallback
};

void set_up(Decode& d) { jpeg_set_hooks(&d.cinfo, &d.error, &d.progress); }

// Reads every row it can into the picture; a fatal error mid-scan ends the
// reading early, the rows not reached left for the caller to gray.
void read_rows(Decode& d) {
    jpeg_decompress_struct& c = d.cinfo;
    Image* image = d.image;
    uint8_t* rows[kRowsPerRead];
    while (c.output_scanline < c.output_height) {
        int first = (int)c.output_scanline;
        int want = (int)(c.output_height - c.output_scanline);
        if (want > kRowsPerRead) want = kRowsPerRead;
        for (int i = 0; i < want; ++i)
            rows[i] = d.cmyk_rows ? d.cmyk_rows + (size_t)i * 4 * (size_t)image->width : image_row(image, first + i);
        int got = (int)jpeg_read_scanlines(&c, rows, (JDIMENSION)want);
        if (d.cmyk_rows)
            for (int i = 0; i < got; ++i) cmyk_row_to_bgr(rows[i], image_row(image, first + i), image->width);
        if (got <= 0) break;
        d.rows_done = first + got;
    }
}

// Configures the output and allocates the picture; false when the file is
// refused before any pixel (the caller's fallback then decides).
bool start(Decode& d, int reduction) {
    jpeg_decompress_struct& c = d.cinfo;
    if (jpeg_read_header(&c, TRUE) != JPEG_HEADER_OK) return false;
    if (c.image_width < 1 || c.image_width > (JDIMENSION)kMaxImageSide || c.image_height < 1 ||
        c.image_height > (JDIMENSION)kMaxImageSide)
        return false;
    switch (c.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        c.out_color_space = JCS_EXT_BGR;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        c.out_color_space = JCS_CMYK;
        break;
    default:
        return false;
    }
    c.scale_num = 1;
    c.scale_denom = (unsigned)reduction;
    // A progressive file is read whole here, before the first row.
    jpeg_start_decompress(&c);
    d.image = image_create((int32_t)c.output_width, (int32_t)c.output_height);
    if (c.out_color_space == JCS_CMYK && d.image)
        d.cmyk_rows = (uint8_t*)malloc((size_t)kRowsPerRead * 4 * c.output_width);
    if (!d.image || (c.out_color_space == JCS_CMYK && !d.cmyk_rows)) {
        d.no_memory = true;
        return false;
    }
    d.started = true;
    return true;
}

bool is_restart_or_stuffing(uint8_t marker) { return marker == 0 || (marker >= 0xD0 && marker <= 0xD7); }

// The length of the file up to the end of the last marker segment it holds
// whole. A progressive file is read whole before its first row; cut inside a
// later scan's header, the library cannot start it, but without that
// segment it shows the scans before the cut.
size_t whole_segments_length(const uint8_t* data, size_t size) {
    ByteReader r = reader_make(data, size);
    reader_skip(&r, 2);  // the start marker
    for (;;) {
        size_t at = r.pos;
        if (reader_u8(&r) != 0xFF) return r.failed ? at : size;  // not a header walk that could be cut
        uint8_t marker = reader_u8(&r);
        if (r.failed) return at;
        if (marker == 0xFF) {  // fill byte
            reader_seek(&r, at + 1);
            continue;
        }
        if (marker == 0xD9) return size;
        if (is_restart_or_stuffing(marker) || marker == 0x01) continue;
        uint16_t length = reader_u16be(&r);
        if (r.failed || length < 2 || !reader_skip(&r, (size_t)length - 2)) return at;
        if (marker != 0xDA) continue;
        // The scan's coded data runs to the next marker that is no byte
        // stuffing nor restart.
        for (;;) {
            const uint8_t* rest = r.data + r.pos;
            const uint8_t* ff = (const uint8_t*)memchr(rest, 0xFF, reader_left(&r));
            if (!ff) return size;  // cut inside the coded data: the library copes
            reader_seek(&r, r.pos + (size_t)(ff - rest));
            uint8_t next = 0;
            ByteReader look = r;
            reader_skip(&look, 1);
            if (!reader_peek(&look, &next)) return size;
            if (!is_restart_or_stuffing(next) && next != 0xFF) break;
            reader_skip(&r, next == 0xFF ? 1 : 2);
        }
    }
}

// APP2 segments that carry a profile chunk begin with this name, then the
// chunk's sequence number (from 1) and the count of chunks.
const uint8_t kIccId[12] = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0};
const int kMaxIccChunks = 255;

struct IccChunk {
    const uint8_t* data;
    size_t length;
};

// The picture of an RGB file in the colours of the profile it carries,
// converted to sRGB (core/color_profile.h).
void convert_by_profile(const uint8_t* data, size_t size, Image* image) {
    if (!image || !color_profiles_enabled()) return;
    uint8_t* profile = nullptr;
    size_t length = 0;
    if (jpeg_icc_profile(data, size, &profile, &length)) color_profile_convert(image, profile, length);
    free(profile);
}

// The larger side the header gives; 0 when the library cannot read it.
int larger_side_of(const uint8_t* data, size_t size) {
    Decode* d = (Decode*)calloc(1, sizeof(Decode));
    if (!d) return 0;
    set_up(*d);
    jpeg_create_decompress(&d->cinfo);
    volatile int larger = 0;
    if (!setjmp(d->error.back)) {
        jpeg_mem_src(&d->cinfo, data, (unsigned long)size);
        if (jpeg_read_header(&d->cinfo, TRUE) == JPEG_HEADER_OK) {
            JDIMENSION w = d->cinfo.image_width, h = d->cinfo.image_height;
            if (w <= (JDIMENSION)kMaxImageSide && h <= (JDIMENSION)kMaxImageSide) larger = (int)(w > h ? w : h);
        }
    }
    jpeg_destroy_decompress(&d->cinfo);
    free(d);
    return larger;
}

}  // namespace

bool jpeg_icc_profile(const uint8_t* data, size_t size, uint8_t** profile, size_t* length) {
    *profile = nullptr;
    *length = 0;
    IccChunk chunks[kMaxIccChunks + 1] = {};
    int count = 0, seen = 0;
    size_t total = 0;
    ByteReader r = reader_make(data, size);
    if (reader_u16be(&r) != 0xFFD8) return false;
    // The header's segments up to the first scan; a walk cut short keeps
    // what it found, and a missing chunk then refuses the profile.
    for (;;) {
        if (reader_u8(&r) != 0xFF) break;
        uint8_t marker = reader_u8(&r);
        while (marker == 0xFF && !r.failed) marker = reader_u8(&r);  // fill bytes
        if (r.failed || marker == 0xDA || marker == 0xD9) break;
        if (is_restart_or_stuffing(marker) || marker == 0x01 || marker == 0xD8) continue;
        uint16_t segment = reader_u16be(&r);
        const uint8_t* body = segment >= 2 ? reader_take(&r, (size_t)segment - 2) : nullptr;
        if (!body) break;
        size_t n = (size_t)segment - 2;
        if (marker != 0xE2 || n < sizeof kIccId + 2 || memcmp(body, kIccId, sizeof kIccId) != 0) continue;
        int number = body[sizeof kIccId], of = body[sizeof kIccId + 1];
        if (of == 0 || number == 0 || number > of || (count && of != count) || chunks[number].data) return false;
        count = of;
        chunks[number] = IccChunk{body + sizeof kIccId + 2, n - sizeof kIccId - 2};
        total += chunks[number].length;
        ++seen;
    }
    if (seen == 0 || seen != count || total == 0 || total > kMaxColorProfileBytes) return false;
    uint8_t* joined = (uint8_t*)malloc(total);
    if (!joined) return false;
    size_t at = 0;
    for (int i = 1; i <= count; ++i) {
        if (chunks[i].length) memcpy(joined + at, chunks[i].data, chunks[i].length);
        at += chunks[i].length;
    }
    *profile = joined;
    *length = total;
    return true;
}

int jpeg_reduction_for(int larger, int need) {
    if (need < 1) need = 1;
    int reduction = 1;
    for (int r = 2; r <= 8; r *= 2)
        if (larger >= r * need) reduction = r;
    return reduction;
}

void jpeg_cap_work_bytes(size_t bytes) { s_work_bytes = bytes; }

size_t jpeg_work_bytes() { return s_work_bytes ? s_work_bytes : kJpegWorkBytes; }

Image* decode_jpeg(const uint8_t* data, size_t size, int reduction, bool* started, char* message) {
    *started = false;
    if (reduction != 2 && reduction != 4 && reduction != 8) reduction = 1;
    if (!data || size == 0 || size > kMaxBlockBytes) return nullptr;
    Decode* d = (Decode*)calloc(1, sizeof(Decode));
    if (!d) return nullptr;
    set_up(*d);
    if (setjmp(d->error.back)) {
        // Before the start: the fallback's turn. After it: what was read stays.
        if (d->started) {
            image_gray_rows_from(d->image, d->rows_done);
        } else {
            image_free(d->image);
            d->image = nullptr;
        }
    } else {
        jpeg_create_decompress(&d->cinfo);
        d->cinfo.mem->max_memory_to_use = (long)jpeg_work_bytes();
        d->cinfo.progress = &d->progress;
        jpeg_mem_src(&d->cinfo, data, (unsigned long)size);
        if (start(*d, reduction)) {
            read_rows(*d);
            image_gray_rows_from(d->image, d->rows_done);
        } else {
            image_free(d->image);
            d->image = nullptr;
            d->started = false;
        }
    }
    // jpeg_destroy never raises an error of its own.
    jpeg_destroy_decompress(&d->cinfo);
    Image* image = d->image;
    // Inks have profiles of their own kind, which are not converted.
    if (!d->cmyk_rows) convert_by_profile(data, size, image);
    *started = d->started || d->no_memory;
    if (d->no_memory) set_message(message, kMsgNoMemory);
    else if (image) clear_message(message);
    free(d->cmyk_rows);
    free(d);
    return image;
}

Image* decode_jpeg_or_stb(const uint8_t* data, size_t size, int reduction, char* message) {
    bool started = false;
    Image* image = decode_jpeg(data, size, reduction, &started, message);
    if (started) return image;
    size_t whole = whole_segments_length(data, size);
    if (whole < size) {
        image = decode_jpeg(data, whole, reduction, &started, message);
        if (started) return image;
    }
    image = decode_with_stb(data, size, message);
    convert_by_profile(data, size, image);
    return image;
}

Image* load_jpeg_reduced(const char* path, int need, char* message) {
    clear_message(message);
    FileBytes file;
    if (!file_bytes_read_for_decoder(path, kMaxBlockBytes, &file, message)) return nullptr;
    // A header the library cannot read decodes whole, or fails, as unreduced.
    int reduction = need > 0 ? jpeg_reduction_for(larger_side_of(file.data, file.size), need) : 1;
    Image* image = decode_jpeg_or_stb(file.data, file.size, reduction, message);
    file_bytes_free(&file);
    return image;
}

Image* load_jpeg(const char* path, char* message) { return load_jpeg_reduced(path, 0, message); }
