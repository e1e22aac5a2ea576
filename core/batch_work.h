// One file's part of the browser's batch commands: convert, resize into a
// "_resized" copy, rotate in place. Each reads the picture as the viewer
// shows it (photos turned upright) and writes through the safe writer, so a
// failed write never costs a picture. No globals: workers may run these.
#pragma once

enum BatchOutcome {
    kBatchUnreadable,  // the file did not load: skipped, not counted as tried
    kBatchDone,
    kBatchNotWritten,  // loaded, but no file came of it (no name, a failed write)
    kBatchRefused,     // rotation only: a format Lumora does not write
};

// To a kSave* format beside the source. Another file already under the new
// name is not ours to replace; the source itself is its own conversion.
BatchOutcome batch_convert_file(const char* path, int format, int quality);

// By percent when it is 1 or more, else to width x height.
struct BatchSize {
    int percent, width, height;
};
BatchOutcome batch_resize_file(const char* path, const BatchSize& size, int quality);

// Turned a quarter and written over itself in its own format. Pictures with
// alpha or 16-bit samples are left as they are (not written): 24-bit pixels
// would lose what they hold.
BatchOutcome batch_rotate_file(const char* path, bool clockwise, int quality);

// One batch command's work, the same for every file of it.
enum BatchKind { kBatchConvert, kBatchResize, kBatchRotate };
struct BatchRequest {
    BatchKind kind;
    int format;      // convert: kSave*
    BatchSize size;  // resize
    bool clockwise;  // rotate
    int quality;     // JPEG quality of what is written
};
BatchOutcome batch_file(const char* path, const BatchRequest& request);
