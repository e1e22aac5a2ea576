// Samples of TIFF pages that are not one byte each: 1, 2 and 4-bit samples
// packed most significant bit first (rows start on a byte), 16-bit samples
// in the file's byte order, tiles and planes put together into whole rows.
// What tiff.cpp hands on to its 8-bit conversion.
#pragma once
#include <stddef.h>
#include <stdint.h>

// Bytes of `count` samples of `bits` each, rounded up to whole bytes; 0 when
// that passes kMaxBlockBytes.
size_t tiff_packed_bytes(uint64_t count, uint32_t bits);

// `count` samples of `bits` (1, 2, 4 or 16) as one byte each. Scaled to
// 0..255 (16 bits: (v * 255 + 32767) / 65535) unless `indexes`, which keeps
// the values of 1, 2 and 4-bit palette indexes as they are.
void tiff_widen_samples(const uint8_t* in, uint8_t* out, size_t count, uint32_t bits, bool little, bool indexes);

// Sample i of a packed row: 16-bit ones in the file's byte order.
uint32_t tiff_sample_at(const uint8_t* row, size_t i, uint32_t bits, bool little);

// Copies the samples of `columns` pixels of one row of a strip or tile into a
// whole picture row: each source pixel holds `from_samples` samples, each
// destination pixel `to_samples`; the source's samples land at sample
// `first_sample` of destination pixel `column` on. A tile's chunky samples
// are one run of bytes; a plane's are spread one per pixel.
void tiff_place_samples(const uint8_t* from, uint32_t from_samples, uint8_t* to, uint32_t to_samples,
                        size_t column, uint32_t first_sample, size_t columns, uint32_t bits);

// FillOrder 2: the bits of every byte in reverse order.
void tiff_reverse_bits(const uint8_t* in, uint8_t* out, size_t length);
