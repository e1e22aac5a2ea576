#include "core/ifd.h"

#include "core/byte_reader.h"

namespace {

const uint32_t kEntryBytes = 12;

// A cursor at offset; past the end it is failed and reads give 0.
ByteReader reader_at(const IfdReader* reader, uint64_t offset) {
    ByteReader r = reader_make(reader->data, reader->size);
    reader_seek(&r, offset > reader->size ? reader->size + 1 : (size_t)offset);
    return r;
}

}  // namespace

uint16_t ifd_u16(const IfdReader* reader, uint64_t offset) {
    ByteReader r = reader_at(reader, offset);
    return reader->little_endian ? reader_u16le(&r) : reader_u16be(&r);
}

uint32_t ifd_u32(const IfdReader* reader, uint64_t offset) {
    ByteReader r = reader_at(reader, offset);
    return reader->little_endian ? reader_u32le(&r) : reader_u32be(&r);
}

uint32_t ifd_begin(IfdReader* reader, const uint8_t* data, size_t size, uint32_t max_entries) {
    reader->data = data;
    reader->size = size;
    reader->max_entries = max_entries;
    reader->visited_count = 0;
    ByteReader r = reader_make(data, size);
    reader->little_endian = reader_u8(&r) == 'I';
    if (size < 8) return 0;
    return ifd_u32(reader, 4);
}

bool ifd_open(IfdReader* reader, uint32_t offset, Ifd* ifd) {
    if (offset == 0 || reader->size < 2 || offset > reader->size - 2) return false;
    for (int i = 0; i < reader->visited_count; ++i)
        if (reader->visited[i] == offset) return false;
    if (reader->visited_count == kMaxIfdChain) return false;
    reader->visited[reader->visited_count++] = offset;
    ifd->offset = offset;
    ifd->count = ifd_u16(reader, offset);
    return ifd->count <= reader->max_entries;
}

bool ifd_entry(const IfdReader* reader, const Ifd* ifd, uint32_t i, IfdEntry* entry) {
    if (i >= ifd->count) return false;
    uint64_t at = (uint64_t)ifd->offset + 2 + (uint64_t)kEntryBytes * i;
    ByteReader r = reader_at(reader, at);
    const uint8_t* bytes = reader_take(&r, kEntryBytes);
    if (!bytes) return false;
    entry->tag = ifd_u16(reader, at);
    entry->type = ifd_u16(reader, at + 2);
    entry->count = ifd_u32(reader, at + 4);
    entry->value = ifd_u32(reader, at + 8);
    entry->value_short = ifd_u16(reader, at + 8);
    entry->field = (uint32_t)(at + 8);
    return true;
}

uint32_t ifd_next(const IfdReader* reader, const Ifd* ifd) {
    uint64_t at = (uint64_t)ifd->offset + 2 + (uint64_t)kEntryBytes * ifd->count;
    if (at > reader->size || reader->size - at < 4) return 0;
    return ifd_u32(reader, at);
}

uint32_t ifd_type_size(uint16_t type) {
    switch (type) {
    case 3: case 8: return 2;             // SHORT, SSHORT
    case 4: case 9: case 11: return 4;    // LONG, SLONG, FLOAT
    case 5: case 10: case 12: return 8;   // RATIONAL, SRATIONAL, DOUBLE
    default: return 1;                    // BYTE, ASCII, SBYTE, UNDEFINED and the unknown
    }
}

bool ifd_value_bytes(const IfdReader* reader, const IfdEntry* entry, const uint8_t** bytes, size_t* length) {
    uint64_t n = (uint64_t)ifd_type_size(entry->type) * entry->count;
    uint64_t at = n > 4 ? entry->value : entry->field;
    ByteReader r = reader_at(reader, at);
    if (r.failed || n > reader_left(&r)) return false;
    *bytes = reader_take(&r, (size_t)n);
    *length = (size_t)n;
    return *bytes != nullptr;
}
