// Image file directories, the tag tables of TIFF files and of the EXIF block
// of JPEG files (TIFF 6.0, section 2): a 16-bit entry count, 12-byte entries
// (tag, field type, value count, value or offset), then the offset of the
// next directory. Offsets count from the start of the TIFF structure. Every
// read goes through the byte reader and yields 0 past the end; the chain of
// directories ends at the first offset seen before, so a file that points
// back at itself cannot loop.
#pragma once
#include <stddef.h>
#include <stdint.h>

// The most directories one structure may chain (TIFF pages, EXIF sub-IFDs).
const int kMaxIfdChain = 1024;

struct IfdReader {
    const uint8_t* data;  // the TIFF structure, from its byte-order mark on
    size_t size;
    bool little_endian;
    uint32_t max_entries;  // directories with more entries are refused
    uint32_t visited[kMaxIfdChain];
    int visited_count;
};

struct Ifd {
    uint32_t offset;
    uint32_t count;  // entries
};

struct IfdEntry {
    uint16_t tag;
    uint16_t type;
    uint32_t count;
    uint32_t value;        // the 4-byte field as one number
    uint16_t value_short;  // its first two bytes as one number (types 3 and 8)
    uint32_t field;        // where the field itself lies
};

// Starts reading a structure: "II" means little-endian, anything else
// big-endian (EXIF writers are trusted that far; a TIFF reader checks the
// mark and the number 42 itself). Returns the first directory's offset, 0
// when the data is too short for the 8-byte header.
uint32_t ifd_begin(IfdReader* reader, const uint8_t* data, size_t size, uint32_t max_entries);

uint16_t ifd_u16(const IfdReader* reader, uint64_t offset);
uint32_t ifd_u32(const IfdReader* reader, uint64_t offset);

// The directory at offset: false when the offset is 0, leaves no room for the
// entry count, was read before, the chain is full, or the count passes
// max_entries. Entries that do not fit in the data are refused one by one.
bool ifd_open(IfdReader* reader, uint32_t offset, Ifd* ifd);
// Entry i; false when it does not lie wholly in the data.
bool ifd_entry(const IfdReader* reader, const Ifd* ifd, uint32_t i, IfdEntry* entry);
// The offset after the last entry: the next directory, or 0 when there is
// none or it does not lie in the data.
uint32_t ifd_next(const IfdReader* reader, const Ifd* ifd);

// Bytes per value of a field type; unknown types count as 1 (TIFF 6.0, section 2).
uint32_t ifd_type_size(uint16_t type);
// The entry's values as bytes: in the field itself when they take 4 bytes or
// fewer, else at the offset the field holds. False when they do not lie
// wholly in the data.
bool ifd_value_bytes(const IfdReader* reader, const IfdEntry* entry, const uint8_t** bytes, size_t* length);
