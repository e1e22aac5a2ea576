#include "core/tiff.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <utility>

#include "core/checked.h"
#include "core/color_profile.h"
#include "core/decode_message.h"
#include "core/fax.h"
#include "core/file_bytes.h"
#include "core/tiff_codecs.h"
#include "core/tiff_jpeg.h"
#include "core/tiff_samples.h"
#include "core/transform.h"

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
    kTagFillOrder = 266,
    kTagStripOffsets = 273,
    kTagOrientation = 274,
    kTagSamplesPerPixel = 277,
    kTagRowsPerStrip = 278,
    kTagStripByteCounts = 279,
    kTagPlanar = 284,
    kTagT4Options = 292,
    kTagPredictor = 317,
    kTagColorMap = 320,
    kTagTileWidth = 322,
    kTagTileLength = 323,
    kTagTileOffsets = 324,
    kTagTileByteCounts = 325,
    kTagInkSet = 332,
    kTagSampleFormat = 339,
    kTagJpegTables = 347,
    kTagIccProfile = 34675,
};

const uint32_t kCompressionNone = 1;
const uint32_t kCompressionHuffman = 2;
const uint32_t kCompressionGroup3 = 3;
const uint32_t kCompressionGroup4 = 4;
const uint32_t kCompressionLzw = 5;
const uint32_t kCompressionJpeg = 7;
const uint32_t kCompressionDeflate = 8;
const uint32_t kCompressionPackBits = 32773;
const uint32_t kCompressionOldDeflate = 32946;

const uint32_t kPhotometricWhiteIsZero = 0;
const uint32_t kPhotometricBlackIsZero = 1;
const uint32_t kPhotometricRgb = 2;
const uint32_t kPhotometricPalette = 3;
const uint32_t kPhotometricSeparated = 5;
const uint32_t kPhotometricYCbCr = 6;
const uint32_t kInkSetCmyk = 1;
const uint32_t kSampleFormatFloat = 3;
const uint32_t kFillOrderReversed = 2;
const uint32_t kPlanarSeparate = 2;

const uint32_t kPredictorHorizontal = 2;
const uint32_t kT4TwoDimensional = 1;

// Also the most tiles, counted over every plane.
const uint32_t kMaxStrips = 1048576;
// Tiles may overhang the picture by part of a tile; a page whose tiles would
// decode more than this many pixels beyond four times its own is refused, so
// a picture of one pixel cannot ask for a tile of a billion. A tile of 512 x
// 512 (the largest writers use) fits over the smallest picture.
const uint64_t kMaxTileOverhang = 1u << 18;
const uint32_t kMaxColorMapValues = 262144;
// An entry count is 16 bits: no directory is refused for its size.
const uint32_t kMaxEntries = 65535;
const uint64_t kEntryBytes = 12;

// One page's parameters as the directory gives them, defaults first. Of a tag
// that stands more than once the last wins; the arrays are read once, from
// their last entry, after the scan.
struct Page {
    uint32_t width = 0, height = 0;
    uint32_t bits = 8, compression = kCompressionNone, photometric = kPhotometricBlackIsZero;
    uint32_t samples = 1, rows_per_strip = 0, planar = 1, t4_options = 0, predictor = 1;
    uint32_t fill_order = 1, orientation = 1, ink_set = kInkSetCmyk, sample_format = 1;
    uint32_t tile_width = 0, tile_length = 0;
    IfdEntry offsets = {}, byte_counts = {}, color_map = {}, tile_offsets = {}, tile_byte_counts = {};
    IfdEntry jpeg_tables_entry = {};
    bool has_offsets = false, has_byte_counts = false, has_color_map = false;
    bool has_tile_offsets = false, has_tile_byte_counts = false, has_jpeg_tables = false;
    // The JPEGTables bytes where the file holds them whole; else none.
    const uint8_t* jpeg_tables = nullptr;
    size_t jpeg_tables_size = 0;
    IfdEntry icc_profile = {};
    bool has_icc_profile = false;
};

// The strip and palette arrays of a page and its strip buffer, freed together.
struct PageBlocks {
    uint32_t* offsets = nullptr;
    uint32_t* byte_counts = nullptr;
    uint16_t* color_map = nullptr;
    uint8_t* samples = nullptr;  // one band of whole rows, as stored
    uint8_t* tile = nullptr;     // one tile or one plane's strip, when they are not whole rows
    uint8_t* wide = nullptr;     // one row of samples widened to bytes
    uint8_t* reversed = nullptr; // one block's input with its bits reversed (FillOrder 2)
};

void free_blocks(PageBlocks* blocks) {
    free(blocks->offsets);
    free(blocks->byte_counts);
    free(blocks->color_map);
    free(blocks->samples);
    free(blocks->tile);
    free(blocks->wide);
    free(blocks->reversed);
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

// The tags a page takes its first value of, and the arrays it keeps whole.
const struct { uint16_t tag; uint32_t Page::*field; } kNumberTags[] = {
    {kTagWidth, &Page::width},
    {kTagHeight, &Page::height},
    {kTagBitsPerSample, &Page::bits},
    {kTagCompression, &Page::compression},
    {kTagPhotometric, &Page::photometric},
    {kTagSamplesPerPixel, &Page::samples},
    {kTagRowsPerStrip, &Page::rows_per_strip},
    {kTagPlanar, &Page::planar},
    {kTagT4Options, &Page::t4_options},
    {kTagPredictor, &Page::predictor},
    {kTagFillOrder, &Page::fill_order},
    {kTagOrientation, &Page::orientation},
    {kTagInkSet, &Page::ink_set},
    {kTagSampleFormat, &Page::sample_format},
    {kTagTileWidth, &Page::tile_width},
    {kTagTileLength, &Page::tile_length},
};
const struct { uint16_t tag; IfdEntry Page::*entry; bool Page::*present; } kArrayTags[] = {
    {kTagStripOffsets, &Page::offsets, &Page::has_offsets},
    {kTagStripByteCounts, &Page::byte_counts, &Page::has_byte_counts},
    {kTagColorMap, &Page::color_map, &Page::has_color_map},
    {kTagTileOffsets, &Page::tile_offsets, &Page::has_tile_offsets},
    {kTagTileByteCounts, &Page::tile_byte_counts, &Page::has_tile_byte_counts},
    {kTagJpegTables, &Page::jpeg_tables_entry, &Page::has_jpeg_tables},
    {kTagIccProfile, &Page::icc_profile, &Page::has_icc_profile},
};

void read_entries(const IfdReader* reader, const Ifd* ifd, Page* page) {
    IfdEntry entry;
    for (uint32_t i = 0; ifd_entry(reader, ifd, i, &entry); ++i) {
        for (const auto& t : kNumberTags)
            if (t.tag == entry.tag) page->*t.field = tiff_tag_value(reader, &entry, 0);
        for (const auto& t : kArrayTags)
            if (t.tag == entry.tag) page->*t.entry = entry, page->*t.present = true;
    }
    if (page->has_jpeg_tables && ifd_type_size(page->jpeg_tables_entry.type) == 1 &&
        !ifd_value_bytes(reader, &page->jpeg_tables_entry, &page->jpeg_tables, &page->jpeg_tables_size))
        page->jpeg_tables = nullptr, page->jpeg_tables_size = 0;
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

FaxCoding fax_coding(const Page& page) {
    if (page.compression == kCompressionGroup4) return kFaxGroup4;
    if (page.compression == kCompressionHuffman) return kFaxModifiedHuffman;
    return (page.t4_options & kT4TwoDimensional) ? kFaxGroup3TwoD : kFaxGroup3OneD;
}

// One strip or tile as stored, and the sides it decodes to.
struct Block {
    const uint8_t* input;
    size_t length;
    uint32_t width, rows;
};

// Each returns the bytes it wrote, at most output_size.
typedef size_t (*BlockDecoder)(const Page& page, const Block& block, uint8_t* output, size_t output_size);

enum CodecOutput {
    kPageSamples,   // the page's own samples at its depth, one plane or all
    kGrayBytes,     // one gray byte a pixel in the page's polarity (fax)
    kCodecSamples,  // 8-bit samples of the codec's own colours (JPEG: gray, RGB or CMYK)
};

struct Codec {
    uint32_t compression;
    BlockDecoder decode;
    CodecOutput output;
};

size_t copy_block(const Page&, const Block& b, uint8_t* output, size_t output_size) {
    size_t n = b.length < output_size ? b.length : output_size;
    if (n) memcpy(output, b.input, n);
    return n;
}

size_t packbits_block(const Page&, const Block& b, uint8_t* output, size_t output_size) {
    return tiff_unpack_packbits(b.input, b.length, output, output_size);
}

size_t lzw_block(const Page&, const Block& b, uint8_t* output, size_t output_size) {
    return tiff_decode_lzw(b.input, b.length, output, output_size);
}

size_t inflate_block(const Page&, const Block& b, uint8_t* output, size_t output_size) {
    return tiff_inflate(b.input, b.length, output, output_size);
}

size_t fax_block(const Page& page, const Block& b, uint8_t* output, size_t output_size) {
    return decode_fax_strip(b.input, b.length, (int32_t)b.width, (int32_t)b.rows, fax_coding(page),
                            (int)page.photometric, output)
               ? output_size
               : 0;
}

// The colours of a JPEG page's streams; false for a page whose samples do
// not fit its photometric interpretation.
bool jpeg_colors(const Page& page, TiffJpegColors* colors) {
    switch (page.photometric) {
    case kPhotometricWhiteIsZero:
    case kPhotometricBlackIsZero: *colors = kTiffJpegGray; break;
    case kPhotometricRgb: *colors = kTiffJpegRgb; break;
    case kPhotometricYCbCr: *colors = kTiffJpegYCbCr; break;
    case kPhotometricSeparated: *colors = kTiffJpegCmyk; break;
    default: return false;
    }
    return page.samples == (uint32_t)tiff_jpeg_components(*colors);
}

// The rows of a whole strip or tile: a page's last ones may be cut.
uint32_t block_height_of(const Page& page) {
    if (page.has_tile_offsets) return page.tile_length;
    return page.rows_per_strip == 0 || page.rows_per_strip > page.height ? page.height : page.rows_per_strip;
}

size_t jpeg_block(const Page& page, const Block& b, uint8_t* output, size_t output_size) {
    // A stream may be a whole strip or tile although the page ends inside
    // it, and may round its sides up to whole 16-pixel blocks.
    TiffJpegBlock block = {page.jpeg_tables, page.jpeg_tables_size, b.input, b.length, b.width, b.rows,
                           b.width + 15, block_height_of(page) + 15, kTiffJpegGray};
    return jpeg_colors(page, &block.colors) ? decode_tiff_jpeg_block(block, output, output_size) : 0;
}

// The compressions Lumora reads, one row each; any other is refused (old-style
// JPEG, 6, among them: its streams cannot be told apart reliably).
const Codec kCodecs[] = {
    {kCompressionNone, copy_block, kPageSamples},
    {kCompressionHuffman, fax_block, kGrayBytes},
    {kCompressionGroup3, fax_block, kGrayBytes},
    {kCompressionGroup4, fax_block, kGrayBytes},
    {kCompressionLzw, lzw_block, kPageSamples},
    {kCompressionJpeg, jpeg_block, kCodecSamples},
    {kCompressionDeflate, inflate_block, kPageSamples},
    {kCompressionPackBits, packbits_block, kPageSamples},
    {kCompressionOldDeflate, inflate_block, kPageSamples},
};

const Codec* codec_for(uint32_t compression) {
    for (const Codec& codec : kCodecs)
        if (codec.compression == compression) return &codec;
    return nullptr;
}

bool depth_supported(uint32_t bits) { return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16; }

// Where a page's strips or tiles lie: blocks of block_width x block_height
// pixels, `across` of them side by side and `down` rows of them, once for
// every plane (all blocks of the first plane come first in the arrays).
struct Layout {
    bool tiled;
    uint32_t block_width, block_height;
    uint64_t across, down;
    uint32_t bits, samples, planes, block_samples;  // as decoded: fax gives one 8-bit sample
    const IfdEntry* offsets;
    const IfdEntry* byte_counts;
};

// For a page whose sides are known and whose codec is one of ours.
Layout layout_of(const Page& page, const Codec& codec) {
    Layout l = {};
    bool gray = codec.output == kGrayBytes;
    l.bits = gray || codec.output == kCodecSamples ? 8 : page.bits;
    l.samples = gray ? 1 : page.samples;
    l.planes = page.planar == kPlanarSeparate ? l.samples : 1;
    l.block_samples = l.samples / l.planes;
    l.tiled = page.has_tile_offsets;
    l.offsets = l.tiled ? &page.tile_offsets : &page.offsets;
    l.byte_counts = l.tiled ? &page.tile_byte_counts : &page.byte_counts;
    l.block_width = l.tiled ? page.tile_width : page.width;
    l.block_height = block_height_of(page);
    if (l.block_width && l.block_height) {
        l.across = ((uint64_t)page.width + l.block_width - 1) / l.block_width;
        l.down = ((uint64_t)page.height + l.block_height - 1) / l.block_height;
    }
    return l;
}

bool too_many(bool present, const IfdEntry& entry) { return present && entry.count > kMaxStrips; }

// What stops a page before any pixel is decoded; null when it can be decoded.
const char* refusal(const Page& page) {
    if (too_many(page.has_offsets, page.offsets) || too_many(page.has_byte_counts, page.byte_counts) ||
        too_many(page.has_tile_offsets, page.tile_offsets) ||
        too_many(page.has_tile_byte_counts, page.tile_byte_counts))
        return kMsgTiffTooManyStrips;
    if (page.has_color_map && page.color_map.count > kMaxColorMapValues) return kMsgTiffPaletteTooLarge;
    if (page.planar != 1 && page.planar != kPlanarSeparate) return kMsgTiffPlanar;
    if (page.width == 0 || page.height == 0) return kMsgTiffNoSize;
    if (page.width > (uint32_t)kMaxImageSide || page.height > (uint32_t)kMaxImageSide) return kMsgTiffTooLarge;
    if (page.samples < 1 || page.samples > 4) return kMsgTiffSamples;
    const Codec* codec = codec_for(page.compression);
    if (!codec || codec->output != kGrayBytes) {  // fax pages are bilevel whatever they say
        if (!depth_supported(page.bits) || page.sample_format == kSampleFormatFloat) return kMsgTiffBits;
        if (!codec) return kMsgTiffCompression;
    }
    TiffJpegColors colors;
    if (codec->output == kCodecSamples) {
        if (page.bits != 8) return kMsgTiffBits;
        if (page.planar != 1) return kMsgTiffPlanar;
        if (!jpeg_colors(page, &colors)) return kMsgTiffSamples;
    }
    Layout l = layout_of(page, *codec);
    if (l.tiled ? !page.has_tile_byte_counts || l.across == 0 : !page.has_offsets || !page.has_byte_counts)
        return kMsgTiffNoStrips;
    if (l.tiled) {
        if (l.across * l.down * l.planes > kMaxStrips) return kMsgTiffTooManyStrips;
        uint64_t covered_width = l.across * l.block_width, covered_height = l.down * l.block_height;
        if (covered_width > page.width + kMaxTileOverhang || covered_height > page.height + kMaxTileOverhang ||
            covered_width * covered_height > 4 * (uint64_t)page.width * page.height + kMaxTileOverhang)
            return kMsgTiffTooLarge;
    }
    return nullptr;
}

// How the samples of a page become a picture.
struct Conversion {
    uint32_t photometric, samples, colors;  // colors: whole ColorMap entries
    const uint16_t* map;
    uint32_t bits;
    bool little;
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

void palette_pixel(const Conversion& c, uint32_t index, uint8_t* d) {
    uint32_t i = index < c.colors ? index : c.colors - 1;
    d[0] = (uint8_t)(c.map[2 * c.colors + i] >> 8);
    d[1] = (uint8_t)(c.map[c.colors + i] >> 8);
    d[2] = (uint8_t)(c.map[i] >> 8);
}

// Rows of 8-bit samples as picture rows from `first` on: RGB (alpha
// ignored), CMYK, palette or gray.
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
            for (int32_t x = 0; x < image->width; ++x, s += step, d += 3) palette_pixel(c, s[0], d);
        } else if (c.photometric == kPhotometricSeparated) {
            // Inks to light the way the common readers do: each colour is
            // what its ink leaves of what the black leaves.
            for (int32_t x = 0; x < image->width; ++x, s += step, d += 3) {
                uint32_t k = 255u - s[3];
                d[0] = (uint8_t)(k * (255u - s[2]) / 255u);
                d[1] = (uint8_t)(k * (255u - s[1]) / 255u);
                d[2] = (uint8_t)(k * (255u - s[0]) / 255u);
            }
        } else {
            // Gray, and RGB with fewer than three samples: only the first is there.
            uint8_t flip = c.photometric == kPhotometricWhiteIsZero ? 0xFF : 0;
            for (int32_t x = 0; x < image->width; ++x, s += step, d += 3) d[0] = d[1] = d[2] = s[0] ^ flip;
        }
    }
}

// Whole rows of samples as stored, row_bytes apart. Other depths than 8 go
// through one row widened to bytes, except 16-bit palette indexes, which
// need all their bits.
void convert_band(const Conversion& c, const uint8_t* band, size_t row_bytes, size_t rows, int32_t first,
                  Image* image, uint8_t* wide) {
    if (c.bits == 8) return convert_rows(c, band, rows, first, image);
    bool palette = c.photometric == kPhotometricPalette && c.map;
    for (size_t r = 0; r < rows; ++r, band += row_bytes) {
        int32_t y = first + (int32_t)r;
        if (palette && c.bits == 16) {
            uint8_t* d = image_row(image, y);
            for (int32_t x = 0; c.colors && x < image->width; ++x, d += 3)
                palette_pixel(c, tiff_sample_at(band, (size_t)x * c.samples, 16, c.little), d);
            continue;
        }
        tiff_widen_samples(band, wide, (size_t)image->width * c.samples, c.bits, c.little, palette);
        convert_rows(c, wide, 1, y, image);
    }
}

Image* fail(char* message, const char* text) {
    set_message(message, text);
    return nullptr;
}

Image* fail_freeing(Image* image, char* message, const char* text) {
    image_free(image);
    return fail(message, text);
}

// The input of block k, null when the page's arrays do not reach it or it
// starts past the end of the file; cut to the bytes the file has.
bool block_input(const IfdReader* reader, const Layout& l, const PageBlocks& blocks, uint64_t k, Block* block) {
    if (k >= l.offsets->count || blocks.offsets[k] >= reader->size) return false;
    uint32_t at = blocks.offsets[k];
    size_t length = k < l.byte_counts->count ? blocks.byte_counts[k] : 0;
    if (length > reader->size - at) length = reader->size - at;
    block->input = reader->data + at;
    block->length = length;
    return true;
}

// The page's pixels once its parameters passed, one band of rows at a time
// (a strip, or a row of tiles): each block of the band is decoded, its
// predictor undone and, when it is not whole rows itself (tiles, planes),
// put into the band's rows; then the band is converted while it is still
// in the cache. Rows and columns that no block reaches convert from zero
// samples, as do the ends of blocks cut short.
Image* decode_pixels(const IfdReader* reader, const Page& page, PageBlocks* blocks, char* message) {
    const Codec& codec = *codec_for(page.compression);
    Layout l = layout_of(page, codec);
    bool predictor =
        codec.output == kPageSamples && page.predictor == kPredictorHorizontal && (l.bits == 8 || l.bits == 16);
    // Bilevel and fax pages may store the bits of each byte the other way round.
    bool reverse = page.fill_order == kFillOrderReversed && (codec.output == kGrayBytes || page.bits < 8);
    bool whole_rows = !l.tiled && l.planes == 1;
    uint32_t band_rows = l.block_height < page.height ? l.block_height : page.height;
    size_t row_bytes = tiff_packed_bytes((uint64_t)page.width * l.samples, l.bits);
    size_t block_row_bytes = tiff_packed_bytes((uint64_t)l.block_width * l.block_samples, l.bits);
    size_t band_bytes = 0, block_bytes = 0;
    Image* image = nullptr;
    // The picture first: when it cannot be had, nothing else is allocated.
    if (!(image = image_create((int32_t)page.width, (int32_t)page.height)) || !row_bytes || !block_row_bytes ||
        !checked_pixel_bytes(row_bytes, band_rows, &band_bytes) ||
        !checked_pixel_bytes(block_row_bytes, band_rows, &block_bytes) ||
        !(blocks->samples = (uint8_t*)malloc(band_bytes)) ||
        (!whole_rows && !(blocks->tile = (uint8_t*)malloc(block_bytes))) ||
        (l.bits != 8 && !(blocks->wide = (uint8_t*)malloc((size_t)page.width * l.samples))) ||
        !(blocks->offsets = read_array32(reader, l.offsets)) ||
        !(blocks->byte_counts = read_array32(reader, l.byte_counts)) ||
        (page.has_color_map && !(blocks->color_map = read_array16(reader, &page.color_map))))
        return fail_freeing(image, message, kMsgNoMemory);
    uint32_t photometric = codec.output == kGrayBytes ? kPhotometricBlackIsZero : page.photometric;
    if (codec.output == kCodecSamples && photometric == kPhotometricYCbCr) photometric = kPhotometricRgb;
    if (photometric == kPhotometricSeparated && (page.ink_set != kInkSetCmyk || l.samples < 4))
        photometric = kPhotometricBlackIsZero;  // not four inks: shown as gray, like any other
    Conversion c = {photometric, l.samples, page.has_color_map ? page.color_map.count / 3 : 0,
                    blocks->color_map, l.bits, reader->little_endian};

    size_t reversed_size = 0;
    bool stopped[4] = {};  // per plane: strips stop at the first that is not in the file
    for (uint64_t by = 0; by < l.down; ++by) {
        uint32_t y = (uint32_t)by * l.block_height;
        size_t rows = page.height - y < band_rows ? page.height - y : band_rows;
        size_t output_size = rows * block_row_bytes;
        const uint8_t* band = blocks->samples;
        if (!whole_rows) memset(blocks->samples, 0, rows * row_bytes);
        for (uint32_t plane = 0; plane < l.planes; ++plane) {
            for (uint64_t bx = 0; bx < l.across; ++bx) {
                uint8_t* output = whole_rows ? blocks->samples : blocks->tile;
                const uint8_t* decoded = output;
                size_t written = 0;
                Block block = {nullptr, 0, l.block_width, (uint32_t)rows};
                bool present = block_input(reader, l, *blocks, (plane * l.down + by) * l.across + bx, &block);
                if (!l.tiled) present = !(stopped[plane] = stopped[plane] || !present);
                if (present && reverse && block.length) {
                    if (block.length > reversed_size) {
                        free(blocks->reversed);
                        if (!(blocks->reversed = (uint8_t*)malloc(block.length)))
                            return fail_freeing(image, message, kMsgNoMemory);
                        reversed_size = block.length;
                    }
                    tiff_reverse_bits(block.input, blocks->reversed, block.length);
                    block.input = blocks->reversed;
                }
                if (present && codec.compression == kCompressionNone && whole_rows && !predictor &&
                    block.length >= output_size) {
                    decoded = block.input;  // no copy needed
                    written = output_size;
                } else if (present) {
                    written = codec.decode(page, block, output, output_size);
                }
                if (decoded == output) {
                    if (written < output_size) memset(output + written, 0, output_size - written);
                    if (predictor && l.bits == 8) tiff_undo_predictor(output, block_row_bytes, rows, l.block_samples);
                    if (predictor && l.bits == 16)
                        tiff_undo_predictor16(output, block_row_bytes, rows, l.block_samples, reader->little_endian);
                }
                if (whole_rows) {
                    band = decoded;
                    continue;
                }
                uint64_t x = bx * l.block_width;
                size_t columns = page.width - x < l.block_width ? (size_t)(page.width - x) : l.block_width;
                for (size_t r = 0; r < rows; ++r)
                    tiff_place_samples(decoded + r * block_row_bytes, l.block_samples,
                                       blocks->samples + r * row_bytes, l.samples, (size_t)x, plane, columns, l.bits);
            }
        }
        convert_band(c, band, row_bytes, rows, (int32_t)y, image, blocks->wide);
    }
    return image;
}

// A page in the colours of its embedded ICC profile, converted to sRGB
// (core/color_profile.h).
void convert_by_profile(const IfdReader* reader, const Page& page, Image* image) {
    const uint8_t* bytes = nullptr;
    size_t length = 0;
    if (image && page.has_icc_profile && color_profiles_enabled() &&
        ifd_value_bytes(reader, &page.icc_profile, &bytes, &length))
        color_profile_convert(image, bytes, length);
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
    convert_by_profile(reader, page, image);
    // Stored turned or mirrored: shown upright, as photos with the same tag are.
    if (image && page.orientation >= 2 && page.orientation <= 8) {
        Image* upright = image_upright(image, (int)page.orientation);
        image_free(image);
        if (!upright) return fail(message, kMsgNoMemory);
        image = upright;
    }
    return image;
}

// Sides from the entries of a first directory (whole 12-byte entries only),
// as the page is shown.
bool sides_from_entries(const uint8_t* entries, size_t length, bool little, int* width, int* height) {
    IfdReader reader = {};
    reader.data = entries;
    reader.size = length;
    reader.little_endian = little;
    uint32_t w = 0, h = 0, orientation = 1;
    for (size_t at = 0; length - at >= kEntryBytes; at += kEntryBytes) {
        uint16_t tag = ifd_u16(&reader, at), type = ifd_u16(&reader, at + 2);
        uint32_t value = type == 3 ? ifd_u16(&reader, at + 8) : ifd_u32(&reader, at + 8);
        if (tag == kTagWidth) w = value;
        if (tag == kTagHeight) h = value;
        if (tag == kTagOrientation) orientation = value;
    }
    // Pages stored on their side are shown turned upright.
    if (orientation >= 5 && orientation <= 8) std::swap(w, h);
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
