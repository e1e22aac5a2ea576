#include "core/wmf.h"

#include <stdlib.h>

namespace {

const uint32_t kPlaceableKey = 0x9AC6CDD7;
const int kDefaultUnitsPerInch = 1440;
const size_t kRecordHeaderBytes = 6;  // size in words (4 bytes), function (2)
const uint16_t kEndRecord = 0x0000;

// The records whose contents GDI takes on trust.
enum : uint16_t {
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kPolyPolygon = 0x0538,
    kTextOut = 0x0521,
    kExtTextOut = 0x0A32,
    kCreateRegion = 0x06FF,
    kBitBlt = 0x0922,
    kStretchBlt = 0x0B23,
    kCreatePatternBrush = 0x01F9,
    kDibBitBlt = 0x0940,
    kDibStretchBlt = 0x0B41,
    kStretchDib = 0x0F43,
    kSetDibToDev = 0x0D33,
    kDibCreatePatternBrush = 0x0142,
    kCreatePalette = 0x00F7,
    kSetPalEntries = 0x0037,
    kAnimatePalette = 0x0436,
    kCreateFontIndirect = 0x02FB,
    kSelectObject = 0x012D,
    kDeleteObject = 0x01F0,
    kSelectPalette = 0x0234,
    kSelectClipRegion = 0x012C,
    kInvertRegion = 0x012A,
    kPaintRegion = 0x012B,
    kFillRegion = 0x0228,
    kFrameRegion = 0x0429,
};

const uint16_t kExtTextOpaque = 0x0002, kExtTextClipped = 0x0004;
const uint16_t kDibPalColors = 1;
const uint16_t kBrushPattern = 3;  // a pattern brush takes its colours as RGB whatever it says
const uint32_t kBiRgb = 0, kBiBitfields = 3;
const size_t kCoreHeaderBytes = 12, kInfoHeaderBytes = 40;
const size_t kBitmap16Bytes = 10;           // type, width, height, bytes per row, planes, bits per pixel
const size_t kPatternBrushReserved = 18;    // between the bitmap's header and its bits
const size_t kFaceNameBytes = 32;
const uint64_t kAllRows = UINT64_MAX;
const size_t kLogFontFixedBytes = 18;

uint16_t u16(const uint8_t* p) { return (uint16_t)(p[0] | p[1] << 8); }
int16_t s16(const uint8_t* p) { return (int16_t)u16(p); }
uint32_t u32(const uint8_t* p) { return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24; }

// The parameters of one record: the words after its 6-byte head.
struct Params {
    const uint8_t* data;
    uint64_t words;
    bool has(uint64_t n) const { return n <= words; }
    uint16_t at(uint64_t i) const { return u16(data + 2 * i); }  // callers test has(i + 1) first
};

// rows of row_bytes each within `left` bytes, without a product that overflows.
bool rows_fit(uint64_t row_bytes, uint64_t rows, uint64_t left) {
    return row_bytes == 0 || rows <= left / row_bytes;
}

// A packed bitmap (header, colours, bits) from word `first` on, of which GDI
// reads at most `rows_cap` rows (a band of scan lines).
bool dib_fits(const Params& p, uint64_t first, uint16_t usage, uint64_t rows_cap) {
    if (!p.has(first + 2)) return false;
    const uint8_t* dib = p.data + 2 * first;
    uint64_t left = 2 * (p.words - first);
    uint32_t header = u32(dib);
    uint64_t width, height, bits, colors = 0, masks = 0, packed = 0;
    uint32_t compression = kBiRgb;
    if (header == kCoreHeaderBytes) {
        if (left < kCoreHeaderBytes) return false;
        width = u16(dib + 4);
        height = u16(dib + 6);
        bits = u16(dib + 10);
        if (bits <= 8) colors = (uint64_t)1 << bits;
    } else {
        if (header < kInfoHeaderBytes || header > left) return false;
        int32_t w = (int32_t)u32(dib + 4), h = (int32_t)u32(dib + 8);
        width = (uint64_t)(w < 0 ? -(int64_t)w : w);
        height = (uint64_t)(h < 0 ? -(int64_t)h : h);
        bits = u16(dib + 14);
        compression = u32(dib + 16);
        packed = u32(dib + 20);
        colors = u32(dib + 32);
        if (colors == 0 && bits <= 8) colors = (uint64_t)1 << bits;
        if (compression == kBiBitfields && header == kInfoHeaderBytes) masks = 3;
    }
    uint64_t entry = header == kCoreHeaderBytes ? 3 : 4;
    if (usage == kDibPalColors) entry = 2;
    uint64_t before_bits = header + masks * 4 + colors * entry;
    if (before_bits > left) return false;
    left -= before_bits;
    if (compression != kBiRgb && compression != kBiBitfields) return packed <= left;
    if (rows_cap < height) height = rows_cap;
    uint64_t row = (width * bits + 31) / 32 * 4;  // below 2^48: no overflow
    return rows_fit(row, height, left);
}

// An old device-dependent bitmap from word `first` on, its bits `gap` bytes
// behind its header.
bool bitmap16_fits(const Params& p, uint64_t first, uint64_t gap) {
    if (!p.has(first + kBitmap16Bytes / 2)) return false;
    const uint8_t* bm = p.data + 2 * first;
    uint64_t width = u16(bm + 2), height = u16(bm + 4), row = u16(bm + 6);
    uint64_t planes = bm[8], bits = bm[9];
    uint64_t computed = (width * bits + 15) / 16 * 2;
    if (computed > row) row = computed;
    uint64_t left = 2 * (p.words - first);
    if (kBitmap16Bytes + gap > left) return false;
    return rows_fit(row * planes, height, left - kBitmap16Bytes - gap);
}

bool objects_fit(const Params& p, int count, uint32_t objects) {
    if (!p.has((uint64_t)count)) return false;
    for (int i = 0; i < count; ++i)
        if (p.at(i) >= objects) return false;
    return true;
}

bool region_fits(const Params& p) {
    const uint64_t kRegionHead = 11;  // next in chain, type, count (2), size, scans, max scan, box (4)
    if (!p.has(kRegionHead)) return false;
    uint64_t at = kRegionHead;
    for (uint32_t scan = 0, scans = p.at(5); scan < scans; ++scan) {
        // count, top, bottom, count coordinates, count again
        if (!p.has(at + 1)) return false;
        at += (uint64_t)p.at(at) + 4;
        if (!p.has(at)) return false;
    }
    return true;
}

bool poly_polygon_fits(const Params& p) {
    if (!p.has(1)) return false;
    uint64_t polygons = p.at(0);
    if (!p.has(1 + polygons)) return false;
    uint64_t points = 0;
    for (uint64_t i = 0; i < polygons; ++i) points += p.at(1 + i);
    return p.has(1 + polygons + 2 * points);
}

bool ext_text_fits(const Params& p) {
    if (!p.has(4)) return false;
    uint64_t count = p.at(2);
    uint64_t words = 4 + ((p.at(3) & (kExtTextOpaque | kExtTextClipped)) ? 4 : 0) + (count + 1) / 2;
    // Room beyond the text is taken for the spacing of every character.
    return p.has(words) && (p.words == words || p.has(words + count));
}

bool font_fits(const Params& p) {
    if (!p.has(kLogFontFixedBytes / 2)) return false;
    uint64_t left = 2 * p.words - kLogFontFixedBytes;
    if (left >= kFaceNameBytes) return true;
    for (uint64_t i = 0; i < left; ++i)
        if (p.data[kLogFontFixedBytes + i] == 0) return true;
    return false;
}

int side(int units, int units_per_inch) {
    int64_t pixels = ((int64_t)units * kWmfDpi * 2 + units_per_inch) / (2 * (int64_t)units_per_inch);
    return pixels < 1 ? 1 : pixels > kMaxWmfSide ? kMaxWmfSide : (int)pixels;
}

}  // namespace

WmfFrame wmf_frame(const uint8_t* data, size_t size) {
    if (size < kWmfPlaceableBytes || u32(data) != kPlaceableKey)
        return WmfFrame{kWmfDefaultWidth, kWmfDefaultHeight, 0, 0, kWmfDefaultWidth, kWmfDefaultHeight, 0, size};
    int left = s16(data + 6), top = s16(data + 8), right = s16(data + 10), bottom = s16(data + 12);
    int inch = u16(data + 14) ? u16(data + 14) : kDefaultUnitsPerInch;
    int dx = right - left, dy = bottom - top;
    WmfFrame frame;
    // A box drawn from bottom to top still has its size; its signed extent
    // makes GDI turn the drawing the right way up.
    frame.width = side(abs(dx), inch);
    frame.height = side(abs(dy), inch);
    frame.origin_x = left;
    frame.origin_y = top;
    frame.extent_x = dx ? dx : frame.width;
    frame.extent_y = dy ? dy : frame.height;
    frame.metafile_at = kWmfPlaceableBytes;
    frame.metafile_bytes = size - kWmfPlaceableBytes;
    return frame;
}

WmfWalk wmf_walk(const uint8_t* metafile, size_t size) {
    // GDI walks from the header size the header gives; only the standard one is followed.
    if (size < kWmfHeaderBytes || u16(metafile + 2) != kWmfHeaderBytes / 2) return WmfWalk{metafile, size, size, 0};
    return WmfWalk{metafile, size, kWmfHeaderBytes, u16(metafile + 10)};
}

bool wmf_record_fits(const uint8_t* record, size_t bytes, uint32_t objects) {
    if (bytes < kRecordHeaderBytes) return false;
    Params p = {record + kRecordHeaderBytes, (bytes - kRecordHeaderBytes) / 2};
    switch (u16(record + 4)) {
    case kPolygon:
    case kPolyline:
        return p.has(1) && p.has(1 + 2 * (uint64_t)p.at(0));
    case kPolyPolygon:
        return poly_polygon_fits(p);
    case kTextOut:  // count, the text padded to words, y, x
        return p.has(1) && p.has(1 + ((uint64_t)p.at(0) + 1) / 2 + 2);
    case kExtTextOut:
        return ext_text_fits(p);
    case kCreateRegion:
        return region_fits(p);
    // Bit-block records carry a bitmap only when longer than their plain form.
    case kDibBitBlt:
        return p.words <= 9 || dib_fits(p, 8, 0, kAllRows);
    case kDibStretchBlt:
        return p.words <= 11 || dib_fits(p, 10, 0, kAllRows);
    case kStretchDib:
        return p.has(3) && dib_fits(p, 11, p.at(2), kAllRows);
    case kSetDibToDev:
        return p.has(2) && dib_fits(p, 9, p.at(0), p.at(1));
    case kDibCreatePatternBrush:
        return p.has(2) && dib_fits(p, 2, p.at(0) == kBrushPattern ? 0 : p.at(1), kAllRows);
    case kBitBlt:
        return p.words <= 9 || bitmap16_fits(p, 8, 0);
    case kStretchBlt:
        return p.words <= 11 || bitmap16_fits(p, 10, 0);
    case kCreatePatternBrush:
        return bitmap16_fits(p, 0, kPatternBrushReserved);
    case kCreatePalette:
    case kSetPalEntries:
    case kAnimatePalette:  // first, count, four bytes a colour
        return p.has(2) && p.has(2 + 2 * (uint64_t)p.at(1));
    case kCreateFontIndirect:
        return font_fits(p);
    case kSelectObject:
    case kDeleteObject:
    case kSelectPalette:
    case kSelectClipRegion:
    case kInvertRegion:
    case kPaintRegion:
        return objects_fit(p, 1, objects);
    case kFillRegion:
    case kFrameRegion:
        return objects_fit(p, 2, objects);
    default:
        return true;
    }
}

WmfVerdict wmf_next_record(WmfWalk* walk, WmfRecord* record) {
    size_t left = walk->at < walk->size ? walk->size - walk->at : 0;
    const uint8_t* head = walk->data + walk->at;
    uint64_t bytes = left >= kRecordHeaderBytes ? 2 * (uint64_t)u32(head) : 0;
    if (bytes < 2 * 3 || bytes > left || u16(head + 4) == kEndRecord) {
        walk->at = walk->size;  // nothing after a stop plays
        return kWmfStop;
    }
    *record = WmfRecord{walk->at, (size_t)bytes, u16(head + 4)};
    walk->at += (size_t)bytes;
    if (record->function == kWmfEscape) return kWmfSkip;
    return wmf_record_fits(head, (size_t)bytes, walk->objects) ? kWmfPlay : kWmfSkip;
}

bool wmf_has_next_record(const WmfWalk* walk) {
    WmfWalk ahead = *walk;
    WmfRecord record;
    return wmf_next_record(&ahead, &record) != kWmfStop;
}
