// TIFF strips and tiles stored as JPEG streams (compression 7): each an
// abbreviated stream whose tables the page keeps once, in its JPEGTables
// tag. Decoded by libjpeg-turbo into 8-bit samples.
#pragma once
#include <stddef.h>
#include <stdint.h>

// The colours a page's streams hold, from its photometric interpretation:
// the streams say nothing of it themselves.
enum TiffJpegColors {
    kTiffJpegGray,   // one component
    kTiffJpegYCbCr,  // three, given out as red, green, blue
    kTiffJpegRgb,    // three, stored untransformed
    kTiffJpegCmyk,   // four inks, given out as stored
};

struct TiffJpegBlock {
    const uint8_t* tables;  // the JPEGTables bytes, or null
    size_t tables_size;
    const uint8_t* input;
    size_t length;
    uint32_t width, rows;  // the samples wanted: `rows` rows of `width` pixels
    // The largest sides a stream may declare (a whole tile, a full strip):
    // a stream larger than its block is refused rather than decoded.
    uint32_t max_width, max_rows;
    TiffJpegColors colors;
};

// The samples a pixel has for these colours.
int tiff_jpeg_components(TiffJpegColors colors);

// Writes the block's rows, width * components bytes each, into output from
// the top, as far as the stream decodes; returns the bytes written, whole
// rows only, at most output_size. Columns and rows the stream has beyond
// the block are dropped. A stream that does not start, that holds other
// colours than the page says or is larger than its block gives 0.
size_t decode_tiff_jpeg_block(const TiffJpegBlock& block, uint8_t* output, size_t output_size);
