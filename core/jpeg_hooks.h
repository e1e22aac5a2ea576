// The hooks every use of libjpeg sets: fatal errors jump back to the caller
// instead of ending the program, warnings are not shown, and a stream of
// thousands of tiny progressive scans is stopped like a broken one.
#pragma once
#include <setjmp.h>
#include <stdio.h>  // jpeglib.h needs FILE

#include "jpeglib.h"

// More scans than this make a file the library would spend minutes on.
const int kMaxJpegScans = 1000;

// error_exit must not return: it jumps back to the decode, which keeps what
// it has.
struct JpegErrorJump {
    jpeg_error_mgr manager;
    jmp_buf back;
};

inline void jpeg_jump_back(j_common_ptr cinfo) { longjmp(((JpegErrorJump*)cinfo->err)->back, 1); }
inline void jpeg_say_nothing(j_common_ptr, int) {}
inline void jpeg_print_nothing(j_common_ptr) {}

inline void jpeg_limit_scans(j_common_ptr cinfo) {
    j_decompress_ptr d = (j_decompress_ptr)cinfo;
    if (d->input_scan_number > kMaxJpegScans) jpeg_jump_back(cinfo);
}

// Before jpeg_create_decompress; the caller's setjmp on error->back catches.
inline void jpeg_set_hooks(jpeg_decompress_struct* cinfo, JpegErrorJump* error, jpeg_progress_mgr* progress) {
    cinfo->err = jpeg_std_error(&error->manager);
    error->manager.error_exit = jpeg_jump_back;
    error->manager.emit_message = jpeg_say_nothing;
    error->manager.output_message = jpeg_print_nothing;
    progress->progress_monitor = jpeg_limit_scans;
}
