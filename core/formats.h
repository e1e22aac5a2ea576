// The one table of the picture formats Lumora reads. Every consumer walks it:
// load_image and the size probe, the viewer's frame loaders and EXIF step,
// the Open dialog's patterns, the folder list's idea of a picture and the
// type names of the status bar. Adding a format is one row here plus one
// decoder file.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/image.h"
#include "core/text_ids.h"

typedef Image* (*ImageLoader)(const char* path, char* message);
// False with the set empty when the file gives no frame.
typedef bool (*FramesLoader)(const char* path, ImageSet* set, char* message);
typedef bool (*SizeProbe)(const char* path, int* width, int* height);
// The picture, or a smaller decode of it whose larger side is still at least
// `need`, for a format that can decode smaller for less than the whole.
typedef Image* (*ReducedLoader)(const char* path, int need, char* message);

// One byte of a header signature: it matches the values lo..hi.
struct ByteRange {
    uint8_t lo, hi;
};

// Enough for a RIFF container: "RIFF", its length (any), then the form type.
const int kMaxSignatureBytes = 12;
const int kMaxSignatures = 2;
const int kMaxExtensions = 4;

// The first `length` bytes of a file each within their range; length 0: unused.
struct Signature {
    ByteRange bytes[kMaxSignatureBytes];
    int length;
};

struct FormatRow {
    const char* name;
    Signature signatures[kMaxSignatures];
    const char* extensions[kMaxExtensions];  // with their dot; unused ones null
    TextId type_name;
    ImageLoader load;          // null while the decoder does not exist
    FramesLoader load_frames;  // every frame or page; null when the file is one picture
    SizeProbe probe;           // null: the stb_image size query
    const char* open_patterns;
    bool upright_by_exif;
    int save_format;  // save_image's format for files of this type; 0: Lumora does not write it
    ReducedLoader load_reduced;  // null: only whole pictures
};

extern const FormatRow kFormats[];
extern const int kFormatCount;

// The row whose signature the first kMaxSignatureBytes bytes of a file (zeros
// past its end) match; null when none.
const FormatRow* format_for_header(const uint8_t head[kMaxSignatureBytes]);
// The row that lists the path's extension (path_extension); null when none.
const FormatRow* format_for_extension(const char* path);
// The header decides, the extension when no signature matches; null when neither.
const FormatRow* format_for_file(const uint8_t head[kMaxSignatureBytes], const char* path);

// The save_image format that a file of this name is written in; 0 when its
// extension names no format Lumora writes.
int save_format_for_path(const char* path);
// The text from the last '.' of the whole path to its end, or "".
const char* path_extension(const char* path);
// The text after the last backslash, or the whole path.
const char* file_name_part(const char* path);
// The type name of a file by its extension (case-insensitive); kTextNone
// when the name has no extension or one without a type name.
TextId file_type_text(const char* path);
// ASCII letters equal regardless of case; both texts must end together.
bool extension_equal(const char* a, const char* b);
// Every row's patterns in row order, joined by ';', for the Open dialog.
const char* open_dialog_patterns();
