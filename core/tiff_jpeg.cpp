#include "core/tiff_jpeg.h"

#include <stdlib.h>
#include <string.h>

#include "core/jpeg.h"
#include "core/jpeg_hooks.h"

namespace {

struct BlockDecode {
    jpeg_decompress_struct cinfo;
    JpegErrorJump error;
    jpeg_progress_mgr progress;
    uint8_t* row;        // one row as the stream gives it, wider than the block's
    size_t rows_done;    // whole rows written to the output
};

J_COLOR_SPACE stored_space(TiffJpegColors colors) {
    switch (colors) {
    case kTiffJpegGray: return JCS_GRAYSCALE;
    case kTiffJpegYCbCr: return JCS_YCbCr;
    case kTiffJpegRgb: return JCS_RGB;
    case kTiffJpegCmyk: return JCS_CMYK;
    }
    return JCS_UNKNOWN;
}

// Reads the tables, then the block's own stream, into output; a fatal error
// jumps out of here with rows_done telling what was kept.
void read_block(BlockDecode& d, const TiffJpegBlock& b, uint8_t* output, size_t output_size) {
    jpeg_decompress_struct& c = d.cinfo;
    int components = tiff_jpeg_components(b.colors);
    if (b.tables && b.tables_size) {
        jpeg_mem_src(&c, b.tables, (unsigned long)b.tables_size);
        // Tables only: the library keeps them for the stream that follows.
        if (jpeg_read_header(&c, FALSE) != JPEG_HEADER_TABLES_ONLY) return;
    }
    jpeg_mem_src(&c, b.input, (unsigned long)b.length);
    if (jpeg_read_header(&c, TRUE) != JPEG_HEADER_OK) return;
    if (c.num_components != components || c.image_width < 1 || c.image_width > b.max_width || c.image_height < 1 ||
        c.image_height > b.max_rows)
        return;
    // Set from the page: without a marker saying so the library would take
    // any three components for YCbCr.
    c.jpeg_color_space = stored_space(b.colors);
    c.out_color_space = b.colors == kTiffJpegGray ? JCS_GRAYSCALE : b.colors == kTiffJpegCmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&c);
    size_t stream_row = (size_t)c.output_width * (size_t)components;
    size_t row_bytes = (size_t)b.width * (size_t)components;
    size_t keep = stream_row < row_bytes ? stream_row : row_bytes;
    if (!(d.row = (uint8_t*)malloc(stream_row))) return;
    while (c.output_scanline < c.output_height && (d.rows_done + 1) * row_bytes <= output_size &&
           d.rows_done < b.rows) {
        JSAMPROW rows[1] = {d.row};
        if (jpeg_read_scanlines(&c, rows, 1) != 1) break;
        memcpy(output + d.rows_done * row_bytes, d.row, keep);
        ++d.rows_done;
    }
}

}  // namespace

int tiff_jpeg_components(TiffJpegColors colors) {
    return colors == kTiffJpegGray ? 1 : colors == kTiffJpegCmyk ? 4 : 3;
}

size_t decode_tiff_jpeg_block(const TiffJpegBlock& block, uint8_t* output, size_t output_size) {
    if (!block.input || block.length == 0 || block.width == 0) return 0;
    BlockDecode* d = (BlockDecode*)calloc(1, sizeof(BlockDecode));
    if (!d) return 0;
    jpeg_set_hooks(&d->cinfo, &d->error, &d->progress);
    if (!setjmp(d->error.back)) {
        jpeg_create_decompress(&d->cinfo);
        d->cinfo.mem->max_memory_to_use = (long)jpeg_work_bytes();
        d->cinfo.progress = &d->progress;
        read_block(*d, block, output, output_size);
    }
    // jpeg_destroy never raises an error of its own.
    jpeg_destroy_decompress(&d->cinfo);
    size_t written = d->rows_done * (size_t)block.width * (size_t)tiff_jpeg_components(block.colors);
    free(d->row);
    free(d);
    return written;
}
