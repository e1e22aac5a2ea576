// Files built byte by byte, for the cases no encoder writes on purpose: numbers
// in either byte order, and TIFF structures (the EXIF block of a JPEG, a TIFF
// file) from a list of directories.
#pragma once
#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

typedef std::vector<uint8_t> Bytes;

inline void put16(std::vector<uint8_t>& b, uint32_t v, bool little = true) {
    b.push_back((uint8_t)(little ? v : v >> 8));
    b.push_back((uint8_t)(little ? v >> 8 : v));
}
inline void put32(std::vector<uint8_t>& b, uint32_t v, bool little = true) {
    for (int i = 0; i < 4; ++i) b.push_back((uint8_t)(v >> (little ? 8 * i : 24 - 8 * i)));
}

struct IfdField {
    uint16_t tag, type;
    uint32_t count;
    uint32_t value;              // a number in the field (types 3 and 4), when `data` is empty
    std::vector<uint8_t> data;   // the values' bytes: in the field when 4 or fewer, else after the directory
    int points_to = -1;          // the value is the offset of directory points_to
};

inline IfdField ifd_short(uint16_t tag, uint32_t v) { return {tag, 3, 1, v, {}}; }
inline IfdField ifd_long(uint16_t tag, uint32_t v) { return {tag, 4, 1, v, {}}; }
inline IfdField ifd_ascii(uint16_t tag, const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return {tag, 2, (uint32_t)bytes.size(), 0, bytes};
}
inline IfdField ifd_pointer(uint16_t tag, int directory) { return {tag, 4, 1, 0, {}, directory}; }

// A TIFF structure: the 8-byte header, then each directory followed by its
// values that do not fit in a field. With `chain` each directory names the
// next one; without, only pointer fields lead from one to another.
inline std::vector<uint8_t> tiff_structure(const std::vector<std::vector<IfdField>>& dirs, bool little, bool chain) {
    std::vector<uint32_t> at;
    uint32_t offset = 8;
    for (const std::vector<IfdField>& dir : dirs) {
        at.push_back(offset);
        offset += 2 + 12 * (uint32_t)dir.size() + 4;
        for (const IfdField& f : dir) offset += f.data.size() > 4 ? (uint32_t)f.data.size() : 0;
    }
    std::vector<uint8_t> b = {(uint8_t)(little ? 'I' : 'M'), (uint8_t)(little ? 'I' : 'M')};
    put16(b, 42, little);
    put32(b, dirs.empty() ? 0 : 8, little);
    for (size_t d = 0; d < dirs.size(); ++d) {
        uint32_t extra = at[d] + 2 + 12 * (uint32_t)dirs[d].size() + 4;
        std::vector<uint8_t> values;
        put16(b, (uint32_t)dirs[d].size(), little);
        for (const IfdField& f : dirs[d]) {
            put16(b, f.tag, little);
            put16(b, f.type, little);
            put32(b, f.count, little);
            if (f.points_to >= 0) {
                put32(b, at[f.points_to], little);
            } else if (f.data.size() > 4) {
                put32(b, extra + (uint32_t)values.size(), little);
                values.insert(values.end(), f.data.begin(), f.data.end());
            } else if (!f.data.empty()) {
                std::vector<uint8_t> field = f.data;
                field.resize(4, 0);
                b.insert(b.end(), field.begin(), field.end());
            } else if (f.type == 3) {
                put16(b, f.value, little);  // a short fills the first two bytes of the field
                put16(b, 0, little);
            } else {
                put32(b, f.value, little);
            }
        }
        put32(b, chain && d + 1 < dirs.size() ? at[d + 1] : 0, little);
        b.insert(b.end(), values.begin(), values.end());
    }
    return b;
}
