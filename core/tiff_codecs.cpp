#include "core/tiff_codecs.h"

#include <string.h>


namespace {

const uint32_t kLzwClear = 256;
const uint32_t kLzwEnd = 257;
const uint32_t kLzwFirstFree = 258;
const uint32_t kLzwTableSize = 4096;

// Every string of the table already stands in the strip's output: where it
// starts and how long it is. A new entry is the previous string and the byte
// after it, so it never needs a stack to unwind.
uint32_t s_lzw_at[kLzwTableSize];
uint32_t s_lzw_length[kLzwTableSize];

// The early change: the writer widens one code before the table needs it.
int lzw_width(uint32_t next) { return next >= 2047 ? 12 : next >= 1023 ? 11 : next >= 511 ? 10 : 9; }

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
    // taken from a 64-bit window refilled a byte at a time: the decoder reads
    // a code for every two or three bytes it writes, and this loop is most of
    // its time.
    uint64_t window = 0;
    int have = 0;
    size_t in = 0, out = 0;
    uint32_t next = kLzwFirstFree;
    int width = 9;
    bool have_previous = false;  // none at the start and after a Clear
    size_t previous_at = 0, previous_length = 0;
    while (out < output_size) {
        while (have <= 56 && in < length) {
            window = (window << 8) | input[in++];
            have += 8;
        }
        if (have < width) break;  // fewer bits than a code: the strip ends
        have -= width;
        uint32_t code = (uint32_t)(window >> have) & ((1u << width) - 1);
        if (code == kLzwClear) {
            next = kLzwFirstFree;
            width = 9;
            have_previous = false;
            continue;
        }
        if (code == kLzwEnd) break;
        size_t at = out, n = 1;
        size_t room = output_size - out;
        if (!have_previous || code < 256) {
            output[out++] = (uint8_t)code;
        } else if (code < next) {
            n = s_lzw_length[code];
            const uint8_t* from = output + s_lzw_at[code];
            if (n <= 16 && room >= 16) {
                // Most strings are short: one fixed-size move, the bytes past
                // the string rewritten by the next ones. The string ends at or
                // before `out`; the 16 bytes may overlap, hence a move.
                memmove(output + out, from, 16);
                out += n;
            } else {
                memcpy(output + out, from, n < room ? n : room);
                out += n < room ? n : room;
            }
        } else {
            // Not in the table yet: the previous string and its own first byte.
            n = previous_length + 1;
            size_t k = previous_length < room ? previous_length : room;
            memcpy(output + out, output + previous_at, k);
            out += k;
            if (out < output_size) output[out++] = output[previous_at];
        }
        if (have_previous && next < kLzwTableSize) {
            s_lzw_at[next] = (uint32_t)previous_at;
            s_lzw_length[next] = (uint32_t)previous_length + 1;
            width = lzw_width(++next);
        }
        previous_at = at;
        previous_length = n;
        have_previous = true;
    }
    return out;
}

void tiff_undo_predictor(uint8_t* rows_data, size_t row_bytes, size_t rows, size_t samples) {
    for (size_t r = 0; r < rows; ++r) {
        uint8_t* row = rows_data + r * row_bytes;
        for (size_t i = samples; i < row_bytes; ++i) row[i] = (uint8_t)(row[i] + row[i - samples]);
    }
}
