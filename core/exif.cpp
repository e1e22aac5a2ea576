#include "core/exif.h"

#include <string.h>

#include "core/byte_reader.h"
#include "core/file_bytes.h"

namespace {

const uint16_t kTagMake = 271;
const uint16_t kTagModel = 272;
const uint16_t kTagOrientation = 274;
const uint16_t kTagDateTime = 306;
const uint16_t kTagExifIfd = 34665;
const uint16_t kTagDateTimeOriginal = 36867;

const uint16_t kTypeAscii = 2;
const uint32_t kMaxTextCount = 200;
const uint32_t kMaxIfdEntries = 500;
// The first IFD and the EXIF sub-IFD it may name; thumbnail and GPS IFDs are of no use here.
const int kMaxIfds = 2;

struct Text {
    char* buffer;
    size_t size;
};

struct ExifOut {
    int* orientation;
    Text date, make, model;
};

// The TIFF structure inside the APP1 segment: offsets count from `base`.
struct Tiff {
    const uint8_t* data;
    size_t size;
    size_t base;
    bool little_endian;
};

// Offsets and values come from the file: every read is bounds-checked and
// yields 0 past the end.
uint16_t tiff_u16(const Tiff& t, uint64_t pos) {
    if (pos > t.size) return 0;
    ByteReader r = reader_make(t.data, t.size);
    reader_seek(&r, (size_t)pos);
    return t.little_endian ? reader_u16le(&r) : reader_u16be(&r);
}

uint32_t tiff_u32(const Tiff& t, uint64_t pos) {
    if (pos > t.size) return 0;
    ByteReader r = reader_make(t.data, t.size);
    reader_seek(&r, (size_t)pos);
    return t.little_endian ? reader_u32le(&r) : reader_u32be(&r);
}

void set_text(Text text, const char* value) {
    if (text.buffer && text.size > 0) {
        strncpy(text.buffer, value, text.size - 1);
        text.buffer[text.size - 1] = 0;
    }
}

// An ASCII value of 1..200 characters that lies wholly in the file, copied up
// to its first zero byte and without trailing spaces.
void read_text(const Tiff& t, uint64_t entry, Text text) {
    if (!text.buffer || text.size == 0) return;
    uint16_t type = tiff_u16(t, entry + 2);
    uint32_t count = tiff_u32(t, entry + 4);
    if (type != kTypeAscii || count < 1 || count > kMaxTextCount) return;
    // Up to four characters sit in the entry's value field, longer texts elsewhere.
    uint64_t start = count > 4 ? t.base + (uint64_t)tiff_u32(t, entry + 8) : entry + 8;
    if (start > t.size || count > t.size - start) return;
    ByteReader r = reader_make(t.data, t.size);
    reader_seek(&r, (size_t)start);
    const char* src = (const char*)reader_take(&r, count);
    if (!src) return;
    size_t n = 0;
    while (n < count && n < text.size - 1 && src[n]) {
        text.buffer[n] = src[n];
        ++n;
    }
    while (n > 0 && text.buffer[n - 1] == ' ') --n;
    text.buffer[n] = 0;
}

// Reads one IFD's entries; returns the position of the EXIF sub-IFD it names, or 0.
uint64_t read_ifd(const Tiff& t, uint64_t p, ExifOut* out) {
    uint16_t entries = tiff_u16(t, p);
    if (entries > kMaxIfdEntries) return 0;
    uint64_t sub_ifd = 0;
    for (uint32_t j = 0; j < entries; ++j) {
        uint64_t entry = p + 2 + 12 * (uint64_t)j;
        if (entry + 12 > t.size) break;
        switch (tiff_u16(t, entry)) {
        case kTagOrientation:
            if (out->orientation) {
                uint16_t value = tiff_u16(t, entry + 8);
                if (value >= 1 && value <= 8) *out->orientation = value;
            }
            break;
        case kTagExifIfd:
            sub_ifd = t.base + (uint64_t)tiff_u32(t, entry + 8);
            break;
        case kTagMake:
            read_text(t, entry, out->make);
            break;
        case kTagModel:
            read_text(t, entry, out->model);
            break;
        case kTagDateTime:
        case kTagDateTimeOriginal:
            // The first IFD comes first, so DateTime wins over DateTimeOriginal.
            if (out->date.buffer && out->date.size > 0 && out->date.buffer[0] == 0) read_text(t, entry, out->date);
            break;
        default:
            break;
        }
    }
    return sub_ifd;
}

// Where the TIFF header of the APP1 "Exif" segment starts, or 0 when there is none.
size_t find_exif(const uint8_t* data, size_t size) {
    static const uint8_t kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
    ByteReader r = reader_make(data, size);
    size_t offset = 2;
    while (offset + 4 < size) {
        reader_seek(&r, offset);
        uint8_t lead = reader_u8(&r);
        uint8_t marker = reader_u8(&r);
        size_t length = reader_u16be(&r);
        if (lead != 0xFF || length < 2 || marker == 0xDA) return 0;  // lost, no length, or the scan data begins
        if (marker == 0xE1 && offset + 10 < size) {
            const uint8_t* id = reader_take(&r, sizeof kExifId);
            if (id && memcmp(id, kExifId, sizeof kExifId) == 0) return offset + 10;
        }
        offset += length + 2;
    }
    return 0;
}

}  // namespace

void read_exif_data(const uint8_t* data, size_t size, int* orientation, char* date, size_t date_size, char* make,
                    size_t make_size, char* model, size_t model_size) {
    ExifOut out = {orientation, {date, date_size}, {make, make_size}, {model, model_size}};
    if (orientation) *orientation = 1;
    set_text(out.date, "");
    set_text(out.make, "");
    set_text(out.model, "");
    if (size < 12 || size > kMaxExifFileBytes) return;
    ByteReader r = reader_make(data, size);
    if (reader_u16be(&r) != 0xFFD8) return;

    size_t base = find_exif(data, size);
    if (base == 0 || base + 8 > size) return;
    reader_seek(&r, base);
    Tiff t = {data, size, base, reader_u8(&r) == 'I'};
    uint64_t ifd = base + (uint64_t)tiff_u32(t, base + 4);
    for (int visited = 0; visited < kMaxIfds && ifd > 0 && ifd <= size - 2; ++visited) {
        ifd = read_ifd(t, ifd, &out);
    }
}

void read_exif(const char* path, int* orientation, char* date, size_t date_size, char* make, size_t make_size,
               char* model, size_t model_size) {
    FileBytes file;
    if (file_bytes_read(path, kMaxExifFileBytes, &file) != kFileReadOk) {
        // Nothing to read: the outputs still get their defaults.
        read_exif_data(nullptr, 0, orientation, date, date_size, make, make_size, model, model_size);
        return;
    }
    read_exif_data(file.data, file.size, orientation, date, date_size, make, make_size, model, model_size);
    file_bytes_free(&file);
}

ExifUpright exif_upright_steps(int orientation) {
    // Indexed by orientation: where the stored picture's first row and first
    // column belong. 5 and 7 are transposed and need a turn and a mirror.
    static const ExifUpright kSteps[9] = {
        {kExifStepNone, kExifStepNone},        // 0: not a value
        {kExifStepNone, kExifStepNone},        // 1: upright
        {kExifStepMirror, kExifStepNone},      // 2
        {kExifStepRotate180, kExifStepNone},   // 3
        {kExifStepFlip, kExifStepNone},        // 4
        {kExifStepRotateCw, kExifStepMirror},  // 5
        {kExifStepRotateCw, kExifStepNone},    // 6
        {kExifStepRotateCcw, kExifStepMirror}, // 7
        {kExifStepRotateCcw, kExifStepNone},   // 8
    };
    if (orientation < 1 || orientation > 8) return kSteps[0];
    return kSteps[orientation];
}
