#include "core/fax.h"

#include <stdlib.h>
#include <string.h>

#include "core/bit_reader.h"

namespace {

const int kMaxWidth = 30000;
const int kLookupBits = 13;    // the longest run code
const int kModeBits = 7;       // the longest mode code
const int kMaxCodeWords = 64;  // per run: make-up codes may repeat, not forever

struct FaxCode {
    const char* bits;
    int16_t run;
};

// ITU-T T.4 run-length codes.
constexpr FaxCode kWhiteCodes[] = {
    {"00110101", 0},     {"000111", 1},       {"0111", 2},         {"1000", 3},         {"1011", 4},
    {"1100", 5},         {"1110", 6},         {"1111", 7},         {"10011", 8},        {"10100", 9},
    {"00111", 10},       {"01000", 11},       {"001000", 12},      {"000011", 13},      {"110100", 14},
    {"110101", 15},      {"101010", 16},      {"101011", 17},      {"0100111", 18},     {"0001100", 19},
    {"0001000", 20},     {"0010111", 21},     {"0000011", 22},     {"0000100", 23},     {"0101000", 24},
    {"0101011", 25},     {"0010011", 26},     {"0100100", 27},     {"0011000", 28},     {"00000010", 29},
    {"00000011", 30},    {"00011010", 31},    {"00011011", 32},    {"00010010", 33},    {"00010011", 34},
    {"00010100", 35},    {"00010101", 36},    {"00010110", 37},    {"00010111", 38},    {"00101000", 39},
    {"00101001", 40},    {"00101010", 41},    {"00101011", 42},    {"00101100", 43},    {"00101101", 44},
    {"00000100", 45},    {"00000101", 46},    {"00001010", 47},    {"00001011", 48},    {"01010010", 49},
    {"01010011", 50},    {"01010100", 51},    {"01010101", 52},    {"00100100", 53},    {"00100101", 54},
    {"01011000", 55},    {"01011001", 56},    {"01011010", 57},    {"01011011", 58},    {"01001010", 59},
    {"01001011", 60},    {"00110010", 61},    {"00110011", 62},    {"00110100", 63},    {"11011", 64},
    {"10010", 128},      {"010111", 192},     {"0110111", 256},    {"00110110", 320},   {"00110111", 384},
    {"01100100", 448},   {"01100101", 512},   {"01101000", 576},   {"01100111", 640},   {"011001100", 704},
    {"011001101", 768},  {"011010010", 832},  {"011010011", 896},  {"011010100", 960},  {"011010101", 1024},
    {"011010110", 1088}, {"011010111", 1152}, {"011011000", 1216}, {"011011001", 1280}, {"011011010", 1344},
    {"011011011", 1408}, {"010011000", 1472}, {"010011001", 1536}, {"010011010", 1600}, {"011000", 1664},
    {"010011011", 1728},
};

constexpr FaxCode kBlackCodes[] = {
    {"0000110111", 0},     {"010", 1},            {"11", 2},             {"10", 3},
    {"011", 4},            {"0011", 5},           {"0010", 6},           {"00011", 7},
    {"000101", 8},         {"000100", 9},         {"0000100", 10},       {"0000101", 11},
    {"0000111", 12},       {"00000100", 13},      {"00000111", 14},      {"000011000", 15},
    {"0000010111", 16},    {"0000011000", 17},    {"0000001000", 18},    {"00001100111", 19},
    {"00001101000", 20},   {"00001101100", 21},   {"00000110111", 22},   {"00000101000", 23},
    {"00000010111", 24},   {"00000011000", 25},   {"000011001010", 26},  {"000011001011", 27},
    {"000011001100", 28},  {"000011001101", 29},  {"000001101000", 30},  {"000001101001", 31},
    {"000001101010", 32},  {"000001101011", 33},  {"000011010010", 34},  {"000011010011", 35},
    {"000011010100", 36},  {"000011010101", 37},  {"000011010110", 38},  {"000011010111", 39},
    {"000001101100", 40},  {"000001101101", 41},  {"000011011010", 42},  {"000011011011", 43},
    {"000001010100", 44},  {"000001010101", 45},  {"000001010110", 46},  {"000001010111", 47},
    {"000001100100", 48},  {"000001100101", 49},  {"000001010010", 50},  {"000001010011", 51},
    {"000000100100", 52},  {"000000110111", 53},  {"000000111000", 54},  {"000000100111", 55},
    {"000000101000", 56},  {"000001011000", 57},  {"000001011001", 58},  {"000000101011", 59},
    {"000000101100", 60},  {"000001011010", 61},  {"000001100110", 62},  {"000001100111", 63},
    {"0000001111", 64},    {"000011001000", 128}, {"000011001001", 192}, {"000001011011", 256},
    {"000000110011", 320}, {"000000110100", 384}, {"000000110101", 448}, {"0000001101100", 512},
    {"0000001101101", 576}, {"0000001001010", 640}, {"0000001001011", 704}, {"0000001001100", 768},
    {"0000001001101", 832}, {"0000001110010", 896}, {"0000001110011", 960}, {"0000001110100", 1024},
    {"0000001110101", 1088}, {"0000001110110", 1152}, {"0000001110111", 1216}, {"0000001010010", 1280},
    {"0000001010011", 1344}, {"0000001010100", 1408}, {"0000001010101", 1472}, {"0000001011010", 1536},
    {"0000001011011", 1600}, {"0000001100100", 1664}, {"0000001100101", 1728},
};

// Make-up codes beyond 1728, the same for both colours.
constexpr FaxCode kExtendedCodes[] = {
    {"00000001000", 1792},  {"00000001100", 1856},  {"00000001101", 1920},  {"000000010010", 1984},
    {"000000010011", 2048}, {"000000010100", 2112}, {"000000010101", 2176}, {"000000010110", 2240},
    {"000000010111", 2304}, {"000000011100", 2368}, {"000000011101", 2432}, {"000000011110", 2496},
    {"000000011111", 2560},
};

// One slot per value of the next 13 bits: the code those bits begin with.
struct RunSlot {
    int16_t run;
    uint8_t length;  // 0: no code begins so
};

enum ModeKind : uint8_t { kModeNone, kModeVertical, kModeHorizontal, kModePass };

struct ModeSlot {
    ModeKind kind;
    int8_t offset;  // vertical: a1 - b1
    uint8_t length;
};

// The lookup tables, built by the compiler: constants that every call and
// thread reads, with no lock and no first-call set-up.
struct FaxTables {
    RunSlot runs[2][1 << kLookupBits];  // white, black
    ModeSlot modes[1 << kModeBits];
};

constexpr size_t code_length(const char* bits) {
    size_t n = 0;
    while (bits[n]) ++n;
    return n;
}

template <size_t N>
constexpr void add_codes(RunSlot* slots, const FaxCode (&codes)[N], size_t length) {
    for (const FaxCode& code : codes) {
        if (code_length(code.bits) != length) continue;
        uint32_t value = 0;
        for (size_t i = 0; i < length; ++i) value = (value << 1) | (uint32_t)(code.bits[i] - '0');
        uint32_t first = value << (kLookupBits - length), count = 1u << (kLookupBits - length);
        for (uint32_t i = 0; i < count; ++i) {
            // Shorter codes and the colour's own codes match first, as when reading bit by bit.
            if (slots[first + i].length == 0) slots[first + i] = RunSlot{code.run, (uint8_t)length};
        }
    }
}

constexpr FaxTables make_tables() {
    FaxTables t{};
    for (size_t length = 1; length <= kLookupBits; ++length) {
        add_codes(t.runs[0], kWhiteCodes, length);
        add_codes(t.runs[0], kExtendedCodes, length);
        add_codes(t.runs[1], kBlackCodes, length);
        add_codes(t.runs[1], kExtendedCodes, length);
    }
    for (uint32_t v = 0; v < (1u << kModeBits); ++v) {
        ModeSlot m = {kModeNone, 0, 0};
        if (v >> 6 == 1) m = {kModeVertical, 0, 1};
        else if (v >> 4 == 3) m = {kModeVertical, 1, 3};
        else if (v >> 4 == 2) m = {kModeVertical, -1, 3};
        else if (v >> 4 == 1) m = {kModeHorizontal, 0, 3};
        else if (v >> 3 == 1) m = {kModePass, 0, 4};
        else if (v >> 1 == 3) m = {kModeVertical, 2, 6};
        else if (v >> 1 == 2) m = {kModeVertical, -2, 6};
        else if (v == 3) m = {kModeVertical, 3, 7};
        else if (v == 2) m = {kModeVertical, -3, 7};
        t.modes[v] = m;  // 000000x: end-of-line or extension, neither allowed inside a line
    }
    return t;
}

constexpr FaxTables kTables = make_tables();

// Whether the data holds the next n bits.
inline bool has_bits(const BitReader* r, int n) { return r->pos + (uint64_t)n <= (uint64_t)r->size * 8; }

// A run of one colour: make-up codes until a terminating one; -1 when the
// codes are wrong or the data ends inside one.
inline __attribute__((always_inline)) int read_run(BitReader* r, int colour) {
    const RunSlot* slots = kTables.runs[colour];
    int total = 0;
    for (int words = 0; words < kMaxCodeWords; ++words) {
        RunSlot slot = slots[bits_peek(r, kLookupBits)];
        if (slot.length == 0 || !has_bits(r, slot.length)) return -1;
        bits_skip(r, slot.length);
        total += slot.run;
        if (slot.run < 64) return total;
    }
    return -1;
}

// The row being written: spans arrive left to right and cover it once.
struct Row {
    uint8_t* out;
    int32_t width;
    int32_t pos;
    int last;  // colour of the pixel before pos (white before the row)
    uint8_t gray[2];
    int32_t* changes;
    int32_t count;
};

inline __attribute__((always_inline)) void paint(Row* row, int32_t end, int colour) {
    if (end <= row->pos) return;
    if (colour != row->last) {
        row->changes[row->count++] = row->pos;
        row->last = colour;
    }
    uint8_t* p = row->out + row->pos;
    int32_t n = end - row->pos;
    uint8_t v = row->gray[colour];
    if (n <= 16 && row->width - row->pos >= 16) {
        // Most runs of a fax page are short: two fixed stores, the excess
        // overwritten by the runs that follow in this row.
        uint64_t fill = v * 0x0101010101010101ull;
        memcpy(p, &fill, 8);
        memcpy(p + 8, &fill, 8);
    } else {
        memset(p, v, (size_t)n);
    }
    row->pos = end;
}

// The line decoders work on copies of the cursor and the row: the pixel
// stores could otherwise alias them and force a reload after every run.
inline __attribute__((always_inline)) bool decode_1d_local(BitReader* r, Row* row) {
    for (int colour = 0; row->pos < row->width; colour ^= 1) {
        int run = read_run(r, colour);
        if (run < 0) return false;
        int32_t end = run < row->width - row->pos ? row->pos + run : row->width;
        paint(row, end, colour);
    }
    return true;
}

bool decode_1d(BitReader* r, Row* row) {
    BitReader br = *r;
    Row w = *row;
    bool ok = decode_1d_local(&br, &w);
    *r = br;
    *row = w;
    return ok;
}

// ref holds the reference line's changing elements followed by end markers;
// the cursor only moves forward because a0 never moves back.
inline __attribute__((always_inline)) bool decode_2d_local(BitReader* r, Row* row, const int32_t* ref) {
    int32_t a0 = -1, width = row->width;
    int colour = 0;
    size_t i = 0;
    while (a0 < width) {
        int32_t start = a0 < 0 ? 0 : a0;
        while (ref[i] <= a0) ++i;
        // Even entries turn the line black, odd ones white: b1 turns it away from colour.
        size_t j = i + ((i & 1) != (size_t)colour);
        int32_t b1 = ref[j], b2 = ref[j + 1];
        ModeSlot mode = kTables.modes[bits_peek(r, kModeBits)];
        if (mode.kind == kModeNone || !has_bits(r, mode.length)) return false;
        bits_skip(r, mode.length);
        if (mode.kind == kModeVertical) {
            int32_t a1 = b1 + mode.offset;
            if (a1 < start) return false;
            if (a1 > width) a1 = width;
            paint(row, a1, colour);
            a0 = a1;
            colour ^= 1;
        } else if (mode.kind == kModeHorizontal) {
            int first = read_run(r, colour);
            int second = first < 0 ? -1 : read_run(r, colour ^ 1);
            if (second < 0) return false;
            int32_t a1 = first < width - start ? start + first : width;
            int32_t a2 = second < width - a1 ? a1 + second : width;
            paint(row, a1, colour);
            paint(row, a2, colour ^ 1);
            a0 = a2;
        } else {
            paint(row, b2, colour);
            a0 = b2;
        }
    }
    return true;
}

bool decode_2d(BitReader* r, Row* row, const int32_t* ref) {
    BitReader br = *r;
    Row w = *row;
    bool ok = decode_2d_local(&br, &w, ref);
    *r = br;
    *row = w;
    return ok;
}

// An end-of-line code (at least 11 zeros, then a 1) is taken when it is
// there; otherwise the position stays.
void skip_end_of_line(BitReader* r) {
    uint64_t start = r->pos, zeros = 0;
    for (uint64_t left = bits_left(r); left > 0; left = bits_left(r)) {
        int n = left < 32 ? (int)left : 32;
        uint32_t v = bits_peek(r, n);
        if (v == 0) {
            zeros += (uint64_t)n;
            bits_skip(r, n);
            continue;
        }
        int lead = __builtin_clz(v) - (32 - n);
        if (zeros + (uint64_t)lead >= 11) {
            bits_skip(r, lead + 1);
            return;
        }
        break;
    }
    r->pos = start;
}

void end_markers(int32_t* changes, int32_t count, int32_t width) {
    changes[count] = changes[count + 1] = changes[count + 2] = width;
}

}  // namespace

bool decode_fax_strip(const uint8_t* input, size_t length, int32_t width, int32_t rows, FaxCoding coding,
                      int photometric, uint8_t* output) {
    if (width < 1 || width > kMaxWidth || rows < 1) return false;
    // Changing elements of the reference and the current line, with room for
    // the end markers that stand for "none found"; the call's own, so strips
    // decode on several threads at once.
    const size_t line = (size_t)width + 3;
    int32_t* changes = (int32_t*)malloc(sizeof(int32_t) * 2 * line);
    if (!changes) return false;
    BitReader r = bits_make(input, input ? length : 0);
    int32_t* ref = changes;
    int32_t* cur = changes + line;
    end_markers(ref, 0, width);
    for (int32_t y = 0; y < rows; ++y) {
        Row row = {output + (size_t)y * (size_t)width, width, 0, 0, {255, 0}, cur, 0};
        if (photometric == 1) row.gray[0] = 0, row.gray[1] = 255;
        bool ok;
        if (coding == kFaxGroup4) {
            ok = decode_2d(&r, &row, ref);
        } else if (coding == kFaxModifiedHuffman) {
            // Rows start on whole bytes and carry no end-of-line codes.
            if (y > 0) bits_align(&r);
            ok = decode_1d(&r, &row);
        } else {
            skip_end_of_line(&r);
            bool two_d = false;
            ok = true;
            if (coding == kFaxGroup3TwoD) {
                ok = bits_left(&r) > 0;
                two_d = bits_read(&r, 1) == 0;
            }
            if (ok) ok = two_d ? decode_2d(&r, &row, ref) : decode_1d(&r, &row);
        }
        if (!ok) {
            memset(row.out, 255, (size_t)(rows - y) * (size_t)width);
            break;
        }
        end_markers(cur, row.count, width);
        int32_t* t = ref;
        ref = cur;
        cur = t;
    }
    free(changes);
    return true;
}
