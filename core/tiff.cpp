#include "core/tiff.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/checked.h"
#include "core/decode_message.h"
#include "core/fax.h"
#include "core/file_bytes.h"
#include "core/tiff_codecs.h"

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "RGB rows are swapped a word at a time for a little-endian processor"
#endif

#if defined(__i386__) || defined(__x86_64__)
#include <tmmintrin.h>
#define LUMORA_TIFF_SSSE3 1
#endif

namespace {

enum TiffTag : uint16_t {
    kTagWidth = 256,
    kTagHeight = 257,
    kTagBitsPerSample = 258,
    kTagCompression = 259,
    kTagPhotometric = 262,
    kTagStripOffsets = 273,
    kTagSamplesPerPixel = 277,
    kTagRowsPerStrip = 278,
    kTagStripByteCounts = 279,
    kTagPlanar = 284,
    kTagT4Options = 292,
    kTagPredictor = 317,
    kTagColorMap = 320,
};

const uint32_t kCompressionNone = 1;
const uint32_t kCompressionHuffman = 2;
const uint32_t kCompressionGroup3 = 3;
const uint32_t kCompressionGroup4 = 4;
const uint32_t kCompressionLzw = 5;
const uint32_t kCompressionPackBits = 32773;

const uint32_t kPhotometricWhiteIsZero = 0;
const uint32_t kPhotometricBlackIsZero = 1;
const uint32_t kPhotometricRgb = 2;
const uint32_t kPhotometricPalette = 3;

const uint32_t kPredictorHorizontal = 2;
const uint32_t kT4TwoDimensional = 1;

const uint32_t kMaxStrips = 1048576;
const uint32_t kMaxColorMapValues = 262144;
// An entry count is 16 bits: no directory is refused for its size.
const uint32_t kMaxEntries = 65535;
const uint64_t kEntryBytes = 12;

// One page's parameters as the directory gives them, defaults first. Of a tag
// that stands more than once the last wins; the arrays are read once, from
// their last entry, after the scan. FillOrder is ignored, fax pages included:
// a page that stores the bits of each byte in reverse (FillOrder 2) shows wrong.
struct Page {
    uint32_t width = 0, height = 0;
    uint32_t bits = 8, compression = kCompressionNone, photometric = kPhotometricBlackIsZero;
    uint32_t samples = 1, rows_per_strip = 0, planar = 1, t4_options = 0, predictor = 1;
    IfdEntry offsets = {}, byte_counts = {}, color_map = {};
    bool has_offsets = false, has_byte_counts = false, has_color_map = false;
};

// The strip and palette arrays of a page and its strip buffer, freed together.
struct PageBlocks {
    uint32_t* offsets = nullptr;
    uint32_t* byte_counts = nullptr;
    uint16_t* color_map = nullptr;
    uint8_t* samples = nullptr;
};

void free_blocks(PageBlocks* blocks) {
    free(blocks->offsets);
    free(blocks->byte_counts);
    free(blocks->color_map);
    free(blocks->samples);
}

bool byte_order_mark(const uint8_t* head, bool* little) {
    *little = head[0] == 'I';
    return (head[0] == 'I' && head[1] == 'I') || (head[0] == 'M' && head[1] == 'M');
}

// Checks the 8-byte header; the first directory's offset in *first.
bool tiff_begin(IfdReader* reader, const uint8_t* data, size_t size, uint32_t* first, char* message) {
    if (size < 8) {
        set_message(message, kMsgTiffInvalid);
        return false;
    }
    bool little = false;
    if (!byte_order_mark(data, &little)) {
        set_message(message, kMsgTiffBadHeader);
        return false;
    }
    *first = ifd_begin(reader, data, size, kMaxEntries);
    if (ifd_u16(reader, 2) != 42) {
        set_message(message, kMsgTiffBadVersion);
        return false;
    }
    return true;
}

void read_entries(const IfdReader* reader, const Ifd* ifd, Page* page) {
    IfdEntry entry;
    for (uint32_t i = 0; ifd_entry(reader, ifd, i, &entry); ++i) {
        uint32_t first = tiff_tag_value(reader, &entry, 0);
        switch (entry.tag) {
        case kTagWidth: page->width = first; break;
        case kTagHeight: page->height = first; break;
        case kTagBitsPerSample: page->bits = first; break;
        case kTagCompression: page->compression = first; break;
        case kTagPhotometric: page->photometric = first; break;
        case kTagSamplesPerPixel: page->samples = first; break;
        case kTagRowsPerStrip: page->rows_per_strip = first; break;
        case kTagPlanar: page->planar = first; break;
        case kTagT4Options: page->t4_options = first; break;
        case kTagPredictor: page->predictor = first; break;
        case kTagStripOffsets: page->offsets = entry, page->has_offsets = true; break;
        case kTagStripByteCounts: page->byte_counts = entry, page->has_byte_counts = true; break;
        case kTagColorMap: page->color_map = entry, page->has_color_map = true; break;
        default: break;
        }
    }
}

// How many of an entry's values lie in the data; the others read as 0, so a
// count of a million in a small file costs no million reads.
uint32_t values_in_data(const IfdReader* reader, const IfdEntry* entry) {
    uint32_t type_size = ifd_type_size(entry->type);
    uint64_t start = (uint64_t)type_size * entry->count > 4 ? entry->value : entry->field;
    if (start >= reader->size) return 0;
    uint64_t fit = (reader->size - start) / type_size;
    return fit < entry->count ? (uint32_t)fit : entry->count;
}

// Every value of an entry, as 32-bit numbers; none when memory is short.
uint32_t* read_array32(const IfdReader* reader, const IfdEntry* entry) {
    uint32_t* values = (uint32_t*)calloc((size_t)entry->count + 1, sizeof(uint32_t));
    uint32_t n = values ? values_in_data(reader, entry) : 0;
    for (uint32_t i = 0; i < n; ++i) values[i] = tiff_tag_value(reader, entry, i);
    return values;
}

uint16_t* read_array16(const IfdReader* reader, const IfdEntry* entry) {
    uint16_t* values = (uint16_t*)calloc((size_t)entry->count + 1, sizeof(uint16_t));
    uint32_t n = values ? values_in_data(reader, entry) : 0;
    for (uint32_t i = 0; i < n; ++i) values[i] = (uint16_t)tiff_tag_value(reader, entry, i);
    return values;
}

bool is_fax(uint32_t compression) {
    return compression == kCompressionHuffman || compression == kCompressionGroup3 ||
           compression == kCompressionGroup4;
}

FaxCoding fax_coding(const Page& page) {
    if (page.compression == kCompressionGroup4) return kFaxGroup4;
    if (page.compression == kCompressionHuffman) return kFaxModifiedHuffman;
    return (page.t4_options & kT4TwoDimensional) ? kFaxGroup3TwoD : kFaxGroup3OneD;
}

// What stops a page before any pixel is decoded; null when it can be decoded.
const char* refusal(const Page& page) {
    if ((page.has_offsets && page.offsets.count > kMaxStrips) ||
        (page.has_byte_counts && page.byte_counts.count > kMaxStrips))
        return kMsgTiffTooManyStrips;
    if (page.has_color_map && page.color_map.count > kMaxColorMapValues) return kMsgTiffPaletteTooLarge;
    if (page.planar != 1) return kMsgTiffPlanar;
    if (page.width == 0 || page.height == 0) return kMsgTiffNoSize;
    if (page.width > (uint32_t)kMaxImageSide || page.height > (uint32_t)kMaxImageSide) return kMsgTiffTooLarge;
    if (page.samples < 1 || page.samples > 4) return kMsgTiffSamples;
    if (!is_fax(page.compression)) {
        if (page.bits != 8) return kMsgTiffBits;
        if (page.compression != kCompressionNone && page.compression != kCompressionLzw &&
            page.compression != kCompressionPackBits)
            return kMsgTiffCompression;
    }
    if (!page.has_offsets || !page.has_byte_counts) return kMsgTiffNoStrips;
    return nullptr;
}

// How the samples of a page become a picture.
struct Conversion {
    uint32_t photometric, samples, colors;  // colors: whole ColorMap entries
    const uint16_t* map;
};

// One row of red, green, blue (and alpha) samples as blue, green, red: most
// of the time of an uncompressed page. Two RGB or one RGBA pixel per word
// (bytes little-endian): each store writes a few bytes past the pixels, which
// the next store overwrites; the last pixels go one by one so nothing past the
// row is touched.
template <int kStep>
void rgb_row(const uint8_t* s, uint8_t* d, int32_t width) {
    int32_t x = 0;
    if (kStep == 3) {
        for (; x + 3 <= width; x += 2, s += 6, d += 6) {
            uint64_t w;
            memcpy(&w, s, 8);
            w = (w & 0x000000FF0000FF00ull) | (w >> 16 & 0x00000000FF0000FFull) | (w << 16 & 0x0000FF0000FF0000ull);
            memcpy(d, &w, 8);
        }
    } else {
        for (; x + 2 <= width; ++x, s += 4, d += 3) {
            uint32_t w;
            memcpy(&w, s, 4);
            w = (w & 0x0000FF00u) | (w >> 16 & 0x000000FFu) | (w << 16 & 0x00FF0000u);
            memcpy(d, &w, 4);
        }
    }
    for (; x < width; ++x, s += kStep, d += 3) {
        d[0] = s[2];
        d[1] = s[1];
        d[2] = s[0];
    }
}

#if LUMORA_TIFF_SSSE3
// Five RGB pixels a step with one byte shuffle: as fast as a plain copy of
// the row. Each store writes one byte past the five pixels, which the next
// step overwrites; the last pixels go one by one.
__attribute__((target("ssse3"))) void rgb_row_ssse3(const uint8_t* s, uint8_t* d, int32_t width) {
    const __m128i swap = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
    int32_t x = 0;
    for (; x + 6 <= width; x += 5, s += 15, d += 15)
        _mm_storeu_si128((__m128i*)d, _mm_shuffle_epi8(_mm_loadu_si128((const __m128i*)s), swap));
    rgb_row<3>(s, d, width - x);
}

bool processor_has_ssse3() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3");
}

bool s_use_ssse3 = processor_has_ssse3();
#endif

void rgb_row3(const uint8_t* s, uint8_t* d, int32_t width) {
#if LUMORA_TIFF_SSSE3
    if (s_use_ssse3) return rgb_row_ssse3(s, d, width);
#endif
    rgb_row<3>(s, d, width);
}

// Rows of samples as picture rows from `first` on: RGB (alpha ignored),
// palette or gray.
void convert_rows(const Conversion& c, const uint8_t* s, size_t rows, int32_t first, Image* image) {
    uint32_t step = c.samples;
    for (int32_t y = first; y < first + (int32_t)rows; ++y) {
        uint8_t* d = image_row(image, y);
        if (c.photometric == kPhotometricRgb && step >= 3) {
            if (step == 3) rgb_row3(s, d, image->width);
            else rgb_row<4>(s, d, image->width);
            s += (size_t)image->width * step;
        } else if (c.photometric == kPhotometricPalette && c.map) {
            if (c.colors == 0) {  // black
                s += (size_t)image->width * step;
                continue;
            }
            for (int32_t x = 0; x < image->width; ++x, s += step, d += 3) {
                uint32_t i = s[0] < c.colors ? s[0] : c.colors - 1;
                d[0] = (uint8_t)(c.map[2 * c.colors + i] >> 8);
                d[1] = (uint8_t)(c.map[c.colors + i] >> 8);
                d[2] = (uint8_t)(c.map[i] >> 8);
            }
        } else {
            // Gray, and RGB with fewer than three samples: only the first is there.
            uint8_t flip = c.photometric == kPhotometricWhiteIsZero ? 0xFF : 0;
            for (int32_t x = 0; x < image->width; ++x, s += step, d += 3) d[0] = d[1] = d[2] = s[0] ^ flip;
        }
    }
}

Image* fail(char* message, const char* text) {
    set_message(message, text);
    return nullptr;
}

// The page's pixels once its parameters passed, one strip at a time: each is
// decoded into one strip-sized buffer, its predictor undone and its rows
// converted while they are still in the cache. Rows that no strip reaches
// convert from zero samples, as do the ends of strips cut short.
Image* decode_pixels(const IfdReader* reader, const Page& page, PageBlocks* blocks, char* message) {
    // Fax pages come as one gray byte per pixel, already in the page's polarity.
    bool fax = is_fax(page.compression);
    uint32_t samples = fax ? 1 : page.samples;
    bool predictor = !fax && page.predictor == kPredictorHorizontal;
    uint32_t rows_per_strip =
        page.rows_per_strip == 0 || page.rows_per_strip > page.height ? page.height : page.rows_per_strip;
    size_t row_bytes = (size_t)page.width * samples, strip_bytes = 0;
    Image* image = nullptr;
    // The picture first: when it cannot be had, nothing else is allocated.
    if (!(image = image_create((int32_t)page.width, (int32_t)page.height)) ||
        !checked_pixel_bytes(row_bytes, rows_per_strip, &strip_bytes) ||
        !(blocks->samples = (uint8_t*)malloc(strip_bytes)) ||
        !(blocks->offsets = read_array32(reader, &page.offsets)) ||
        !(blocks->byte_counts = read_array32(reader, &page.byte_counts)) ||
        (page.has_color_map && !(blocks->color_map = read_array16(reader, &page.color_map)))) {
        image_free(image);
        return fail(message, kMsgNoMemory);
    }
    Conversion c = {fax ? kPhotometricBlackIsZero : page.photometric, samples,
                    page.has_color_map ? page.color_map.count / 3 : 0, blocks->color_map};

    bool stopped = false;
    for (uint32_t k = 0, row = 0; row < page.height; ++k) {
        size_t rows = page.height - row < rows_per_strip ? page.height - row : rows_per_strip;
        size_t output_size = rows * row_bytes;
        uint8_t* output = blocks->samples;
        const uint8_t* converted = output;
        stopped = stopped || k >= page.offsets.count || blocks->offsets[k] >= reader->size;
        size_t written = 0;
        if (!stopped) {
            uint32_t at = blocks->offsets[k];
            size_t length = k < page.byte_counts.count ? blocks->byte_counts[k] : 0;
            if (length > reader->size - at) length = reader->size - at;
            const uint8_t* input = reader->data + at;
            if (fax) {
                if (decode_fax_strip(input, length, (int32_t)page.width, (int32_t)rows, fax_coding(page),
                                     (int)page.photometric, output))
                    written = output_size;
            } else if (page.compression == kCompressionNone) {
                written = length < output_size ? length : output_size;
                if (written == output_size && !predictor) converted = input;  // no copy needed
                else memcpy(output, input, written);
            } else if (page.compression == kCompressionPackBits) {
                written = tiff_unpack_packbits(input, length, output, output_size);
            } else {
                written = tiff_decode_lzw(input, length, output, output_size);
            }
        }
        if (written < output_size) memset(output + written, 0, output_size - written);
        if (predictor) tiff_undo_predictor(output, row_bytes, rows, samples);
        convert_rows(c, converted, rows, (int32_t)row, image);
        row += (uint32_t)rows;
    }
    return image;
}

Image* decode_page(const IfdReader* reader, uint32_t offset, char* message) {
    if (offset > reader->size || reader->size - offset < 2) return fail(message, kMsgTiffBadIfd);
    Ifd ifd = {offset, ifd_u16(reader, offset)};
    if (kEntryBytes * ifd.count > reader->size - offset - 2) return fail(message, kMsgTiffBadIfd);
    Page page;
    read_entries(reader, &ifd, &page);
    if (const char* reason = refusal(page)) return fail(message, reason);
    PageBlocks blocks;
    Image* image = decode_pixels(reader, page, &blocks, message);
    free_blocks(&blocks);
    return image;
}

// Sides from the entries of a first directory (whole 12-byte entries only).
bool sides_from_entries(const uint8_t* entries, size_t length, bool little, int* width, int* height) {
    IfdReader reader = {};
    reader.data = entries;
    reader.size = length;
    reader.little_endian = little;
    uint32_t w = 0, h = 0;
    for (size_t at = 0; length - at >= kEntryBytes; at += kEntryBytes) {
        uint16_t tag = ifd_u16(&reader, at), type = ifd_u16(&reader, at + 2);
        uint32_t value = type == 3 ? ifd_u16(&reader, at + 8) : ifd_u32(&reader, at + 8);
        if (tag == kTagWidth) w = value;
        if (tag == kTagHeight) h = value;
    }
    if (w < 1 || w > (uint32_t)kMaxImageSide || h < 1 || h > (uint32_t)kMaxImageSide) return false;
    *width = (int)w;
    *height = (int)h;
    return true;
}

uint32_t number(const uint8_t* p, int bytes, bool little) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= (uint32_t)p[i] << (little ? 8 * i : 8 * (bytes - 1 - i));
    return v;
}

}  // namespace

uint32_t tiff_tag_value(const IfdReader* reader, const IfdEntry* entry, uint32_t index) {
    uint32_t type_size = ifd_type_size(entry->type);
    bool elsewhere = (uint64_t)type_size * entry->count > 4;
    if (elsewhere && entry->value >= reader->size) return 0;
    uint64_t at = (uint64_t)(elsewhere ? entry->value : entry->field) + (uint64_t)index * type_size;
    if (type_size == 1) return at < reader->size ? reader->data[at] : 0;
    if (type_size == 2) return ifd_u16(reader, at);
    return ifd_u32(reader, at);
}

Image* decode_tiff_first_page(const uint8_t* data, size_t size, char* message) {
    clear_message(message);
    IfdReader reader;
    uint32_t first = 0;
    if (!tiff_begin(&reader, data, size, &first, message)) return nullptr;
    return decode_page(&reader, first, message);
}

bool decode_tiff_pages(const uint8_t* data, size_t size, ImageSet* set, char* message) {
    *set = ImageSet{};
    clear_message(message);
    IfdReader reader;
    uint32_t offset = 0;
    if (!tiff_begin(&reader, data, size, &offset, message)) return false;
    int32_t capacity = 0;
    Ifd ifd;
    // ifd_open ends the walk at offset 0, at a directory seen before (a loop)
    // and after kMaxIfdChain directories.
    while (set->count < kMaxTiffPages && ifd_open(&reader, offset, &ifd)) {
        if (kEntryBytes * ifd.count + 4 > size - offset - 2) break;
        if (Image* page = decode_page(&reader, offset, message)) {
            if (!image_set_append(set, &capacity, page)) break;
        }
        offset = ifd_next(&reader, &ifd);
    }
    if (set->count > 0) return true;
    image_set_free(set);
    if (message && !message[0]) set_message(message, kMsgTiffNoPage);
    return false;
}

bool probe_tiff_data(const uint8_t* data, size_t size, int* width, int* height) {
    bool little = false;
    if (size < 8 || !byte_order_mark(data, &little)) return false;
    uint32_t at = number(data + 4, 4, little);
    if (at > size || size - at < 2) return false;
    uint64_t want = kEntryBytes * number(data + at, 2, little);
    size_t length = want < size - at - 2 ? (size_t)want : size - at - 2;
    return sides_from_entries(data + at + 2, length, little, width, height);
}

Image* load_tiff_first_page(const char* path, char* message) {
    FileBytes file;
    if (!file_bytes_read_for_decoder(path, kMaxTiffFileBytes, &file, message)) return nullptr;
    Image* image = decode_tiff_first_page(file.data, file.size, message);
    file_bytes_free(&file);
    return image;
}

bool load_tiff_pages(const char* path, ImageSet* set, char* message) {
    *set = ImageSet{};
    FileBytes file;
    if (!file_bytes_read_for_decoder(path, kMaxTiffFileBytes, &file, message)) return false;
    bool ok = decode_tiff_pages(file.data, file.size, set, message);
    file_bytes_free(&file);
    return ok;
}

// Reads the header and the first directory's entries only: the browser asks
// this of every file it lists.
bool probe_tiff_size(const char* path, int* width, int* height) {
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    uint8_t head[8], count[2];
    bool little = false, ok = false;
    if (fread(head, 1, 8, f) == 8 && byte_order_mark(head, &little)) {
        uint32_t at = number(head + 4, 4, little);
        if (at <= (uint32_t)LONG_MAX && fseek(f, (long)at, SEEK_SET) == 0 && fread(count, 1, 2, f) == 2) {
            size_t want = (size_t)kEntryBytes * number(count, 2, little);
            uint8_t* entries = (uint8_t*)malloc(want ? want : 1);
            if (entries) {
                size_t got = fread(entries, 1, want, f);
                ok = sides_from_entries(entries, got, little, width, height);
                free(entries);
            }
        }
    }
    fclose(f);
    return ok;
}

bool tiff_allow_ssse3(bool allowed) {
#if LUMORA_TIFF_SSSE3
    s_use_ssse3 = allowed && processor_has_ssse3();
    return s_use_ssse3;
#else
    (void)allowed;
    return false;
#endif
}
