// The few EXIF fields Lumora uses from a JPEG file: the orientation (to turn a
// photo upright when it opens) and the camera make, model and date (for the
// properties box). Reads the file itself; independent of the JPEG decoder.
#pragma once
#include <stddef.h>
#include <stdint.h>

// Larger files are not read at all.
const size_t kMaxExifFileBytes = 30000000;

// Every output is optional (null skips it). On entry the orientation becomes 1
// and each text empty; they change only when the file supplies a value. Text
// buffers of 40 (date) and 64 (make, model) bytes are what callers pass. An
// unreadable or malformed file simply leaves the defaults.
void read_exif(const char* path, int* orientation, char* date, size_t date_size, char* make, size_t make_size,
               char* model, size_t model_size);
// The same over a file already in memory (the fuzzer's entry point).
void read_exif_data(const uint8_t* data, size_t size, int* orientation, char* date, size_t date_size, char* make,
                    size_t make_size, char* model, size_t model_size);

// One step of turning a picture upright.
enum ExifStep {
    kExifStepNone = 0,
    kExifStepMirror,     // left and right swapped
    kExifStepFlip,       // top and bottom swapped
    kExifStepRotate180,
    kExifStepRotateCw,   // 90 degrees clockwise
    kExifStepRotateCcw,  // 90 degrees counter-clockwise
};

// What makes a picture stored with this orientation upright: the first step,
// then the second. Values outside 1..8 need nothing.
struct ExifUpright {
    ExifStep first;
    ExifStep second;
};
ExifUpright exif_upright_steps(int orientation);
