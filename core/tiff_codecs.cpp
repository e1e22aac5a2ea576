#include "core/tiff_codecs.h"

#include <limits.h>
#include <string.h>
#include <zlib.h>

#include "libdeflate.h"

namespace {

const uint32_t kLzwClear = 256;
const uint32_t kLzwEnd = 257;
const uint32_t kLzwFirstFree = 258;
const uint32_t kLzwTableSize = 4096;

// Every string of the table already stands somewhere: the 256 one-byte roots
// in a constant table, the others in the strip's output. A new entry is the
// previous string and the byte after it, so it never needs a stack to unwind.
struct LzwString {
    const uint8_t* from;
    uint32_t length;
};

// Each root byte is its own value, with room after the last for the 16-byte
// moves of short strings.
struct Roots {
    uint8_t bytes[256 + 16];
};
constexpr Roots make_roots() {
    Roots r{};
    for (int i = 0; i < 256; ++i) r.bytes[i] = (uint8_t)i;
    return r;
}
constexpr Roots kRoots = make_roots();

}  // namespace

size_t tiff_unpack_packbits(const uint8_t* input, size_t length, uint8_t* output, size_t output_size) {
    size_t in = 0, out = 0;
    while (out < output_size && in < length) {
        int n = (int8_t)input[in++];
        if (n >= 0) {
            size_t k = (size_t)n + 1;
            if (k > length - in) k = length - in;
            if (k > output_size - out) k = output_size - out;
            memcpy(output + out, input + in, k);
            in += (size_t)n + 1 > length - in ? length - in : (size_t)n + 1;
            out += k;
        } else if (n != -128) {
            size_t k = (size_t)(1 - n);
            uint8_t byte = in < length ? input[in++] : 0;
            if (k > output_size - out) k = output_size - out;
            memset(output + out, byte, k);
            out += k;
        }
    }
    return out;
}

size_t tiff_decode_lzw(const uint8_t* input, size_t length, uint8_t* output, size_t output_size) {
    // Bits most significant first, as the shared bit reader gives them, but
    // taken from a 64-bit window refilled seven bytes at a time: the decoder
    // reads a code for every two or three bytes it writes, and this loop is
    // most of its time.
    LzwString table[kLzwTableSize];  // on the stack: strips may decode on several threads at once
    for (uint32_t i = 0; i < 256; ++i) table[i] = LzwString{kRoots.bytes + i, 1};
    uint64_t window = 0;
    int have = 0;
    size_t in = 0;
    uint8_t* out = output;
    uint8_t* const end = output + output_size;
    uint32_t next = kLzwFirstFree;
    int width = 9;
    const uint8_t* previous = nullptr;  // none at the start and after a Clear
    uint32_t previous_length = 0;
    while (out < end) {
        if (have < width) {
            if (length - in >= 8) {
                // Whole bytes up to 56 bits in one load (at least six bytes: no shift by 64).
                uint64_t next8 = 0;
                for (int i = 0; i < 8; ++i) next8 = next8 << 8 | input[in + i];
                int take = (63 - have) >> 3;
                window = (window << (8 * take)) | (next8 >> (64 - 8 * take));
                have += 8 * take;
                in += (size_t)take;
            } else {
                while (have <= 56 && in < length) {
                    window = (window << 8) | input[in++];
                    have += 8;
                }
                if (have < width) break;  // fewer bits than a code: the strip ends
            }
        }
        have -= width;
        uint32_t code = (uint32_t)(window >> have) & ((1u << width) - 1);
        if (code == kLzwClear) {
            next = kLzwFirstFree;
            width = 9;
            previous = nullptr;
            continue;
        }
        if (code == kLzwEnd) break;
        uint8_t* at = out;
        uint32_t n = 1;
        size_t room = (size_t)(end - out);
        if (code < next) {
            // A root, or a string of the table (there is none but the roots
            // while no previous string exists).
            n = table[code].length;
            const uint8_t* from = table[code].from;
            if (n <= 16 && room >= 16) {
                // Most strings are short: one fixed-size move, the bytes past
                // the string rewritten by the next ones. The string ends at or
                // before `out`; the 16 bytes may overlap, hence a move.
                memmove(out, from, 16);
                out += n;
            } else {
                memcpy(out, from, n < room ? n : room);
                out += n < room ? n : room;
            }
        } else if (!previous) {
            *out++ = (uint8_t)code;  // no string to extend: its low byte
        } else {
            // Not in the table yet: the previous string and its own first byte.
            n = previous_length + 1;
            size_t k = previous_length < room ? previous_length : room;
            memcpy(out, previous, k);
            out += k;
            if (out < end) *out++ = previous[0];
        }
        if (previous && next < kLzwTableSize) {
            table[next] = LzwString{previous, previous_length + 1};
            // The early change: the writer widens one code before the table needs it.
            if (++next == (1u << width) - 1 && width < 12) ++width;
        }
        previous = at;
        previous_length = n;
    }
    return (size_t)(out - output);
}

namespace {

// One row with the running sums of a pixel's samples kept in registers: the
// loop over bytes alone waits on each store before the next load.
template <size_t kSamples>
void undo_predictor_row(uint8_t* row, size_t row_bytes) {
    uint8_t sum[kSamples];
    size_t i = 0;
    for (; i < kSamples && i < row_bytes; ++i) sum[i] = row[i];
    for (; i + kSamples <= row_bytes; i += kSamples)
        for (size_t k = 0; k < kSamples; ++k) row[i + k] = sum[k] = (uint8_t)(sum[k] + row[i + k]);
    for (size_t k = 0; i < row_bytes; ++i, ++k) row[i] = (uint8_t)(sum[k] + row[i]);
}

}  // namespace

void tiff_undo_predictor(uint8_t* rows_data, size_t row_bytes, size_t rows, size_t samples) {
    for (size_t r = 0; r < rows; ++r) {
        uint8_t* row = rows_data + r * row_bytes;
        switch (samples) {
        case 1: undo_predictor_row<1>(row, row_bytes); break;
        case 3: undo_predictor_row<3>(row, row_bytes); break;
        case 4: undo_predictor_row<4>(row, row_bytes); break;
        default:
            for (size_t i = samples; i < row_bytes; ++i) row[i] = (uint8_t)(row[i] + row[i - samples]);
        }
    }
}

namespace {

// A strip whose stream is whole and fills its output exactly (nearly every
// one) inflates in one call of libdeflate, about twice as fast as zlib.
bool inflate_whole(const uint8_t* input, size_t length, uint8_t* output, size_t output_size, size_t* written) {
    libdeflate_decompressor* d = libdeflate_alloc_decompressor();
    bool whole = d && libdeflate_zlib_decompress(d, input, length, output, output_size, written) == LIBDEFLATE_SUCCESS;
    libdeflate_free_decompressor(d);
    return whole;
}

}  // namespace

size_t tiff_inflate(const uint8_t* input, size_t length, uint8_t* output, size_t output_size) {
    size_t written = 0;
    if (inflate_whole(input, length, output, output_size, &written)) return written;
    // Cut short, damaged or longer than the strip: zlib gives what came out
    // before the fault, or the strip's worth.
    z_stream z = {};
    if (inflateInit(&z) != Z_OK) return 0;
    // zlib counts in 32-bit units; strips and files are below 2^31 bytes.
    z.next_in = const_cast<Bytef*>(input);
    z.avail_in = length < UINT_MAX ? (uInt)length : UINT_MAX;
    z.next_out = output;
    z.avail_out = output_size < UINT_MAX ? (uInt)output_size : UINT_MAX;
    // One call: the whole strip is in memory and its output has room.
    inflate(&z, Z_FINISH);
    written = (size_t)(z.next_out - output);
    inflateEnd(&z);
    return written;
}

namespace {

template <size_t kSamples>
void undo_predictor16_row(uint8_t* row, size_t count, int lo, int hi) {
    uint32_t sum[kSamples];
    size_t i = 0;
    for (; i < kSamples && i < count; ++i) sum[i] = (uint32_t)(row[2 * i + lo] | row[2 * i + hi] << 8);
    for (size_t k = 0; i < count; ++i, k = k + 1 == kSamples ? 0 : k + 1) {
        uint8_t* p = row + 2 * i;
        sum[k] = (sum[k] + (uint32_t)(p[lo] | p[hi] << 8)) & 0xFFFF;
        p[lo] = (uint8_t)sum[k];
        p[hi] = (uint8_t)(sum[k] >> 8);
    }
}

}  // namespace

void tiff_undo_predictor16(uint8_t* rows_data, size_t row_bytes, size_t rows, size_t samples, bool little) {
    size_t count = row_bytes / 2;
    int lo = little ? 0 : 1, hi = 1 - lo;
    for (size_t r = 0; r < rows; ++r) {
        uint8_t* row = rows_data + r * row_bytes;
        switch (samples) {
        case 1: undo_predictor16_row<1>(row, count, lo, hi); break;
        case 3: undo_predictor16_row<3>(row, count, lo, hi); break;
        case 4: undo_predictor16_row<4>(row, count, lo, hi); break;
        default:
            for (size_t i = samples; i < count; ++i) {
                uint8_t* p = row + 2 * i;
                const uint8_t* q = p - 2 * samples;
                uint32_t v = (uint32_t)(p[lo] | p[hi] << 8) + (uint32_t)(q[lo] | q[hi] << 8);
                p[lo] = (uint8_t)v;
                p[hi] = (uint8_t)(v >> 8);
            }
        }
    }
}
