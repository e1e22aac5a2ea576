// The few EXIF fields Lumora uses from a JPEG file: the orientation (to turn a
// photo upright when it opens) and the camera make, model and date (for the
// properties box). Independent of the JPEG decoder: it walks the segment
// headers at the start of the file and reads only the APP1 "Exif" segment,
// at most 64 KiB, however large the photo.
#pragma once
#include <stddef.h>
#include <stdint.h>

// Every output is optional (null skips it). On entry the orientation becomes 1
// and each text empty; they change only when the file supplies a value. Text
// buffers of 40 (date) and 64 (make, model) bytes are what callers pass. An
// unreadable or malformed file simply leaves the defaults.
void read_exif(const char* path, int* orientation, char* date, size_t date_size, char* make, size_t make_size,
               char* model, size_t model_size);
// The same over a file already in memory (the fuzzer's entry point).
void read_exif_data(const uint8_t* data, size_t size, int* orientation, char* date, size_t date_size, char* make,
                    size_t make_size, char* model, size_t model_size);
