// The byte-oriented compressions of TIFF strips and tiles (TIFF 6.0,
// sections 9, 13 and 14, and the Deflate of the TIFF technical notes):
// PackBits, LZW, Deflate and the horizontal predictor. Each strip decodes into
// its own part of the page buffer; output that the data does not reach is
// left as it was (zero in a fresh page buffer).
#pragma once
#include <stddef.h>
#include <stdint.h>

// Run-length strips: returns the bytes written, at most output_size. A repeat
// whose byte is missing repeats 0.
size_t tiff_unpack_packbits(const uint8_t* input, size_t length, uint8_t* output, size_t output_size);
// LZW strips, codes most significant bit first with the early width change.
// Returns the bytes written, at most output_size. Works without a leading
// Clear, with codes above the next free one (taken as the previous string
// plus its first byte) and with a full table that is never cleared.
size_t tiff_decode_lzw(const uint8_t* input, size_t length, uint8_t* output, size_t output_size);
// Deflate (zlib streams, compression 8 and 32946). Returns the bytes
// written, at most output_size: a stream cut short or damaged gives what
// came out before the damage.
size_t tiff_inflate(const uint8_t* input, size_t length, uint8_t* output, size_t output_size);
// Predictor 2: each byte from `samples` on gains the byte `samples` before it,
// modulo 256, in each of `rows` rows of row_bytes.
void tiff_undo_predictor(uint8_t* rows_data, size_t row_bytes, size_t rows, size_t samples);
// Predictor 2 on 16-bit samples in the file's byte order: each sample from
// `samples` on gains the one `samples` before it, modulo 65536.
void tiff_undo_predictor16(uint8_t* rows_data, size_t row_bytes, size_t rows, size_t samples, bool little);
