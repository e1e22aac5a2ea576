#include "core/pcx.h"

#include <stdlib.h>
#include <string.h>

#include "core/byte_reader.h"
#include "core/decode_message.h"
#include "core/file_bytes.h"

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "planes are read and rows written a word at a time for a little-endian processor"
#endif

namespace {

const uint8_t kPcxManufacturer = 10;
const uint8_t kPaletteMark = 12;
const size_t kPaletteBytes = 768;
const size_t kHeaderPaletteOffset = 16;
// Planes times bytes per line cannot pass this with 16-bit line lengths and
// four planes; the bound still guards the line buffer should either grow.
const size_t kMaxLineBytes = 2097152;
const uint8_t kDcxMagic[4] = {0xB1, 0x68, 0xDE, 0x3A};
const size_t kDcxTableOffset = 4;
// Offsets below this fall on the magic or the table's first 31 entries.
const uint32_t kMinDcxPageOffset = 128;

struct PcxHeader {
    int32_t width, height;
    uint32_t bits, planes, bytes_per_line;
    uint8_t palette[16][3];  // red, green, blue as stored
};

// What stops a picture before any pixel is decoded; null when it can be.
const char* read_header(const uint8_t* data, size_t size, PcxHeader* h) {
    ByteReader r = reader_make(data, size);
    if (size < kPcxHeaderBytes || reader_u8(&r) != kPcxManufacturer) return kMsgPcxInvalid;
    reader_skip(&r, 2);  // version and encoding: every file is decoded as run-length data
    h->bits = reader_u8(&r);
    int32_t xmin = reader_u16le(&r), ymin = reader_u16le(&r);
    int32_t xmax = reader_u16le(&r), ymax = reader_u16le(&r);
    reader_seek(&r, kHeaderPaletteOffset);
    reader_read(&r, h->palette, sizeof h->palette);
    reader_skip(&r, 1);
    h->planes = reader_u8(&r);
    h->bytes_per_line = reader_u16le(&r);
    h->width = xmax - xmin + 1;
    h->height = ymax - ymin + 1;
    if (h->width < 1 || h->width > kMaxImageSide || h->height < 1 || h->height > kMaxImageSide ||
        h->bytes_per_line == 0 || h->planes < 1 || h->planes > 4)
        return kMsgPcxUnsupported;
    if (h->bits != 1 && h->bits != 4 && h->bits != 8) return kMsgPcxBadDepth;
    if ((size_t)h->planes * h->bytes_per_line > kMaxLineBytes) return kMsgPcxLineTooLarge;
    uint32_t w = (uint32_t)h->width;
    uint32_t needed = h->bits == 8 ? w : h->bits == 4 ? (w + 1) / 2 : (w + 7) / 8;
    if (h->bytes_per_line < needed) return kMsgPcxShortLine;
    return nullptr;
}

// Fills one scan line from the run-length data at *at, which carries on
// from line to line. A run that passes the end of the line is cut there and
// the rest of it dropped; where the data ends the line is 0.
void unpack_line(const uint8_t* data, size_t size, size_t* at, uint8_t* line, size_t length) {
    size_t in = *at, out = 0;
    // Away from the ends no run can pass the line (runs are at most 63) and
    // a run byte has its value: literal or run, the byte is written as a
    // run of eight-byte words, without a branch that photographs would
    // mispredict half the time.
    while (length - out >= 64 && size - in >= 8) {
        uint64_t word;
        memcpy(&word, data + in, 8);
        if (!(word & (word << 1) & 0x8080808080808080ull)) {  // eight literals
            memcpy(line + out, &word, 8);
            in += 8;
            out += 8;
            continue;
        }
        uint8_t b = data[in];
        bool run = b >= 0xC0;
        uint64_t value = run ? data[in + 1] : b;
        size_t count = run ? (b & 0x3F) : 1;
        in += 1 + (size_t)run;
        uint64_t splat = value * 0x0101010101010101ull;
        size_t k = 0;
        do memcpy(line + out + k, &splat, 8);
        while ((k += 8) < count);
        out += count;
    }
    while (out < length && in < size) {
        uint8_t b = data[in++];
        if (b < 0xC0) {
            line[out++] = b;
            continue;
        }
        size_t count = b & 0x3F;
        uint8_t value = in < size ? data[in++] : 0;
        if (count > length - out) count = length - out;
        memset(line + out, value, count);
        out += count;
    }
    if (out < length) memset(line + out, 0, length - out);
    *at = in;
}

// Each bit of a byte moved to the low bit of its own nibble, the leftmost
// pixel (bit 7) to the lowest nibble: the plane bits of eight pixels are
// gathered into eight 4-bit indexes with one lookup and shift per plane.
struct SpreadTable {
    uint32_t nibbles[256];
};

constexpr SpreadTable make_spread_table() {
    SpreadTable t = {};
    for (int b = 0; b < 256; ++b)
        for (int i = 0; i < 8; ++i)
            if (b & (0x80 >> i)) t.nibbles[b] |= 1u << (4 * i);
    return t;
}

constexpr SpreadTable kSpread = make_spread_table();

typedef uint8_t Bgr[3];

void rgb_planes_row(const uint8_t* line, size_t bpl, int32_t width, uint8_t* __restrict d) {
    const uint8_t* __restrict r = line;
    const uint8_t* __restrict g = line + bpl;
    const uint8_t* __restrict b = line + 2 * bpl;
    int32_t x = 0;
    // Four pixels from a word of each plane into three words of the row.
    for (; x + 4 <= width; x += 4, d += 12) {
        uint32_t R, G, B;
        memcpy(&R, r + x, 4);
        memcpy(&G, g + x, 4);
        memcpy(&B, b + x, 4);
        uint32_t w[3] = {(B & 0xFF) | (G & 0xFF) << 8 | (R & 0xFF) << 16 | (B & 0xFF00) << 16,
                         (G >> 8 & 0xFF) | (R & 0xFF00) | (B & 0xFF0000) | (G & 0xFF0000) << 8,
                         (R >> 16 & 0xFF) | (B >> 16 & 0xFF00) | (G >> 8 & 0xFF0000) | (R & 0xFF000000)};
        memcpy(d, w, 12);
    }
    for (; x < width; ++x, d += 3) {
        d[0] = b[x];
        d[1] = g[x];
        d[2] = r[x];
    }
}

void bytes_row(const uint8_t* line, const Bgr* palette, int32_t width, uint8_t* d) {
    for (int32_t x = 0; x < width; ++x, d += 3) memcpy(d, palette[line[x]], 3);
}

void nibbles_row(const uint8_t* line, const Bgr* palette, int32_t width, uint8_t* d) {
    int32_t x = 0;
    for (; x + 2 <= width; x += 2, d += 6) {
        memcpy(d, palette[line[x / 2] >> 4], 3);
        memcpy(d + 3, palette[line[x / 2] & 15], 3);
    }
    if (x < width) memcpy(d, palette[line[x / 2] >> 4], 3);
}

// Bit x of each plane, plane p giving bit p of the index: eight pixels per
// byte of each plane.
void bit_planes_row(const uint8_t* line, size_t bpl, uint32_t planes, const Bgr* palette, int32_t width,
                    uint8_t* d) {
    for (int32_t x = 0; x < width; x += 8) {
        size_t k = (size_t)x / 8;
        uint32_t indexes = 0;
        for (uint32_t p = 0; p < planes; ++p) indexes |= kSpread.nibbles[line[p * bpl + k]] << p;
        int32_t n = width - x < 8 ? width - x : 8;
        for (int32_t i = 0; i < n; ++i, d += 3, indexes >>= 4) memcpy(d, palette[indexes & 15], 3);
    }
}

Image* fail(char* message, const char* text) {
    set_message(message, text);
    return nullptr;
}

// The decoder proper; the message is only written on failure, so a DCX page
// that decodes leaves an earlier page's reason in place.
Image* decode_picture(const uint8_t* data, size_t size, char* message) {
    PcxHeader h;
    if (const char* reason = read_header(data, size, &h)) return fail(message, reason);

    Bgr palette[256];
    memset(palette, 0, sizeof palette);
    enum { kRgb, kBytes, kNibbles, kBitPlanes } kind;
    if (h.planes == 3 && h.bits == 8) {
        kind = kRgb;
    } else if (h.planes == 1 && h.bits == 8) {
        kind = kBytes;
        // The last 768 bytes after a mark byte; without them, gray.
        bool trailing = size >= kPaletteBytes + 1 && data[size - kPaletteBytes - 1] == kPaletteMark;
        const uint8_t* rgb = trailing ? data + (size - kPaletteBytes) : nullptr;
        for (int i = 0; i < 256; ++i) {
            palette[i][0] = rgb ? rgb[3 * i + 2] : (uint8_t)i;
            palette[i][1] = rgb ? rgb[3 * i + 1] : (uint8_t)i;
            palette[i][2] = rgb ? rgb[3 * i] : (uint8_t)i;
        }
    } else {
        kind = h.planes == 1 && h.bits == 4 ? kNibbles : kBitPlanes;
        for (int i = 0; i < 16; ++i) {
            palette[i][0] = h.palette[i][2];
            palette[i][1] = h.palette[i][1];
            palette[i][2] = h.palette[i][0];
        }
        // Two equal colours would hide the picture: writers that leave the
        // palette empty mean black and white.
        if (h.planes == 1 && h.bits == 1 && memcmp(palette[0], palette[1], 3) == 0) {
            memset(palette[0], 0, 3);
            memset(palette[1], 0xFF, 3);
        }
    }

    size_t bpl = h.bytes_per_line, line_bytes = h.planes * bpl;
    uint8_t* line = (uint8_t*)malloc(line_bytes);
    Image* image = line ? image_create(h.width, h.height) : nullptr;
    if (!image) {
        free(line);
        return fail(message, kMsgNoMemory);
    }
    size_t at = kPcxHeaderBytes;
    for (int32_t y = 0; y < h.height; ++y) {
        unpack_line(data, size, &at, line, line_bytes);
        uint8_t* d = image_row(image, y);
        switch (kind) {
        case kRgb: rgb_planes_row(line, bpl, h.width, d); break;
        case kBytes: bytes_row(line, palette, h.width, d); break;
        case kNibbles: nibbles_row(line, palette, h.width, d); break;
        case kBitPlanes: bit_planes_row(line, bpl, h.planes, palette, h.width, d); break;
        }
    }
    free(line);
    return image;
}

struct DcxTable {
    uint32_t offsets[kMaxDcxPages];
    int count;
};

// The offsets up to the first 0, the last entry that fits in the file or
// kMaxDcxPages of them.
bool read_dcx_table(const uint8_t* data, size_t size, DcxTable* table, char* message) {
    table->count = 0;
    if (size < 8 || memcmp(data, kDcxMagic, sizeof kDcxMagic) != 0) {
        set_message(message, kMsgDcxInvalid);
        return false;
    }
    ByteReader r = reader_make(data, size);
    reader_seek(&r, kDcxTableOffset);
    while (table->count < kMaxDcxPages && reader_left(&r) >= 4) {
        uint32_t offset = reader_u32le(&r);
        if (offset == 0) break;
        table->offsets[table->count++] = offset;
    }
    return true;
}

// Where page i lies: from its offset to the next entry's, or to the end of
// the file for the last page and for one whose next offset is not greater
// (tables out of order). False for a page that is not to be decoded.
bool dcx_page(const DcxTable& table, size_t size, int i, size_t* start, size_t* length) {
    uint32_t offset = table.offsets[i];
    if (offset < kMinDcxPageOffset || offset >= size) return false;
    size_t end = size;
    if (i + 1 < table.count && table.offsets[i + 1] > offset && table.offsets[i + 1] < size)
        end = table.offsets[i + 1];
    *start = offset;
    *length = end - offset;
    return true;
}

}  // namespace

Image* decode_pcx(const uint8_t* data, size_t size, char* message) {
    clear_message(message);
    return decode_picture(data, size, message);
}

Image* load_pcx(const char* path, char* message) {
    clear_message(message);
    FileBytes file;
    if (!file_bytes_read_for_decoder(path, kMaxPcxFileBytes, &file, message, kMsgPcxInvalid)) return nullptr;
    Image* image = decode_picture(file.data, file.size, message);
    file_bytes_free(&file);
    return image;
}

bool probe_pcx_data(const uint8_t* data, size_t size, int* width, int* height) {
    if (size < 16 || data[0] != kPcxManufacturer) return false;
    ByteReader r = reader_make(data, size);
    reader_seek(&r, 4);
    int32_t xmin = reader_u16le(&r), ymin = reader_u16le(&r);
    int32_t w = reader_u16le(&r) - xmin + 1, h = reader_u16le(&r) - ymin + 1;
    if (w < 1 || w > kMaxImageSide || h < 1 || h > kMaxImageSide) return false;
    *width = w;
    *height = h;
    return true;
}

bool probe_pcx_size(const char* path, int* width, int* height) {
    uint8_t head[16];
    int got = file_read_head(path, head, sizeof head);
    return got == (int)sizeof head && probe_pcx_data(head, sizeof head, width, height);
}

bool decode_dcx_pages(const uint8_t* data, size_t size, ImageSet* set, char* message) {
    *set = ImageSet{};
    clear_message(message);
    DcxTable table;
    if (!read_dcx_table(data, size, &table, message)) return false;
    int32_t capacity = 0;
    for (int i = 0; i < table.count; ++i) {
        size_t start = 0, length = 0;
        if (!dcx_page(table, size, i, &start, &length)) continue;
        Image* page = decode_picture(data + start, length, message);
        if (!page) continue;
        if (!image_set_append(set, &capacity, page)) break;
    }
    if (set->count > 0) return true;
    image_set_free(set);
    if (message && !message[0]) set_message(message, kMsgDcxNoPage);
    return false;
}

Image* decode_dcx_first_page(const uint8_t* data, size_t size, char* message) {
    clear_message(message);
    DcxTable table;
    if (!read_dcx_table(data, size, &table, message)) return nullptr;
    for (int i = 0; i < table.count; ++i) {
        size_t start = 0, length = 0;
        if (!dcx_page(table, size, i, &start, &length)) continue;
        if (Image* page = decode_picture(data + start, length, message)) return page;
    }
    if (message && !message[0]) set_message(message, kMsgDcxNoPage);
    return nullptr;
}

bool load_dcx_pages(const char* path, ImageSet* set, char* message) {
    *set = ImageSet{};
    clear_message(message);
    FileBytes file;
    if (!file_bytes_read_for_decoder(path, kMaxDcxFileBytes, &file, message, kMsgDcxInvalid)) return false;
    bool ok = decode_dcx_pages(file.data, file.size, set, message);
    file_bytes_free(&file);
    return ok;
}

Image* load_dcx_first_page(const char* path, char* message) {
    clear_message(message);
    FileBytes file;
    if (!file_bytes_read_for_decoder(path, kMaxDcxFileBytes, &file, message, kMsgDcxInvalid)) return nullptr;
    Image* image = decode_dcx_first_page(file.data, file.size, message);
    file_bytes_free(&file);
    return image;
}
