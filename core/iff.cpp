#include "core/iff.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/byte_reader.h"
#include "core/decode_message.h"
#include "core/file_bytes.h"
#include "core/tiff_codecs.h"

namespace {

const uint32_t kModeExtraHalfBrite = 0x80;
const uint32_t kModeHoldAndModify = 0x800;
const uint8_t kMaskingPlane = 1;      // a mask line follows the colour planes of each row
const uint8_t kCompressionByteRun1 = 1;
const size_t kBmhdBytes = 20;
const size_t kCamgBytes = 4;
const int kMaxProbeChunks = 64;

// Where a chunk's data lies in the file: only the bytes the file holds.
struct Chunk {
    const uint8_t* data;
    size_t size;
};

// What the chunks of a FORM say. Of a kind that stands more than once the
// last wins; CMAP and BODY are only located during the walk and read after
// it, so a longer CMAP earlier in the file leaves nothing behind.
struct Form {
    bool planar = false;  // ILBM; PBM holds a byte per pixel
    uint32_t width = 0, height = 0;
    int planes = 0;
    uint8_t masking = 0, compression = 0;
    uint32_t display_mode = 0;
    Chunk cmap = {nullptr, 0}, body = {nullptr, 0};
    bool has_body = false;
};

Image* fail(char* message, const char* text) {
    set_message(message, text);
    return nullptr;
}

bool is_id(const uint8_t* at, const char* id) { return memcmp(at, id, 4) == 0; }

void read_chunks(const uint8_t* data, size_t size, Form* form) {
    ByteReader r = reader_make(data, size);
    reader_seek(&r, 12);
    while (reader_left(&r) >= 8) {
        const uint8_t* id = reader_take(&r, 4);
        uint32_t declared = reader_u32be(&r);
        size_t length = declared < reader_left(&r) ? declared : reader_left(&r);
        Chunk chunk = {reader_take(&r, length), length};
        ByteReader c = reader_make(chunk.data, chunk.size);
        if (is_id(id, "BMHD") && length >= kBmhdBytes) {
            form->width = reader_u16be(&c);
            form->height = reader_u16be(&c);
            reader_skip(&c, 4);  // the position on the screen
            form->planes = reader_u8(&c);
            form->masking = reader_u8(&c);
            form->compression = reader_u8(&c);
        } else if (is_id(id, "CAMG") && length >= kCamgBytes) {
            form->display_mode = reader_u32be(&c);
        } else if (is_id(id, "CMAP")) {
            form->cmap = chunk;
        } else if (is_id(id, "BODY")) {
            form->body = chunk;
            form->has_body = true;
        }
        // The pad byte of an odd size; a chunk cut short by the end has none.
        if (length & 1) reader_skip(&r, 1);
    }
}

// Red, green, blue; entries the CMAP does not give stay black.
struct Palette {
    uint8_t rgb[256][3];
    int count;
};

void read_palette(const Chunk& cmap, Palette* palette) {
    memset(palette, 0, sizeof *palette);
    size_t count = cmap.size / 3;
    palette->count = count > 256 ? 256 : (int)count;
    if (palette->count) memcpy(palette->rgb, cmap.data, 3 * (size_t)palette->count);
}

// spread[b]: the eight bits of b, most significant first, one to a byte in
// memory order, so the bits of one plane byte become bit 0 of eight indices.
struct SpreadTable {
    uint64_t bits[256];
};

SpreadTable make_spread_table() {
    SpreadTable t;
    for (int b = 0; b < 256; ++b) {
        uint8_t bytes[8];
        for (int i = 0; i < 8; ++i) bytes[i] = (uint8_t)((b >> (7 - i)) & 1);
        memcpy(&t.bits[b], bytes, 8);
    }
    return t;
}

// The indices of one ILBM row, eight pixels per word: each plane's byte
// looked up and shifted to its bit. Every line is row_bytes long, so the
// index row holds 8 * row_bytes entries.
void planes_to_indices(const uint8_t* row, size_t row_bytes, int planes, uint8_t* indices) {
    static const SpreadTable spread = make_spread_table();
    for (size_t i = 0; i < row_bytes; ++i) {
        uint64_t word = 0;
        const uint8_t* at = row + i;
        for (int p = 0; p < planes; ++p, at += row_bytes) word |= spread.bits[*at] << p;
        memcpy(indices + 8 * i, &word, 8);
    }
}

// Blue, green, red and a spare byte per index, so a pixel is one 4-byte copy.
typedef uint8_t Colors[256][4];

void make_colors(const Palette& palette, bool extra_half_brite, Colors colors) {
    for (int i = 0; i < 256; ++i) {
        const uint8_t* rgb = palette.rgb[i < palette.count ? i : 0];
        int shift = 0;
        if (extra_half_brite && i >= 32) rgb = palette.rgb[i - 32], shift = 1;
        colors[i][0] = (uint8_t)(rgb[2] >> shift);
        colors[i][1] = (uint8_t)(rgb[1] >> shift);
        colors[i][2] = (uint8_t)(rgb[0] >> shift);
        colors[i][3] = 0;
    }
}

// Each pixel's store spills one byte into the next pixel, which overwrites
// it; the last pixel goes alone so nothing past the row is touched.
void paint_row(const uint8_t* indices, const Colors colors, uint8_t* out, int32_t width) {
    int32_t x = 0;
    for (; x + 1 < width; ++x) memcpy(out + 3 * x, colors[indices[x]], 4);
    memcpy(out + 3 * x, colors[indices[x]], 3);
}

// Hold-And-Modify with k data bits: the two bits above them choose between a
// palette entry and changing one component of the previous pixel's colour to
// the data bits shifted up (not scaled: 15 becomes 240 with k = 4). The
// colour starts from entry 0 on every row.
void paint_ham_row(const uint8_t* indices, const Palette& palette, int k, uint8_t* out, int32_t width) {
    const uint8_t* first = palette.rgb[0];
    uint8_t red = first[0], green = first[1], blue = first[2];
    unsigned mask = (1u << k) - 1;
    for (int32_t x = 0; x < width; ++x) {
        unsigned value = indices[x] & mask;
        uint8_t shifted = (uint8_t)(value << (8 - k));
        switch ((indices[x] >> k) & 3) {
        case 0: red = palette.rgb[value][0], green = palette.rgb[value][1], blue = palette.rgb[value][2]; break;
        case 1: blue = shifted; break;
        case 2: red = shifted; break;
        default: green = shifted; break;
        }
        out[3 * x] = blue;
        out[3 * x + 1] = green;
        out[3 * x + 2] = red;
    }
}

void paint(const Form& form, const uint8_t* body, size_t row_bytes, size_t lines, uint8_t* indices, Image* image) {
    Palette palette;
    read_palette(form.cmap, &palette);
    bool ham = (form.display_mode & kModeHoldAndModify) && (form.planes == 6 || form.planes == 8);
    bool ehb = (form.display_mode & kModeExtraHalfBrite) && form.planes == 6;
    Colors colors;
    if (!ham) make_colors(palette, ehb, colors);
    for (int32_t y = 0; y < image->height; ++y) {
        const uint8_t* row = body + (size_t)y * row_bytes * lines;
        const uint8_t* index = row;
        if (form.planar) {
            planes_to_indices(row, row_bytes, form.planes, indices);
            index = indices;
        }
        if (ham) paint_ham_row(index, palette, form.planes - 2, image_row(image, y), image->width);
        else paint_row(index, colors, image_row(image, y), image->width);
    }
}

// Reads n bytes at an offset of a file or of a block of memory.
struct Source {
    const uint8_t* data;
    size_t size;
    FILE* file;
};

bool source_read(Source* s, uint64_t at, uint8_t* out, size_t n) {
    if (s->file)
        return at <= (uint64_t)LONG_MAX && fseek(s->file, (long)at, SEEK_SET) == 0 && fread(out, 1, n, s->file) == n;
    if (at > s->size || s->size - at < n) return false;
    memcpy(out, s->data + at, n);
    return true;
}

// Only the chunk headers up to BMHD are read: the browser asks this of every
// file it lists.
bool probe_sides(Source* s, int* width, int* height) {
    uint8_t head[12];
    if (!source_read(s, 0, head, sizeof head) || !is_id(head, "FORM")) return false;
    uint64_t at = 12;
    for (int i = 0; i < kMaxProbeChunks; ++i) {
        uint8_t chunk[8];
        if (!source_read(s, at, chunk, sizeof chunk)) return false;
        if (is_id(chunk, "BMHD")) {
            uint8_t sides[4];
            if (!source_read(s, at + 8, sides, sizeof sides)) return false;
            int w = sides[0] << 8 | sides[1], h = sides[2] << 8 | sides[3];
            if (w < 1 || w > kMaxImageSide || h < 1 || h > kMaxImageSide) return false;
            *width = w;
            *height = h;
            return true;
        }
        uint64_t length = (uint64_t)chunk[4] << 24 | (uint64_t)chunk[5] << 16 | (uint64_t)chunk[6] << 8 | chunk[7];
        at += 8 + length + (length & 1);
    }
    return false;
}

}  // namespace

Image* decode_iff(const uint8_t* data, size_t size, char* message) {
    clear_message(message);
    if (size < kMinIffFileBytes || size > kMaxIffFileBytes || !is_id(data, "FORM"))
        return fail(message, kMsgIffInvalid);
    Form form;
    form.planar = is_id(data + 8, "ILBM");
    if (!form.planar && !is_id(data + 8, "PBM ")) return fail(message, kMsgIffUnsupportedType);
    read_chunks(data, size, &form);
    if (!form.has_body || form.width < 1 || form.width > (uint32_t)kMaxImageSide || form.height < 1 ||
        form.height > (uint32_t)kMaxImageSide || form.planes < 1 || form.planes > 8)
        return fail(message, kMsgIffUnsupported);

    // Sides and planes are small now: the products fit 64 bits with room to spare.
    uint64_t row_bytes = form.planar ? (form.width + 15) / 16 * 2 : (form.width + 1) & ~1u;
    uint64_t lines = form.planar ? (uint64_t)form.planes + (form.masking == kMaskingPlane) : 1;
    uint64_t body_bytes = row_bytes * lines * form.height;
    if (body_bytes > kMaxIffBodyBytes) return fail(message, kMsgIffTooLarge);

    uint8_t* body = (uint8_t*)malloc((size_t)body_bytes);
    uint8_t* indices = (uint8_t*)malloc((size_t)row_bytes * 8);
    Image* image = body && indices ? image_create((int32_t)form.width, (int32_t)form.height) : nullptr;
    if (!image) {
        free(body);
        free(indices);
        return fail(message, kMsgNoMemory);
    }
    size_t filled = 0;
    if (form.compression == kCompressionByteRun1) {
        // ByteRun1 is PackBits under another name, over the whole BODY as one stream.
        filled = tiff_unpack_packbits(form.body.data, form.body.size, body, (size_t)body_bytes);
    } else {
        filled = form.body.size < body_bytes ? form.body.size : (size_t)body_bytes;
        if (filled) memcpy(body, form.body.data, filled);
    }
    memset(body + filled, 0, (size_t)body_bytes - filled);
    paint(form, body, (size_t)row_bytes, (size_t)lines, indices, image);
    free(body);
    free(indices);
    return image;
}

Image* load_iff(const char* path, char* message) {
    clear_message(message);
    FileBytes file;
    // Above the limit is the size rule, as for a file too short.
    if (!file_bytes_read_for_decoder(path, kMaxIffFileBytes, &file, message, kMsgIffInvalid)) return nullptr;
    Image* image = decode_iff(file.data, file.size, message);
    file_bytes_free(&file);
    return image;
}

bool probe_iff_data(const uint8_t* data, size_t size, int* width, int* height) {
    Source s = {data, size, nullptr};
    return probe_sides(&s, width, height);
}

bool probe_iff_size(const char* path, int* width, int* height) {
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    Source s = {nullptr, 0, f};
    bool ok = probe_sides(&s, width, height);
    fclose(f);
    return ok;
}
