// CCITT fax pages of TIFF files: modified Huffman (compression 2), Group 3
// one- or two-dimensional (compression 3) and Group 4 (compression 4),
// decoded one strip at a time into 8-bit gray rows.
#pragma once
#include <stddef.h>
#include <stdint.h>

enum FaxCoding {
    kFaxModifiedHuffman,  // compression 2: every row starts on a byte boundary
    kFaxGroup3OneD,       // compression 3 without T4Options bit 0
    kFaxGroup3TwoD,       // compression 3 with T4Options bit 0
    kFaxGroup4,           // compression 4
};

// Writes rows x width bytes to output: 0 black, 255 white (photometric 0:
// white is zero; 1: black is zero, as the page says). Data that ends early
// leaves the rest white. False, writing nothing, when width is outside
// 1..30000 or rows below 1, or when the call's two lines of changing
// elements (8 bytes a pixel of width) cannot be allocated.
bool decode_fax_strip(const uint8_t* input, size_t length, int32_t width, int32_t rows, FaxCoding coding,
                      int photometric, uint8_t* output);
