#include "core/exif.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/byte_reader.h"
#include "core/ifd.h"

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

// Segment header (FF, marker, 16-bit length) and the APP1 identifier.
const size_t kSegmentHead = 4;
const uint8_t kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
// The EXIF segment comes right after the start of the image, or after a JFIF
// header; a bound on the walk keeps a crafted file of tiny segments from
// costing a read every four bytes.
const int kMaxSegmentsBeforeExif = 1000;

struct Text {
    char* buffer;
    size_t size;
};

struct ExifOut {
    int* orientation;
    Text date, make, model;
};

// Where the JPEG bytes come from: a file read piece by piece, or a block in memory.
struct Source {
    FILE* file;
    const uint8_t* data;
    size_t size;
};

// Up to n bytes at offset; the count that arrived.
size_t source_read(const Source& source, uint64_t offset, uint8_t* out, size_t n) {
    if (source.file) {
        if (offset > (uint64_t)LONG_MAX || fseek(source.file, (long)offset, SEEK_SET) != 0) return 0;
        return fread(out, 1, n, source.file);
    }
    ByteReader r = reader_make(source.data, source.size);
    if (offset > source.size || !reader_seek(&r, (size_t)offset)) return 0;
    return reader_read_some(&r, out, n);
}

// Finds the APP1 "Exif" segment: where its TIFF structure starts and how long
// the segment says it is. The walk ends at the scan data, at a byte that is
// not a marker, at a length below 2 or at the end of the file.
bool find_exif(const Source& source, uint64_t* tiff_at, size_t* tiff_size) {
    uint8_t head[kSegmentHead + sizeof kExifId];
    if (source_read(source, 0, head, 2) != 2 || head[0] != 0xFF || head[1] != 0xD8) return false;
    uint64_t offset = 2;
    for (int segment = 0; segment < kMaxSegmentsBeforeExif; ++segment) {
        size_t got = source_read(source, offset, head, sizeof head);
        if (got < kSegmentHead) return false;
        ByteReader r = reader_make(head, got);
        uint8_t lead = reader_u8(&r), marker = reader_u8(&r);
        size_t length = reader_u16be(&r);
        if (lead != 0xFF || length < 2 || marker == 0xDA) return false;
        const uint8_t* id = reader_take(&r, sizeof kExifId);
        if (marker == 0xE1 && length >= 2 + sizeof kExifId && id && memcmp(id, kExifId, sizeof kExifId) == 0) {
            *tiff_at = offset + sizeof head;
            *tiff_size = length - 2 - sizeof kExifId;
            return true;
        }
        offset += length + 2;
    }
    return false;
}

void set_text(Text text, const char* value) {
    if (text.buffer && text.size > 0) {
        strncpy(text.buffer, value, text.size - 1);
        text.buffer[text.size - 1] = 0;
    }
}

// An ASCII value of 1..200 characters that lies wholly in the block, copied
// up to its first zero byte and without trailing spaces.
void read_text(const IfdReader* reader, const IfdEntry* entry, Text text) {
    if (!text.buffer || text.size == 0) return;
    if (entry->type != kTypeAscii || entry->count < 1 || entry->count > kMaxTextCount) return;
    const uint8_t* src = nullptr;
    size_t count = 0;
    if (!ifd_value_bytes(reader, entry, &src, &count)) return;
    size_t n = 0;
    while (n < count && n < text.size - 1 && src[n]) {
        text.buffer[n] = (char)src[n];
        ++n;
    }
    while (n > 0 && text.buffer[n - 1] == ' ') --n;
    text.buffer[n] = 0;
}

// Reads one IFD's entries; returns the offset of the EXIF sub-IFD it names, or 0.
uint32_t read_ifd(const IfdReader* reader, const Ifd* ifd, ExifOut* out) {
    uint32_t sub_ifd = 0;
    IfdEntry entry;
    for (uint32_t i = 0; ifd_entry(reader, ifd, i, &entry); ++i) {
        switch (entry.tag) {
        case kTagOrientation:
            if (out->orientation && entry.value_short >= 1 && entry.value_short <= 8)
                *out->orientation = entry.value_short;
            break;
        case kTagExifIfd:
            sub_ifd = entry.value;
            break;
        case kTagMake:
            read_text(reader, &entry, out->make);
            break;
        case kTagModel:
            read_text(reader, &entry, out->model);
            break;
        case kTagDateTime:
        case kTagDateTimeOriginal:
            // The first IFD comes first, so DateTime wins over DateTimeOriginal.
            if (out->date.buffer && out->date.size > 0 && out->date.buffer[0] == 0) read_text(reader, &entry, out->date);
            break;
        default:
            break;
        }
    }
    return sub_ifd;
}

void read_tiff(const uint8_t* data, size_t size, ExifOut* out) {
    IfdReader reader;
    uint32_t offset = ifd_begin(&reader, data, size, kMaxIfdEntries);
    Ifd ifd;
    for (int visited = 0; visited < kMaxIfds && ifd_open(&reader, offset, &ifd); ++visited)
        offset = read_ifd(&reader, &ifd, out);
}

ExifOut start(int* orientation, char* date, size_t date_size, char* make, size_t make_size, char* model,
              size_t model_size) {
    ExifOut out = {orientation, {date, date_size}, {make, make_size}, {model, model_size}};
    if (orientation) *orientation = 1;
    set_text(out.date, "");
    set_text(out.make, "");
    set_text(out.model, "");
    return out;
}

}  // namespace

void read_exif_data(const uint8_t* data, size_t size, int* orientation, char* date, size_t date_size, char* make,
                    size_t make_size, char* model, size_t model_size) {
    ExifOut out = start(orientation, date, date_size, make, make_size, model, model_size);
    Source source = {nullptr, data, size};
    uint64_t at = 0;
    size_t tiff_size = 0;
    if (!find_exif(source, &at, &tiff_size) || at > size) return;
    // A segment cut short by the end of the file gives what there is.
    if (tiff_size > size - at) tiff_size = size - (size_t)at;
    read_tiff(data + at, tiff_size, &out);
}

void read_exif(const char* path, int* orientation, char* date, size_t date_size, char* make, size_t make_size,
               char* model, size_t model_size) {
    ExifOut out = start(orientation, date, date_size, make, make_size, model, model_size);
    FILE* f = fopen(path, "rb");
    if (!f) return;
    Source source = {f, nullptr, 0};
    uint64_t at = 0;
    size_t tiff_size = 0;
    uint8_t* tiff = nullptr;
    if (find_exif(source, &at, &tiff_size) && (tiff = (uint8_t*)malloc(tiff_size ? tiff_size : 1)) != nullptr) {
        size_t got = source_read(source, at, tiff, tiff_size);
        read_tiff(tiff, got, &out);
    }
    free(tiff);
    fclose(f);
}
